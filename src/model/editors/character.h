#pragma once
// The nine character records: where they lie, what each byte means, and the
// lists the Character page shows ids in. Reading gives the values as the page
// shows them (levels from 1); writing clamps every value into its stored
// range, so every front end stores the same bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/core/rom_view.h"
#include "model/text/char_table.h"

namespace kivo {

// Record i lies at kCharacterRecords + kCharacterRecordSize * i.
inline constexpr std::size_t kCharacterRecords = 0xF90;
inline constexpr std::size_t kCharacterRecordSize = 0x80;
inline constexpr int kCharacterCount = 9;

// Offsets inside a record.
namespace character {
inline constexpr std::size_t kIndexAndHand = 0x00;  // bits 0..6 own index, bit 7 left-handed
inline constexpr std::size_t kName = 0x02;
inline constexpr std::size_t kHpCurrent = 0x08;  // words, little-endian
inline constexpr std::size_t kHpMax = 0x0A;
inline constexpr std::size_t kMpCurrent = 0x0C;
inline constexpr std::size_t kMpMax = 0x0E;
inline constexpr std::size_t kStrength = 0x10;
inline constexpr std::size_t kAgility = 0x11;
inline constexpr std::size_t kVitality = 0x12;
inline constexpr std::size_t kIntellect = 0x13;
inline constexpr std::size_t kSoul = 0x14;
inline constexpr std::size_t kEquipment = 0x19;  // head, body, glove, right, left, belt 1, 2
inline constexpr std::size_t kMagic = 0x25;
inline constexpr std::size_t kSpellIds = 0x30;     // + slot
inline constexpr std::size_t kSkills = 0x40;       // + 2 x skill: level - 1, experience
inline constexpr std::size_t kSpellLevels = 0x50;  // + 2 x slot: level - 1, experience
inline constexpr std::size_t kEvasionCount = 0x70;
inline constexpr std::size_t kEvasionPercent = 0x71;
inline constexpr std::size_t kMagicDefenceCount = 0x72;
inline constexpr std::size_t kMagicDefencePercent = 0x73;
inline constexpr std::size_t kRow = 0x75;  // 0 back row, anything else front row

inline constexpr uint8_t kLeftHandedBit = 0x80;
inline constexpr uint8_t kBackRowByte = 0;
inline constexpr uint8_t kFrontRowByte = 1;
}  // namespace character

// The six name bytes of record i.
inline constexpr std::size_t kCharacterNames = kCharacterRecords + character::kName;
inline constexpr std::size_t kCharacterNameSize = 6;

inline constexpr int kSpellSlotCount = 16;
inline constexpr int kWeaponSkillCount = 8;  // Fist, Shield, Knife, Cane, Spear, Sword, Axe, Bow

// Stored ranges.
inline constexpr int kMaxHpMp = 0xFFFF;
inline constexpr int kMaxStatistic = 99;  // statistics, percentages, experience
inline constexpr int kMinLevel = 1;       // levels and counts, stored minus 1
inline constexpr int kMaxLevel = 16;

// Equipment slots in record order.
enum class EquipmentSlot { Head, Body, Glove, RightHand, LeftHand, Belt1, Belt2 };
inline constexpr int kEquipmentSlotCount = 7;

// A list of ids: row 0 is "--none--" (id 0), row i > 0 is id offset + i.
struct IdList {
  int offset;
  int rows;  // rows after "--none--"
  int firstId() const { return offset + 1; }
};

inline constexpr IdList kSpellList{0xBF, 40};  // spells 0xC0..0xE7
inline constexpr IdList kHandList{0x30, 63};   // 0x31..0x6F
inline constexpr IdList kHeadList{0x6F, 10};   // 0x70..0x79
inline constexpr IdList kBodyList{0x79, 20};   // 0x7A..0x8D
inline constexpr IdList kGloveList{0x8D, 10};  // 0x8E..0x97
inline constexpr IdList kBeltList{0x00, 191};  // 0x01..0xBF

const IdList& EquipmentList(EquipmentSlot slot);

// The id a row stands for (row 0 and rows outside the list give 0).
uint8_t IdOfRow(const IdList& list, int row);
// The row of a stored id; nothing when the list has no row for it.
std::optional<int> RowOfId(const IdList& list, uint8_t id);

// Hand rows 56..63 (ids 0x68..0x6F) need both hands.
inline constexpr int kFirstTwoHandedRow = 56;
inline constexpr bool IsTwoHandedRow(int row) {
  return row >= kFirstTwoHandedRow;
}

// List rows of the two hands (-1: a stored id with no row).
struct HandRows {
  int right;
  int left;
  bool operator==(const HandRows&) const = default;
};
// The check made when a record is shown: right, left, left, right, each hand
// holding a two-handed item emptying the other.
HandRows CheckHands(HandRows rows);
// After the user picked in `changed` (RightHand or LeftHand): a two-handed
// item already held in the other hand keeps its place and the pick goes back
// to "--none--"; a newly picked two-handed item empties the other hand.
HandRows PickHand(HandRows rows, EquipmentSlot changed);

struct WeaponSkill {
  int level = 1;  // 1..16
  int experience = 0;
  bool operator==(const WeaponSkill&) const = default;
};

struct SpellSlot {
  uint8_t spell = 0;  // spell id, 0 = empty
  int level = 1;      // 1..16
  int experience = 0;
  bool operator==(const SpellSlot&) const = default;
};

struct CharacterRecord {
  bool leftHanded = false;
  int hpCurrent = 0, hpMax = 0, mpCurrent = 0, mpMax = 0;
  int strength = 0, agility = 0, vitality = 0, intellect = 0, soul = 0, magic = 0;
  // Stored ids, kept as they are even when no list has a row for them.
  std::array<uint8_t, kEquipmentSlotCount> equipment{};
  std::array<WeaponSkill, kWeaponSkillCount> skills{};
  std::array<SpellSlot, kSpellSlotCount> spells{};
  int evasionCount = 1, evasionPercent = 0;
  int magicDefenceCount = 1, magicDefencePercent = 0;
  bool backRow = false;

  uint8_t& item(EquipmentSlot slot) { return equipment[static_cast<std::size_t>(slot)]; }
  uint8_t item(EquipmentSlot slot) const { return equipment[static_cast<std::size_t>(slot)]; }

  // Record `index` (0..8); any other index reads as an empty record.
  static CharacterRecord Read(const ConstRomView& view, int index);
  // Writes into record `index` with every value clamped into its range; byte
  // 0 becomes the index itself. An index outside 0..8 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const CharacterRecord&) const = default;
};

std::size_t CharacterRecordOffset(int index);

// What the character list shows for record `index`: the six name bytes
// through `table`, or the character's default name when they read as six
// blanks.
std::string CharacterName(const ConstRomView& view, int index, const CharTable& table);
std::string_view DefaultCharacterName(int index);

}  // namespace kivo
