#include "model/editors/spell.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Spell(int s) {
  return 0x305E9 + 7 * static_cast<std::size_t>(s);
}
constexpr std::size_t Record(int a) {
  return 0x30346 + 5 * static_cast<std::size_t>(a);
}

TEST(SpellData, ReadsAndWritesItsSevenBytesAndClamps) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Spell(69), {4, 80, 200, 0x82, 0x0A, 0x7F, 0xFF});
    const SpellData r = SpellData::Read(image.view(), 69);
    EXPECT_EQ(r, (SpellData{4, 80, 200, 0x82, 0x0A, 0x7F, 0xFF}));
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 69);
    EXPECT_EQ(image.Build(), before);  // an animation of 0xFF stays
  }

  ImageBuilder image;
  // Numbers are clamped to a byte; bit 0x01 of the ailments is always 0; a
  // type and an animation with no row are written as they are.
  SpellData{40, -3, 999, 0xFF, 0xFF, 0x80, 30}.Write(image.view(), 0);
  EXPECT_EQ(image.view().Bytes(Spell(0), 7),
            (std::vector<uint8_t>{40, 0, 255, 0xFF, 0xFE, 0x80, 30}));

  // Indexes outside 0..69 neither write (spell 70 would overlap what follows)
  // nor read another record.
  const std::vector<uint8_t> before = image.Build();
  SpellData{1, 1, 1, 1, 1, 1, 1}.Write(image.view(), 70);
  SpellData{1, 1, 1, 1, 1, 1, 1}.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(SpellData::Read(image.view(), 70), SpellData{});
}

TEST(SpellRecord, ReadsWritesAndClampsItsFiveBytes) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Record(134), {0x00, 7, 95, 6, 12});
    const SpellRecord r = SpellRecord::Read(image.view(), 134);
    EXPECT_EQ(r, (SpellRecord{0x00, 7, 95, 6, 12}));
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 134);
    EXPECT_EQ(image.Build(), before);  // "Attack" stays 0x00
  }

  ImageBuilder image;
  SpellRecord{5, 0, 101, 9, -1}.Write(image.view(), 2);
  EXPECT_EQ(image.view().Bytes(Record(2), 5), (std::vector<uint8_t>{5, 1, 100, 9, 0}));
  SpellRecord{5, 40, -1, 1, 250}.Write(image.view(), 2);
  EXPECT_EQ(image.view().Bytes(Record(2), 5), (std::vector<uint8_t>{5, 16, 0, 1, 100}));

  const std::vector<uint8_t> before = image.Build();
  SpellRecord{}.Write(image.view(), 135);  // would be the first spell's data
  SpellRecord{}.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(SpellRecord::Read(image.view(), 135), SpellRecord{});
}

}  // namespace
}  // namespace kivo
