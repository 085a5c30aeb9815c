#include "model/editors/formation.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Record(int f) {
  return 0x2C630 + 8 * static_cast<std::size_t>(f);
}

// Fields are read and stored through the Formation page's tests; here the
// bits of record 127 that the demo formations leave unused.
TEST(FormationRecord, ReadsEveryBitAndWritesItBackUnchanged) {
  ImageBuilder image = ImageBuilder::Combination();
  image.Bytes(Record(127), {0xA5, 0x1F, 0xE2, 0x43, 0x7F, 0x3F, 0x79, 0x02});
  const FormationRecord r = FormationRecord::Read(image.view(), 127);
  EXPECT_EQ(r.usesPalette2, (std::array<bool, 4>{true, false, true, false}));
  EXPECT_EQ(r.patternTable, 5);
  EXPECT_EQ(r.pictures, (std::array<int, 4>{1, 15, 14, 2}));
  const std::vector<uint8_t> before = image.Build();
  r.Write(image.view(), 127);
  EXPECT_EQ(image.Build(), before);
}

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
