#include "model/editors/armour.h"

#include <algorithm>

namespace kivo {
namespace {

namespace a = armour;

bool ValidIndex(int index) {
  return index >= 0 && index < kArmourCount;
}

uint8_t StoredByte(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::optional<int> StatBoostRow(uint8_t statBoost) {
  if (statBoost == kNoStatBoost)
    return 0;
  if (statBoost < kStatBoostRows - 1)
    return statBoost + 1;
  return std::nullopt;
}

uint8_t StatBoostOfRow(int row) {
  if (row < 1 || row >= kStatBoostRows)
    return kNoStatBoost;
  return static_cast<uint8_t>(row - 1);
}

std::size_t ArmourRecordOffset(int index) {
  return kArmourRecords + kArmourRecordSize * static_cast<std::size_t>(index);
}

ArmourRecord ArmourRecord::Read(const ConstRomView& view, int index) {
  ArmourRecord r;
  if (!ValidIndex(index))
    return r;
  const std::size_t at = ArmourRecordOffset(index);
  r.defence = view.Byte(at + a::kDefence);
  r.evadePenalty = view.Byte(at + a::kEvadePenalty);
  r.intSoulPenalty = view.Byte(at + a::kIntSoulPenalty);
  r.elements = view.Byte(at + a::kElements);
  r.statBoost = view.Byte(at + a::kStatBoost);
  r.magicDefence = view.Byte(at + a::kMagicDefence);
  return r;
}

void ArmourRecord::Write(const RomView& view, int index) const {
  if (!ValidIndex(index))
    return;
  const std::size_t at = ArmourRecordOffset(index);
  view.SetByte(at + a::kDefence, StoredByte(defence));
  view.SetByte(at + a::kEvadePenalty, StoredByte(evadePenalty));
  view.SetByte(at + a::kIntSoulPenalty, StoredByte(intSoulPenalty));
  view.SetByte(at + a::kElements, elements);
  view.SetByte(at + a::kStatBoost, statBoost);
  view.SetByte(at + a::kMagicDefence, StoredByte(magicDefence));
}

}  // namespace kivo
