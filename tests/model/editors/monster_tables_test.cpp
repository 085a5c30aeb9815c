#include "model/editors/monster_tables.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

TEST(MonsterTables, EntriesAtTheirOffsetsClampedAndBounded) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Word(0x30CD3 + 2 * 31, 0xBEEF).Byte(0x30D13 + 15, 0x11).Byte(0x30D73, 0x81);
    image.Word(0x179F0 + 2 * 3, 1234).Byte(0x17790 + 127, 59);
    const RomView view = image.view();
    EXPECT_EQ(ReadEntry(view, kHpMpValues, 31), 0xBEEF);
    EXPECT_EQ(ReadEntry(view, kHitsValues, 15), 0x11);
    EXPECT_EQ(ReadEntry(view, kElementSets, 0), 0x81);
    EXPECT_EQ(ReadEntry(view, kGilAmounts, 3), 1234);
    EXPECT_EQ(ReadEntry(view, kSpoilsSetIndexes, 127), 59);

    // Clamped to the entry's range, little-endian.
    WriteEntry(view, kHpMpValues, 0, 70000);
    EXPECT_EQ(view.Word(0x30CD3), 0xFFFF);
    WriteEntry(view, kHpMpValues, 1, -5);
    EXPECT_EQ(view.Word(0x30CD5), 0);
    WriteEntry(view, kStrengthValues, 2, 300);
    EXPECT_EQ(view.Byte(0x30D35), 255);
    WriteEntry(view, kGilAmounts, 15, 0x12345);
    EXPECT_EQ(view.Word(0x179F0 + 30), 0xFFFF);

    // An index with no entry reads 0 and writes nothing, even where the
    // bytes past the table belong to the next one.
    const std::vector<uint8_t> before = image.Build();
    EXPECT_EQ(ReadEntry(view, kHpMpValues, 32), 0);
    EXPECT_EQ(ReadEntry(view, kHitsValues, -1), 0);
    for (int index : {-1, 16, 255}) {
      WriteEntry(view, kHitsValues, index, 7);
      WriteEntry(view, kElementSets, index, 7);
    }
    WriteEntry(view, kHpMpValues, 32, 7);
    WriteEntry(view, kGilAmounts, 16, 7);
    WriteEntry(view, kSpoilsSetIndexes, 128, 7);
    EXPECT_EQ(image.Build(), before);
  }
}

TEST(MonsterTables, GroupsOfEightSlots) {
  ImageBuilder image;
  image.Bytes(0x30D83 + 8 * 57, {1, 2, 3, 4, 5, 6, 7, 8}).Bytes(0x17810 + 8 * 59, {9, 0xF3});
  const RomView view = image.view();
  EXPECT_EQ(ReadGroup(view, kAiPacks, 57), (GroupSlots{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(ReadGroup(view, kSpoilsSets, 59)[1], 0xF3);
  EXPECT_EQ(ReadGroup(view, kAiPacks, 58), GroupSlots{});

  WriteSlot(view, kAiPacks, 0, 7, 0x42);
  EXPECT_EQ(view.Byte(0x30D83 + 7), 0x42);
  const std::vector<uint8_t> before = image.Build();
  WriteSlot(view, kAiPacks, 58, 0, 1);     // would be past the last pack
  WriteSlot(view, kSpoilsSets, 60, 0, 1);  // would be the gil amounts
  WriteSlot(view, kSpoilsSets, 0, 8, 1);
  WriteSlot(view, kSpoilsSets, -1, 0, 1);
  EXPECT_EQ(image.Build(), before);
}

TEST(MonsterTables, EffectSetKeepsWhatNoBoxShowsUntilChanged) {
  auto ticks = [](uint8_t byte) { return AilmentTicks(EffectRowOf(byte), byte); };
  // Drain HP with a stray high bit, and a byte with only bits 6 and 7: shown
  // unchanged, stored unchanged.
  for (uint8_t shown : {0x84, 0xC0, 0x40, 0x00, 0x03, 0xFF, 0x0A}) {
    EXPECT_EQ(EffectToStore(shown, EffectRowOf(shown), ticks(shown)), shown) << int(shown);
  }
  // Hidden boxes' ticks do not count as a change.
  AilmentBoxes hiddenTick = ticks(0x84);
  hiddenTick[0] = true;
  EXPECT_EQ(EffectToStore(0x84, 3, hiddenTick), 0x84);
  // A new row, or a new tick, stores what the row and ticks encode.
  EXPECT_EQ(EffectToStore(0x84, 4, ticks(0x84)), 0x08);
  AilmentBoxes blind = ticks(0x01);
  blind[0] = true;
  EXPECT_EQ(EffectToStore(0x01, 1, blind), 0x03);
  AilmentBoxes sleep{};
  sleep[2] = true;
  EXPECT_EQ(EffectToStore(0x00, 2, sleep), 0x02 | 0x08);
  EXPECT_EQ(EffectToStore(0x84, 0, {}), 0x00);
}

}  // namespace
}  // namespace kivo
