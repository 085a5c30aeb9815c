#include "model/editors/equipment_bits.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

// The ailment rows and their boxes through the page: the Equipment page's tests.
TEST(EquipmentBits, EffectRowIsTheLowestEffectBit) {
  EXPECT_EQ(EffectRowOf(0x00), kEffectNothing);
  EXPECT_EQ(EffectRowOf(0x06), kEffectTemporaryAilment);  // effect bit 0x02, Poison 0x04
  EXPECT_EQ(EffectRowOf(0x30), kEffectRipper);
  EXPECT_EQ(EffectRowOf(0x20), kEffectHealing);
  EXPECT_EQ(EffectRowOf(0xC0), kEffectNothing);  // ailment bits alone name no effect
}

TEST(EquipmentBits, StoringKeepsBitsNoBoxShowsUntilTheRowChanges) {
  const AilmentBoxes none{};
  EXPECT_EQ(StoreAddedEffect(kEffectDrainHp, none, 0x0C), 0x0C);
  EXPECT_EQ(StoreAddedEffect(kEffectNothing, none, 0xC0), 0xC0);
  EXPECT_EQ(StoreAddedEffect(kEffectDrainMp, none, 0x0C), 0x08);  // picked another row
  EXPECT_EQ(StoreAddedEffect(kEffectNothing, none, 0x04), 0x00);
  // Ailment rows always follow their boxes: unticking Blind clears it.
  EXPECT_EQ(StoreAddedEffect(kEffectPermanentAilment, none, 0x03), 0x01);
  EXPECT_EQ(StoreAddedEffect(kEffectPermanentAilment, AilmentTicks(1, 0x03), 0x03), 0x03);
}

}  // namespace
}  // namespace kivo
