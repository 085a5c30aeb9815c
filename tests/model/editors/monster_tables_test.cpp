#include "model/editors/monster_tables.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

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
