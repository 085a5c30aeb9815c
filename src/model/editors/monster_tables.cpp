#include "model/editors/monster_tables.h"

#include <algorithm>

namespace kivo {

int ReadEntry(const ConstRomView& view, const ValueTable& table, int index) {
  if (!table.Has(index))
    return 0;
  const std::size_t at = table.EntryOffset(index);
  return table.entrySize == 2 ? view.Word(at) : view.Byte(at);
}

void WriteEntry(const RomView& view, const ValueTable& table, int index, int value) {
  if (!table.Has(index))
    return;
  const std::size_t at = table.EntryOffset(index);
  const int stored = std::clamp(value, 0, table.maxValue);
  if (table.entrySize == 2)
    view.SetWord(at, static_cast<uint16_t>(stored));
  else
    view.SetByte(at, static_cast<uint8_t>(stored));
}

GroupSlots ReadGroup(const ConstRomView& view, const GroupTable& table, int group) {
  GroupSlots slots{};
  if (!table.Has(group))
    return slots;
  for (int slot = 0; slot < kSlotsPerGroup; ++slot)
    slots[slot] = view.Byte(table.SlotOffset(group, slot));
  return slots;
}

void WriteSlot(const RomView& view, const GroupTable& table, int group, int slot, uint8_t value) {
  if (!table.Has(group) || slot < 0 || slot >= kSlotsPerGroup)
    return;
  view.SetByte(table.SlotOffset(group, slot), value);
}

std::optional<int> IndexRowOf(const ValueTable& table, int index) {
  return table.Has(index) ? std::optional<int>(index) : std::nullopt;
}

std::optional<int> GroupRowOf(const GroupTable& table, int group) {
  return table.Has(group) ? std::optional<int>(group) : std::nullopt;
}

std::optional<int> AiPackOf(uint8_t stored) {
  return kAiPacks.Has(stored) ? std::optional<int>(stored) : std::nullopt;
}

std::optional<int> AiPackRowOf(uint8_t stored) {
  if (stored == kNoAiPack)
    return 0;
  const std::optional<int> pack = AiPackOf(stored);
  return pack ? std::optional<int>(*pack + 1) : std::nullopt;
}

uint8_t AiPackOfRow(int row) {
  return row >= 1 && row < kAiPackRows ? static_cast<uint8_t>(row - 1) : kNoAiPack;
}

std::optional<int> ActionRowOf(uint8_t stored) {
  return stored < kActionRows ? std::optional<int>(stored) : std::nullopt;
}

std::optional<int> GilOf(uint8_t stored) {
  return stored >= kFirstGilByte ? std::optional<int>(stored - kFirstGilByte) : std::nullopt;
}

std::optional<int> SpoilsRowOf(uint8_t stored) {
  if (stored < kFirstGilRow)
    return stored;
  const std::optional<int> gil = GilOf(stored);
  return gil ? std::optional<int>(kFirstGilRow + *gil) : std::nullopt;
}

uint8_t SpoilsByteOfRow(int row) {
  if (row >= 0 && row < kFirstGilRow)
    return static_cast<uint8_t>(row);
  if (IsGilRow(row))
    return static_cast<uint8_t>(kFirstGilByte + row - kFirstGilRow);
  return 0;
}

uint8_t EffectToStore(uint8_t shown, int effectRow, const AilmentBoxes& ticks) {
  const int shownRow = EffectRowOf(shown);
  // Hidden boxes do not count: the user cannot see or change them.
  AilmentBoxes picked{};
  for (int box = 0; box < kAilmentBoxCount; ++box)
    picked[box] = ticks[box] && AilmentBoxShown(effectRow, box);
  if (effectRow == shownRow && picked == AilmentTicks(shownRow, shown))
    return shown;
  return EncodeAddedEffect(effectRow, ticks);
}

}  // namespace kivo
