#pragma once
// The 64 weapon records (hand items: weapons and shields) and the palette
// number of each weapon's picture. Row 0 of the weapon list is "Unequipped";
// row w >= 1 is item id 0x30 + w.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/core/rom_view.h"

namespace kivo {

// Record w lies at kWeaponRecords + kWeaponRecordSize * w, directly behind
// the armour records.
inline constexpr std::size_t kWeaponRecords = 0x30106;
inline constexpr std::size_t kWeaponRecordSize = 9;
inline constexpr int kWeaponCount = 64;

namespace weapon {
inline constexpr std::size_t kType = 0;
inline constexpr std::size_t kAccuracy = 1;
inline constexpr std::size_t kAttack = 2;
inline constexpr std::size_t kEvade = 3;
inline constexpr std::size_t kIntSoulPenalty = 4;
inline constexpr std::size_t kElements = 5;  // attack elements; defence for a shield
inline constexpr std::size_t kRaces = 6;     // races it does added damage to
inline constexpr std::size_t kEffect = 7;    // added-effect byte
inline constexpr std::size_t kCastSpell = 8;
}  // namespace weapon

// Weapon types: the type byte is the row of the Type list.
inline constexpr int kWeaponTypeRows = 8;
inline constexpr std::array<std::string_view, kWeaponTypeRows> kWeaponTypeNames = {
    "Fist", "Shield", "Dagger", "Cane", "Spear", "Sword", "Axe", "Bow",
};
inline constexpr uint8_t kShieldType = 1;
// The row of a stored type; nothing for 8 and more.
std::optional<int> WeaponTypeRow(uint8_t type);

// Cast spell byte: 0xFF none, else a spell record 0..134. The Cast spell list
// shows "--none--" at row 0 and record m at row m + 1.
inline constexpr uint8_t kNoCastSpell = 0xFF;
inline constexpr int kCastSpellRows = 136;
// The row of a stored spell; nothing for 135..0xFE, which no row shows.
std::optional<int> CastSpellRow(uint8_t spell);
// The byte stored for a row (0 and rows outside the list: none).
uint8_t CastSpellOfRow(int row);

struct WeaponRecord {
  uint8_t type = 0;  // kept as stored, even with no row for it
  int accuracy = 0;
  int attack = 0;
  int evade = 0;
  int intSoulPenalty = 0;
  uint8_t elements = 0;
  uint8_t races = 0;
  uint8_t effect = 0;
  uint8_t castSpell = kNoCastSpell;  // kept as stored, even with no row for it

  // Record `index` (0..63); any other index reads as an empty record.
  static WeaponRecord Read(const ConstRomView& view, int index);
  // Writes record `index` with every number clamped to 0..255. An index
  // outside 0..63 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const WeaponRecord&) const = default;
};

std::size_t WeaponRecordOffset(int index);

// Weapon pictures: rows 10..63 have a palette number (a battle palette), one
// byte at kWeaponPalettes + w. Rows 0..9 have none and their byte is never
// written.
inline constexpr std::size_t kWeaponPalettes = 0x2CD8E;
inline constexpr int kFirstPaletteWeapon = 10;
constexpr bool HasWeaponPalette(int index) {
  return index >= kFirstPaletteWeapon && index < kWeaponCount;
}
// The palette number of weapon `index`; nothing for a row without a picture palette.
std::optional<uint8_t> ReadWeaponPalette(const ConstRomView& view, int index);
// Stores the palette number of weapon `index`; ignored for a row without one.
void WriteWeaponPalette(const RomView& view, int index, uint8_t palette);

}  // namespace kivo
