#include "model/editors/character.h"

#include <algorithm>

namespace kivo {
namespace {

namespace c = character;

constexpr std::array<std::string_view, kCharacterCount> kDefaultNames = {
    "Durediv", "Dodad", "Guy", "Minh", "Josef", "Gordon", "Layla", "Richard", "Lionheart",
};

constexpr std::array<IdList, kEquipmentSlotCount> kEquipmentLists = {
    kHeadList, kBodyList, kGloveList, kHandList, kHandList, kBeltList, kBeltList,
};

bool ValidIndex(int index) {
  return index >= 0 && index < kCharacterCount;
}

uint8_t StoredLevel(int shown) {
  return static_cast<uint8_t>(std::clamp(shown, kMinLevel, kMaxLevel) - 1);
}

uint8_t StoredStatistic(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, kMaxStatistic));
}

uint16_t StoredWord(int value) {
  return static_cast<uint16_t>(std::clamp(value, 0, kMaxHpMp));
}

}  // namespace

const IdList& EquipmentList(EquipmentSlot slot) {
  return kEquipmentLists[static_cast<std::size_t>(slot)];
}

uint8_t IdOfRow(const IdList& list, int row) {
  if (row < 1 || row > list.rows)
    return 0;
  return static_cast<uint8_t>(list.offset + row);
}

std::optional<int> RowOfId(const IdList& list, uint8_t id) {
  if (id == 0)
    return 0;
  const int row = id - list.offset;
  if (row < 1 || row > list.rows)
    return std::nullopt;
  return row;
}

HandRows CheckHands(HandRows rows) {
  auto check = [&rows](bool right) {
    if (IsTwoHandedRow(right ? rows.right : rows.left))
      (right ? rows.left : rows.right) = 0;
  };
  check(true);
  check(false);
  check(false);
  check(true);
  return rows;
}

HandRows PickHand(HandRows rows, EquipmentSlot changed) {
  const bool right = changed == EquipmentSlot::RightHand;
  int& picked = right ? rows.right : rows.left;
  int& other = right ? rows.left : rows.right;
  if (IsTwoHandedRow(other))
    picked = 0;
  if (IsTwoHandedRow(picked))
    other = 0;
  return rows;
}

std::size_t CharacterRecordOffset(int index) {
  return kCharacterRecords + kCharacterRecordSize * static_cast<std::size_t>(index);
}

CharacterRecord CharacterRecord::Read(const ConstRomView& view, int index) {
  CharacterRecord r;
  if (!ValidIndex(index))
    return r;
  const std::size_t at = CharacterRecordOffset(index);
  auto byte = [&](std::size_t offset) { return view.Byte(at + offset); };

  r.leftHanded = (byte(c::kIndexAndHand) & c::kLeftHandedBit) != 0;
  r.hpCurrent = view.Word(at + c::kHpCurrent);
  r.hpMax = view.Word(at + c::kHpMax);
  r.mpCurrent = view.Word(at + c::kMpCurrent);
  r.mpMax = view.Word(at + c::kMpMax);
  r.strength = byte(c::kStrength);
  r.agility = byte(c::kAgility);
  r.vitality = byte(c::kVitality);
  r.intellect = byte(c::kIntellect);
  r.soul = byte(c::kSoul);
  r.magic = byte(c::kMagic);
  for (int s = 0; s < kEquipmentSlotCount; ++s)
    r.equipment[s] = byte(c::kEquipment + s);
  for (int s = 0; s < kWeaponSkillCount; ++s) {
    r.skills[s].level = byte(c::kSkills + 2 * s) + 1;
    r.skills[s].experience = byte(c::kSkills + 2 * s + 1);
  }
  for (int k = 0; k < kSpellSlotCount; ++k) {
    r.spells[k].spell = byte(c::kSpellIds + k);
    r.spells[k].level = byte(c::kSpellLevels + 2 * k) + 1;
    r.spells[k].experience = byte(c::kSpellLevels + 2 * k + 1);
  }
  r.evasionCount = byte(c::kEvasionCount) + 1;
  r.evasionPercent = byte(c::kEvasionPercent);
  r.magicDefenceCount = byte(c::kMagicDefenceCount) + 1;
  r.magicDefencePercent = byte(c::kMagicDefencePercent);
  r.backRow = byte(c::kRow) == c::kBackRowByte;
  return r;
}

void CharacterRecord::Write(const RomView& view, int index) const {
  if (!ValidIndex(index))
    return;
  const std::size_t at = CharacterRecordOffset(index);
  auto set = [&](std::size_t offset, uint8_t value) { view.SetByte(at + offset, value); };

  set(c::kIndexAndHand, static_cast<uint8_t>(index | (leftHanded ? c::kLeftHandedBit : 0)));
  view.SetWord(at + c::kHpCurrent, StoredWord(hpCurrent));
  view.SetWord(at + c::kHpMax, StoredWord(hpMax));
  view.SetWord(at + c::kMpCurrent, StoredWord(mpCurrent));
  view.SetWord(at + c::kMpMax, StoredWord(mpMax));
  set(c::kStrength, StoredStatistic(strength));
  set(c::kAgility, StoredStatistic(agility));
  set(c::kVitality, StoredStatistic(vitality));
  set(c::kIntellect, StoredStatistic(intellect));
  set(c::kSoul, StoredStatistic(soul));
  set(c::kMagic, StoredStatistic(magic));
  for (int s = 0; s < kEquipmentSlotCount; ++s)
    set(c::kEquipment + s, equipment[s]);
  for (int s = 0; s < kWeaponSkillCount; ++s) {
    set(c::kSkills + 2 * s, StoredLevel(skills[s].level));
    set(c::kSkills + 2 * s + 1, StoredStatistic(skills[s].experience));
  }
  for (int k = 0; k < kSpellSlotCount; ++k) {
    set(c::kSpellIds + k, spells[k].spell);
    set(c::kSpellLevels + 2 * k, StoredLevel(spells[k].level));
    set(c::kSpellLevels + 2 * k + 1, StoredStatistic(spells[k].experience));
  }
  set(c::kEvasionCount, StoredLevel(evasionCount));
  set(c::kEvasionPercent, StoredStatistic(evasionPercent));
  set(c::kMagicDefenceCount, StoredLevel(magicDefenceCount));
  set(c::kMagicDefencePercent, StoredStatistic(magicDefencePercent));
  set(c::kRow, backRow ? c::kBackRowByte : c::kFrontRowByte);
}

std::string_view DefaultCharacterName(int index) {
  return ValidIndex(index) ? kDefaultNames[static_cast<std::size_t>(index)] : std::string_view();
}

std::string CharacterName(const ConstRomView& view, int index, const CharTable& table) {
  if (!ValidIndex(index))
    return {};
  // Every byte counts: no code ends a character's name early.
  std::string name;
  for (uint8_t byte : view.Bytes(CharacterRecordOffset(index) + c::kName, kCharacterNameSize)) {
    name += table[byte];
  }
  if (name == std::string(kCharacterNameSize, ' '))
    return std::string(DefaultCharacterName(index));
  return name;
}

}  // namespace kivo
