#include "model/editors/formation.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Record(int f) {
  return 0x2C630 + 8 * static_cast<std::size_t>(f);
}

// Fields are read and stored through the Formation page's tests.
TEST(FormationRecord, ClampsAndNeverWritesOutsideTheTables) {
  ImageBuilder image;
  FormationRecord r;
  r.pictures = {20, -3, 15, 7};
  r.patternTable = 40;
  r.usesPalette2 = {false, true, false, true};
  r.Write(image.view(), 0);
  EXPECT_EQ(image.view().Byte(Record(0)), 0x50 | 0x0F);
  EXPECT_EQ(image.view().Byte(Record(0) + 1), 0xF0);
  EXPECT_EQ(image.view().Byte(Record(0) + 2), 0xF7);

  // Formations, sets and rows past their tables are neither read nor written.
  const std::vector<uint8_t> before = image.Build();
  r.Write(image.view(), 128);
  r.Write(image.view(), -1);
  WriteFormationExtra(image.view(), 128, 0x55);
  WriteMonsterSet(image.view(), 64, {1, 2, 3, 4});
  WriteMonsterSet(image.view(), -1, {1, 2, 3, 4});
  WriteQuantitySet(image.view(), 122, {});
  WriteQuantitySet(image.view(), -1, {});
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(ReadMonsterSet(image.view(), 64), (MonsterSet{}));
  EXPECT_EQ(FormationRecord::Read(image.view(), 200), FormationRecord{});
}

}  // namespace
}  // namespace kivo
