#pragma once
// The 70 spell data records of the demo image, written as the Spells page
// writes them. They follow the demo spell names: 40 magic spells, then 30
// monster abilities. The spell records and battle palettes they use come
// with the equipment (demo_equipment.h).

#include "demo/image_builder.h"

namespace kivo::demo {

// Demo spells the tests and the screenshots rely on.
inline constexpr int kDemoSleepSpell = 4;   // temporary ailment: Sleep (0x08)
inline constexpr int kDemoBlindSpell = 14;  // permanent ailment: Blind (0x02)
// The first palette number of the spells (spell s uses + s % 16).
inline constexpr int kDemoSpellPalettes = 0x40;

void PlaceDemoSpells(ImageBuilder& image);

}  // namespace kivo::demo
