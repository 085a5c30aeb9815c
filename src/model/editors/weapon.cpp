#include "model/editors/weapon.h"

#include <algorithm>

namespace kivo {
namespace {

namespace w = weapon;

bool ValidIndex(int index) {
  return index >= 0 && index < kWeaponCount;
}

uint8_t StoredByte(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::optional<int> WeaponTypeRow(uint8_t type) {
  if (type < kWeaponTypeRows)
    return type;
  return std::nullopt;
}

std::optional<int> CastSpellRow(uint8_t spell) {
  if (spell == kNoCastSpell)
    return 0;
  if (spell < kCastSpellRows - 1)
    return spell + 1;
  return std::nullopt;
}

uint8_t CastSpellOfRow(int row) {
  if (row < 1 || row >= kCastSpellRows)
    return kNoCastSpell;
  return static_cast<uint8_t>(row - 1);
}

std::size_t WeaponRecordOffset(int index) {
  return kWeaponRecords + kWeaponRecordSize * static_cast<std::size_t>(index);
}

WeaponRecord WeaponRecord::Read(const ConstRomView& view, int index) {
  WeaponRecord r;
  if (!ValidIndex(index))
    return r;
  const std::size_t at = WeaponRecordOffset(index);
  r.type = view.Byte(at + w::kType);
  r.accuracy = view.Byte(at + w::kAccuracy);
  r.attack = view.Byte(at + w::kAttack);
  r.evade = view.Byte(at + w::kEvade);
  r.intSoulPenalty = view.Byte(at + w::kIntSoulPenalty);
  r.elements = view.Byte(at + w::kElements);
  r.races = view.Byte(at + w::kRaces);
  r.effect = view.Byte(at + w::kEffect);
  r.castSpell = view.Byte(at + w::kCastSpell);
  return r;
}

void WeaponRecord::Write(const RomView& view, int index) const {
  if (!ValidIndex(index))
    return;
  const std::size_t at = WeaponRecordOffset(index);
  view.SetByte(at + w::kType, type);
  view.SetByte(at + w::kAccuracy, StoredByte(accuracy));
  view.SetByte(at + w::kAttack, StoredByte(attack));
  view.SetByte(at + w::kEvade, StoredByte(evade));
  view.SetByte(at + w::kIntSoulPenalty, StoredByte(intSoulPenalty));
  view.SetByte(at + w::kElements, elements);
  view.SetByte(at + w::kRaces, races);
  view.SetByte(at + w::kEffect, effect);
  view.SetByte(at + w::kCastSpell, castSpell);
}

std::optional<uint8_t> ReadWeaponPalette(const ConstRomView& view, int index) {
  if (!HasWeaponPalette(index))
    return std::nullopt;
  return view.Byte(kWeaponPalettes + static_cast<std::size_t>(index));
}

void WriteWeaponPalette(const RomView& view, int index, uint8_t palette) {
  if (HasWeaponPalette(index))
    view.SetByte(kWeaponPalettes + static_cast<std::size_t>(index), palette);
}

}  // namespace kivo
