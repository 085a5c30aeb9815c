#pragma once
// The game's name tables: pointer tables whose entries lead to 0x00-terminated
// names, and the ranges of the item name table by item id.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/text/char_table.h"

namespace kivo {

class SettingsBlock;

// Entry r of a pointer table is the 16-bit little-endian pointer at
// `offset` + 2r; its text starts at pointer + `textBase`. Both are file
// offsets of a standalone image (the base shift is added when reading).
struct PointerTable {
  std::size_t offset;
  int count;
  std::size_t textBase;
  constexpr std::size_t EntryOffset(int row) const { return offset + 2 * std::size_t(row); }
};

// The pointers are the game's addresses of a bank mapped at 0x8000, so a text
// base is the bank's file offset minus 0x8000.
inline constexpr std::size_t kItemTextBase = 0x20010;   // bank at 0x28010
inline constexpr std::size_t kBattleTextBase = 0xC010;  // bank at 0x14010

inline constexpr PointerTable kItemNameTable{0x28210, 256, kItemTextBase};
inline constexpr PointerTable kSpellNameTable{0x170CB, 70, kBattleTextBase};
inline constexpr PointerTable kMonsterNameTable{0x16C54, 128, kBattleTextBase};
inline constexpr PointerTable kBattleMessageTable{0x172B7, 99, kBattleTextBase};

// Item ids first..last, inclusive.
struct ItemIdRange {
  int first;
  int last;
  constexpr int count() const { return last - first + 1; }
};

inline constexpr ItemIdRange kItemIds{0x01, 0x2E};
inline constexpr ItemIdRange kMiscellaneousWordId{0x2F, 0x2F};
inline constexpr ItemIdRange kWeaponIds{0x31, 0x6F};
inline constexpr ItemIdRange kArmourIds{0x70, 0x97};
inline constexpr ItemIdRange kSpellScrollIds{0x98, 0xBF};
inline constexpr ItemIdRange kSpellIds{0xC0, 0xE7};
inline constexpr ItemIdRange kMiscellaneousWordIds{0xE8, 0xF0};
inline constexpr ItemIdRange kKeywordIds{0xF1, 0xFF};
// What lists of all items show: items, weapons, armour and spell scrolls.
inline constexpr ItemIdRange kAllItemIds{0x01, 0xBF};

// The part of the item name table that a range of ids covers.
constexpr PointerTable ItemNameRange(ItemIdRange range) {
  return {kItemNameTable.EntryOffset(range.first), range.count(), kItemTextBase};
}

// The decoded names of `count` entries of the pointer table at image index
// `pointerTable`, texts at pointer + `textBase` (both already include the
// base shift): what a name list inserts, one row per entry. A pointer or a
// text outside the image decodes to what lies inside it.
std::vector<std::string> DecodeNameRange(std::span<const uint8_t> image, int count,
                                         std::size_t pointerTable, std::size_t textBase,
                                         const CharTable& table);

// The same for a whole table at file offsets of a standalone image.
std::vector<std::string> DecodeNames(std::span<const uint8_t> image, uint32_t baseShift,
                                     const PointerTable& names, const CharTable& table);

// The keyword name cache holds 39 bytes and a zero byte per field.
inline constexpr std::size_t kKeywordNameBytes = 39;

// Rebuilds the keyword name cache: field 0 empty, field i the name of item id
// i decoded through the DTE table.
void BuildKeywordNames(std::span<const uint8_t> image, uint32_t baseShift, const CharTable& dte,
                       SettingsBlock& settings);

}  // namespace kivo
