#pragma once
// The weapons, armour and spell records of the demo image, the palette
// numbers of the weapon pictures and the battle palettes they use, written
// as the Equipment page writes them, and the names of the weapons and
// armour. Weapon row w is material (w - 1) % 9 of kind (w - 1) / 9, except
// that rows 56..63 (item ids 0x68..0x6F, which the game holds in both hands)
// are glaives. Armour rows follow the slots the game allows them in:
// head gear 1..10, body armour 11..30 (robes, then mails), gloves 31..40.

#include <string>

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

// Names of weapon rows 1..63 and armour rows 1..40 (item ids 0x30 + w and
// 0x6F + a); empty for any other row.
std::string DemoWeaponName(int row);
std::string DemoArmourName(int row);

}  // namespace kivo::demo
