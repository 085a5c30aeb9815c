#pragma once
// The tables monster records index into. A record holds small indexes, not
// values, so many monsters share one entry: the hit point values, the hits,
// accuracy and strength values, the added-effect, race, resist and element
// sets, the AI packs, and, in another bank, the spoils sets and gil amounts.
// Reads and writes of an index with no entry never touch the image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/core/rom_view.h"
#include "model/editors/equipment_bits.h"

namespace kivo {

// `entries` values of `entrySize` bytes (1, or 2 little-endian) from `offset`,
// each stored in 0..maxValue.
struct ValueTable {
  std::size_t offset;
  int entries;
  int entrySize;
  int maxValue;
  constexpr bool Has(int index) const { return index >= 0 && index < entries; }
  constexpr std::size_t EntryOffset(int index) const {
    return offset + static_cast<std::size_t>(entrySize) * static_cast<std::size_t>(index);
  }
  constexpr std::size_t end() const { return EntryOffset(entries); }
};

// Directly behind the 128 monster records, in this order.
inline constexpr ValueTable kHpMpValues{0x30CD3, 32, 2, 0xFFFF};
inline constexpr ValueTable kHitsValues{0x30D13, 16, 1, 0xFF};      // Hits, Blocks, M.Def
inline constexpr ValueTable kAccuracyValues{0x30D23, 16, 1, 0xFF};  // Acc, Evade, M.Eva
inline constexpr ValueTable kStrengthValues{0x30D33, 16, 1, 0xFF};  // Str, Def, Morale
inline constexpr ValueTable kEffectSets{0x30D43, 16, 1, 0xFF};      // added-effect bytes
inline constexpr ValueTable kRaceSets{0x30D53, 16, 1, 0xFF};        // race bits
inline constexpr ValueTable kResistSets{0x30D63, 16, 1, 0xFF};      // element bits
inline constexpr ValueTable kElementSets{0x30D73, 16, 1, 0xFF};     // weakness and absorb

// The spoils bank: one set index per monster, the sets, the gil amounts.
inline constexpr ValueTable kSpoilsSetIndexes{0x17790, 128, 1, 0xFF};
inline constexpr ValueTable kGilAmounts{0x179F0, 16, 2, 0xFFFF};

// `groups` groups of eight one-byte slots from `offset`.
inline constexpr int kSlotsPerGroup = 8;
using GroupSlots = std::array<uint8_t, kSlotsPerGroup>;

struct GroupTable {
  std::size_t offset;
  int groups;
  constexpr bool Has(int group) const { return group >= 0 && group < groups; }
  constexpr std::size_t SlotOffset(int group, int slot) const {
    return offset + static_cast<std::size_t>(kSlotsPerGroup * group + slot);
  }
  constexpr std::size_t end() const { return SlotOffset(groups, 0); }
};

inline constexpr GroupTable kAiPacks{0x30D83, 58};     // eight action bytes each
inline constexpr GroupTable kSpoilsSets{0x17810, 60};  // eight spoils bytes each

static_assert(kHpMpValues.end() == kHitsValues.offset);
static_assert(kHitsValues.end() == kAccuracyValues.offset);
static_assert(kAccuracyValues.end() == kStrengthValues.offset);
static_assert(kStrengthValues.end() == kEffectSets.offset);
static_assert(kEffectSets.end() == kRaceSets.offset);
static_assert(kRaceSets.end() == kResistSets.offset);
static_assert(kResistSets.end() == kElementSets.offset);
static_assert(kElementSets.end() == kAiPacks.offset);
static_assert(kSpoilsSetIndexes.end() == kSpoilsSets.offset);
static_assert(kSpoilsSets.end() == kGilAmounts.offset);

// Entry `index`; 0 for an index the table does not have.
int ReadEntry(const ConstRomView& view, const ValueTable& table, int index);
// Stores `value` clamped to 0..maxValue; an index the table does not have
// writes nothing.
void WriteEntry(const RomView& view, const ValueTable& table, int index, int value);

// The eight slots of `group`; all 0 for a group the table does not have.
GroupSlots ReadGroup(const ConstRomView& view, const GroupTable& table, int group);
// Writes nothing for a group or slot the table does not have.
void WriteSlot(const RomView& view, const GroupTable& table, int group, int slot, uint8_t value);

// ---- Rows of the page's lists ------------------------------------------------
// Each maps a stored byte to its row, or to nothing when the list has no row
// for it: such a byte is kept as stored until the user picks a row.

// Index lists show one row per entry ("Index %d").
std::optional<int> IndexRowOf(const ValueTable& table, int index);
// The spoils set list shows one row per set ("Index %d").
std::optional<int> GroupRowOf(const GroupTable& table, int group);

// AI pack list: row 0 "--none--" (byte 0xFF), row p + 1 pack p.
inline constexpr uint8_t kNoAiPack = 0xFF;
inline constexpr int kAiPackRows = 1 + kAiPacks.groups;
std::optional<int> AiPackRowOf(uint8_t stored);
uint8_t AiPackOfRow(int row);  // row 0 (and any row outside the list) is "--none--"
// The pack a stored byte names, or nothing ("--none--" or a byte past the table).
std::optional<int> AiPackOf(uint8_t stored);

// Action lists: row 0 "Attack", row m + 1 spell record m.
inline constexpr int kActionRows = 136;
std::optional<int> ActionRowOf(uint8_t stored);

// Spoils lists: row 0 "Nothing", rows 1..191 item ids 0x01..0xBF, rows
// 192..207 gil amounts 0..15 (stored as 0xF0 + g). Bytes 0xC0..0xEF have no row.
inline constexpr int kFirstGilRow = 192;
inline constexpr int kSpoilsRows = kFirstGilRow + kGilAmounts.entries;
inline constexpr uint8_t kFirstGilByte = 0xF0;
std::optional<int> SpoilsRowOf(uint8_t stored);
uint8_t SpoilsByteOfRow(int row);  // 0 for a row outside the list
inline constexpr bool IsGilRow(int row) {
  return row >= kFirstGilRow && row < kSpoilsRows;
}
// The gil amount a spoils byte names, or nothing for any other byte.
std::optional<int> GilOf(uint8_t stored);

// ---- Effect sets ---------------------------------------------------------------

// The byte Save stores for an effect set shown from `shown`: the byte the row
// and ticks encode, except that `shown` is kept whole while the row and ticks
// are still what it shows, so bits no box shows survive an unchanged Save.
uint8_t EffectToStore(uint8_t shown, int effectRow, const AilmentBoxes& ticks);

}  // namespace kivo
