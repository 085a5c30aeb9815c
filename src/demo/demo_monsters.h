#pragma once
// The monsters of the demo image: records that share the value tables the
// way the game's do (a kin of monster shares hit points and statistics, a
// kind shares its race and elements), AI packs of attacks, abilities and
// spells, and spoils sets with items and gil amounts. Monster row n is kind
// n % 16 of kin n / 16, as the demo monster names say.

#include "demo/image_builder.h"

namespace kivo::demo {

// Monster rows the tests and the screenshots rely on.
inline constexpr int kDemoFirstAiMonster = 32;  // rows before it have no AI pack
inline constexpr int kDemoRedDrakeRow = 31;     // weak to ice, absorbs fire

void PlaceDemoMonsters(ImageBuilder& image);

}  // namespace kivo::demo
