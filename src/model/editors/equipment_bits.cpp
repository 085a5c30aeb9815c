#include "model/editors/equipment_bits.h"

#include "model/text/labels.h"

namespace kivo {
namespace {

constexpr int kEffectBitCount = 6;  // bits 0..5 name the effect

bool IsAilmentRow(int effectRow) {
  return effectRow == kEffectPermanentAilment || effectRow == kEffectTemporaryAilment;
}

}  // namespace

BitBoxes BoxesOfBits(uint8_t bits) {
  BitBoxes boxes{};
  for (int k = 0; k < kBitBoxCount; ++k)
    boxes[k] = (bits >> k) & 1;
  return boxes;
}

uint8_t BitsOfBoxes(const BitBoxes& boxes) {
  uint8_t bits = 0;
  for (int k = 0; k < kBitBoxCount; ++k) {
    if (boxes[k])
      bits |= static_cast<uint8_t>(1 << k);
  }
  return bits;
}

int EffectRowOf(uint8_t effectByte) {
  for (int bit = 0; bit < kEffectBitCount; ++bit) {
    if (effectByte & (1 << bit))
      return bit + 1;
  }
  return kEffectNothing;
}

bool AilmentBoxShown(int effectRow, int box) {
  if (box < 0 || box >= kAilmentBoxCount)
    return false;
  if (effectRow == kEffectPermanentAilment)
    return true;
  // Bit 0x02 is the temporary effect's own bit, so its first box is hidden.
  return effectRow == kEffectTemporaryAilment && box >= 1;
}

AilmentBoxes AilmentTicks(int effectRow, uint8_t effectByte) {
  AilmentBoxes ticks{};
  for (int box = 0; box < kAilmentBoxCount; ++box)
    ticks[box] = AilmentBoxShown(effectRow, box) && (effectByte & AilmentBit(box));
  return ticks;
}

uint8_t EncodeAddedEffect(int effectRow, const AilmentBoxes& ticks) {
  if (effectRow <= kEffectNothing || effectRow >= kEffectRowCount)
    return 0;
  uint8_t byte = static_cast<uint8_t>(1 << (effectRow - 1));
  if (!IsAilmentRow(effectRow))
    return byte;
  for (int box = 0; box < kAilmentBoxCount; ++box) {
    if (ticks[box] && AilmentBoxShown(effectRow, box))
      byte |= AilmentBit(box);
  }
  return byte;
}

uint8_t StoreAddedEffect(int effectRow, const AilmentBoxes& ticks, uint8_t stored) {
  if (!IsAilmentRow(effectRow) && effectRow == EffectRowOf(stored))
    return stored;
  return EncodeAddedEffect(effectRow, ticks);
}

std::string EffectRowText(const SettingsBlock& settings, int row) {
  return RowText(settings, GetLabelSet(LabelSetId::AddedEffects), row);
}

std::string AilmentCaption(const SettingsBlock& settings, int effectRow, int box) {
  if (!AilmentBoxShown(effectRow, box))
    return {};
  if (effectRow == kEffectPermanentAilment)
    return RowText(settings, GetLabelSet(LabelSetId::PermanentAilments), box);
  return RowText(settings, GetLabelSet(LabelSetId::TemporaryAilments), box - 1);
}

}  // namespace kivo
