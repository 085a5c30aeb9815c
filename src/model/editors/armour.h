#pragma once
// The 41 armour records: defence values, penalties, the stat boost and the
// elemental defence of the head gear, body armour and gloves. Row 0 of the
// armour list is "Unequipped"; row a >= 1 is item id 0x6F + a.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/core/rom_view.h"

namespace kivo {

// Record a lies at kArmourRecords + kArmourRecordSize * a.
inline constexpr std::size_t kArmourRecords = 0x30010;
inline constexpr std::size_t kArmourRecordSize = 6;
inline constexpr int kArmourCount = 41;

namespace armour {
inline constexpr std::size_t kDefence = 0;
inline constexpr std::size_t kEvadePenalty = 1;
inline constexpr std::size_t kIntSoulPenalty = 2;
inline constexpr std::size_t kElements = 3;  // element bit table
inline constexpr std::size_t kStatBoost = 4;
inline constexpr std::size_t kMagicDefence = 5;
}  // namespace armour

// Stat boost byte: 0xFF none, 0..5 a statistic. The Stat boost list shows
// "--none--" at row 0 and statistic s at row s + 1.
inline constexpr uint8_t kNoStatBoost = 0xFF;
inline constexpr int kStatBoostRows = 7;
inline constexpr std::array<std::string_view, kStatBoostRows> kStatBoostNames = {
    "--none--", "Strength", "Agility", "Vitality", "Intelligence", "Soul", "Magic",
};
// The row of a stored stat boost; nothing for 6..0xFE, which no row shows.
std::optional<int> StatBoostRow(uint8_t statBoost);
// The byte stored for a row (0 and rows outside the list: none).
uint8_t StatBoostOfRow(int row);

struct ArmourRecord {
  int defence = 0;
  int evadePenalty = 0;
  int intSoulPenalty = 0;
  uint8_t elements = 0;
  uint8_t statBoost = kNoStatBoost;  // kept as stored, even with no row for it
  int magicDefence = 0;

  // Record `index` (0..40); any other index reads as an empty record.
  static ArmourRecord Read(const ConstRomView& view, int index);
  // Writes record `index` with every number clamped to 0..255. An index
  // outside 0..40 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const ArmourRecord&) const = default;
};

std::size_t ArmourRecordOffset(int index);

}  // namespace kivo
