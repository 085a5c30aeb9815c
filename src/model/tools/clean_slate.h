#pragma once
// Clean the Slate: blanks chosen kinds of game data in the image in one
// step, so that a project can start from empty tables. Every box of the
// dialog is one entry of a table, applied in the table's order; the battle
// messages come last.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/core/message.h"
#include "model/core/rom_view.h"
#include "model/text/name_tables.h"

namespace kivo {

enum class SlateGroup {
  CharacterStats,
  Formations,
  Graphics,
  Maps,
  Spells,
  MonsterStats,
  Equipment,
  Shops,
  Text,
};
inline constexpr int kSlateGroupCount = 9;
std::string_view SlateGroupCaption(SlateGroup group);

enum class SlateEffect {
  None,            // a parent box, or a box that does nothing
  Fill,            // the ranges get `value`
  CharacterStats,  // the ranges get 0 and bit 7 of each character's first byte is cleared
  WorldMap,        // every row becomes one run of the default tile
  TextList,        // every string the pointers lead to becomes zeros
  Notice,          // blanks nothing, only shows `notice`
};

// `count` records of `length` bytes, the first at `first`, each `step` further.
struct ByteRecords {
  std::size_t first = 0;
  int count = 0;
  std::size_t length = 0;
  std::size_t step = 0;
};

struct SlateBox {
  int id = 0;
  std::string_view caption{};
  SlateGroup group = SlateGroup::Text;
  SlateEffect effect = SlateEffect::None;
  std::array<ByteRecords, 3> ranges{};
  int rangeCount = 0;
  uint8_t value = 0;
  PointerTable list{};
  std::string_view notice{};
  bool alwaysDisabled = false;  // shown, never checked
};

// Every box of the dialog, parents included, in the order they are applied.
std::span<const SlateBox> SlateBoxes();
// The box with template id `id`, or nullptr.
const SlateBox* FindSlateBox(int id);

// The default tile list offers metatiles 0x00..0x7E: 0x7F cannot head a run.
inline constexpr int kSlateTileCount = 127;
inline constexpr uint8_t kDefaultSlateTile = 0x1E;

inline constexpr const char* kSlateCleanedText = "The slate has been wiped clean.";
inline constexpr const char* kSlateNotCleanedText = "The slate was not cleaned.";
inline constexpr const char* kSlateWriteFailedText = "Could not open rom for cleaning...";

struct SlateOutcome {
  std::vector<int> blanked;  // ids of the boxes that blanked something, in order
  Messages messages;         // the notices, then the report
  bool cleaned = false;
};

// Blanks the image for every box in `checkedIds` (ids of parents and unknown
// ids are ignored), in the table's order. `defaultTile` outside 0..0x7E
// gives kDefaultSlateTile.
SlateOutcome CleanSlate(const RomView& rom, std::span<const int> checkedIds, int defaultTile);

// How many kinds of data the boxes `checkedIds` blank: boxes that only show
// a notice, parents and unknown ids count for nothing.
int CountBlankingBoxes(std::span<const int> checkedIds);

// Zeroes the string each pointer leads to, up to its 0x00 byte or the end of
// the image; the pointers stay. Nothing outside the image is touched.
void BlankTextList(const RomView& rom, const PointerTable& list);

// Points row r at 0x8200 + 4r, writes every row as a run header of `tile`
// with length 0, `tile` as a literal and the row end, and zeroes the rest of
// the map's room.
void BlankWorldMap(const RomView& rom, uint8_t tile);

}  // namespace kivo
