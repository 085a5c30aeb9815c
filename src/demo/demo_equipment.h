#pragma once
// The weapons, armour and spell records of the demo image, the palette
// numbers of the weapon pictures and the battle palettes they use, written
// as the Equipment page writes them. They follow the demo item names: weapon
// row w is material (w - 1) % 9 of kind (w - 1) / 9, armour row a material
// (a - 1) % 8 of kind (a - 1) / 8.

#include "demo/image_builder.h"

namespace kivo::demo {

// Demo weapon rows the tests and the screenshots rely on.
inline constexpr int kDemoBlindKnifeRow = 3;   // Iron Knife: added effect 0x03
inline constexpr int kDemoIronSwordRow = 30;   // a plain sword with a palette
inline constexpr int kDemoWoodShieldRow = 55;  // a shield: type 1
inline constexpr int kDemoRuneStaffRow = 27;   // casts a spell
inline constexpr int kDemoSleepBowRow = 54;    // temporary ailments 0x4A
// The first palette number of the weapon materials (material m uses + m).
inline constexpr int kDemoMaterialPalettes = 0x20;

void PlaceDemoEquipment(ImageBuilder& image);

}  // namespace kivo::demo
