#include "model/editors/equipment_bits.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(EquipmentBits, EffectRowIsTheLowestEffectBit) {
  EXPECT_EQ(EffectRowOf(0x00), kEffectNothing);
  EXPECT_EQ(EffectRowOf(0x03), kEffectPermanentAilment);  // effect bit 0x01, Blind 0x02
  EXPECT_EQ(EffectRowOf(0x06), kEffectTemporaryAilment);  // effect bit 0x02, Poison 0x04
  EXPECT_EQ(EffectRowOf(0x04), kEffectDrainHp);
  EXPECT_EQ(EffectRowOf(0x30), kEffectRipper);
  EXPECT_EQ(EffectRowOf(0x20), kEffectHealing);
  EXPECT_EQ(EffectRowOf(0xC0), kEffectNothing);  // ailment bits alone name no effect
}

TEST(EquipmentBits, AilmentBoxesOfEachRow) {
  // Row 1: seven boxes, bits 0x02..0x80.
  AilmentBoxes ticks = AilmentTicks(kEffectPermanentAilment, 0x03);
  EXPECT_TRUE(ticks[0]);  // Blind
  EXPECT_EQ(EncodeAddedEffect(kEffectPermanentAilment, ticks), 0x03);
  ticks = AilmentTicks(kEffectPermanentAilment, 0xFF);
  EXPECT_EQ(EncodeAddedEffect(kEffectPermanentAilment, ticks), 0xFF);

  // Row 2: the first box is hidden, because 0x02 is the effect's own bit.
  EXPECT_FALSE(AilmentBoxShown(kEffectTemporaryAilment, 0));
  EXPECT_TRUE(AilmentBoxShown(kEffectTemporaryAilment, 6));
  ticks = AilmentTicks(kEffectTemporaryAilment, 0x0E);
  EXPECT_FALSE(ticks[0]);
  EXPECT_TRUE(ticks[1]);  // Poison 0x04
  EXPECT_TRUE(ticks[2]);  // Sleep 0x08
  AilmentBoxes all{};
  all.fill(true);
  EXPECT_EQ(EncodeAddedEffect(kEffectTemporaryAilment, all), 0xFE);

  // Other rows: no boxes, one bit.
  for (int box = 0; box < kAilmentBoxCount; ++box)
    EXPECT_FALSE(AilmentBoxShown(kEffectDrainHp, box));
  EXPECT_EQ(AilmentTicks(kEffectDrainHp, 0xFF), AilmentBoxes{});
  EXPECT_EQ(EncodeAddedEffect(kEffectNothing, all), 0x00);
  EXPECT_EQ(EncodeAddedEffect(kEffectDrainHp, all), 0x04);
  EXPECT_EQ(EncodeAddedEffect(kEffectDrainMp, all), 0x08);
  EXPECT_EQ(EncodeAddedEffect(kEffectRipper, all), 0x10);
  EXPECT_EQ(EncodeAddedEffect(kEffectHealing, all), 0x20);
  EXPECT_EQ(EncodeAddedEffect(7, all), 0x00);
  EXPECT_EQ(EncodeAddedEffect(-1, all), 0x00);
}

TEST(EquipmentBits, StoringKeepsBitsNoBoxShowsUntilTheRowChanges) {
  const AilmentBoxes none{};
  EXPECT_EQ(StoreAddedEffect(kEffectDrainHp, none, 0x0C), 0x0C);
  EXPECT_EQ(StoreAddedEffect(kEffectNothing, none, 0xC0), 0xC0);
  EXPECT_EQ(StoreAddedEffect(kEffectDrainMp, none, 0x0C), 0x08);  // picked another row
  EXPECT_EQ(StoreAddedEffect(kEffectDrainHp, none, 0x03), 0x04);
  EXPECT_EQ(StoreAddedEffect(kEffectNothing, none, 0x04), 0x00);
  // Ailment rows always follow their boxes: unticking Blind clears it.
  EXPECT_EQ(StoreAddedEffect(kEffectPermanentAilment, none, 0x03), 0x01);
  EXPECT_EQ(StoreAddedEffect(kEffectPermanentAilment, AilmentTicks(1, 0x03), 0x03), 0x03);
}

}  // namespace
}  // namespace kivo
