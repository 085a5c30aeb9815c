#pragma once
// The demo image that `kivo-cli demo` writes and ./run opens: a standalone
// image of a supported release holding names, battle messages, dialogue,
// character names and a world map of our own, encoded with the demo tables.
// Each editor adds its records here.

#include <cstdint>
#include <string>
#include <vector>

#include "demo/image_builder.h"

namespace kivo::demo {

// The release signature row the demo image carries (Vask's translation v1.03).
inline constexpr int kDemoRelease = 3;

// Fills `image` (a standalone image) with everything the demo shows.
void PlaceDemoImage(ImageBuilder& image);
// The world map part: the demo graphics, pictures for the metatiles the demo
// map uses, and the map itself.
void PlaceDemoWorld(ImageBuilder& image);
std::vector<uint8_t> BuildDemoImage();

// What the demo image holds, as the pages decode it with the demo DTE table.
std::string DemoItemName(int itemId);    // item name table, ids 0..255
std::string DemoSpellName(int row);      // battle spell name table, rows 0..69
std::string DemoMonsterName(int row);    // rows 0..127
std::string DemoBattleMessage(int row);  // rows 0..98
std::string DemoCharacterName(int row);  // rows 0..8, padded with blanks to 6
// Dialogue entry `row` of dialogue category 1..3 (lines joined by CR LF);
// rows without demo text are empty.
std::string DemoDialogue(int set, int row);
// The label the demo Kivo.dat gives that dialogue row, or empty.
std::string DemoDialogueLabel(int set, int row);

}  // namespace kivo::demo
