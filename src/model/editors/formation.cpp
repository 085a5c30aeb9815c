#include "model/editors/formation.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr uint8_t kPatternTableMask = 0x0F;

bool IsFormation(int f) {
  return f >= 0 && f < kFormationCount;
}

std::size_t RecordOffset(int f) {
  return kFormationRecords + kFormationRecordSize * static_cast<std::size_t>(f);
}

uint8_t PaletteBit(int k) {
  return static_cast<uint8_t>(0x80 >> k);
}

int Nibble(int value, int max) {
  return std::clamp(value, 0, max);
}

uint8_t PackNibbles(int high, int low) {
  return static_cast<uint8_t>((Nibble(high, 15) << 4) | Nibble(low, 15));
}

}  // namespace

FormationRecord FormationRecord::Read(const ConstRomView& rom, int f) {
  FormationRecord r;
  if (!IsFormation(f))
    return r;
  const std::size_t at = RecordOffset(f);
  const uint8_t flags = rom.Byte(at + formation::kFlags);
  for (int k = 0; k < kFormationEnemies; ++k)
    r.usesPalette2[k] = (flags & PaletteBit(k)) != 0;
  r.patternTable = flags & kPatternTableMask;
  for (int b = 0; b < 2; ++b) {
    const uint8_t pictures = rom.Byte(at + formation::kPictures + b);
    r.pictures[2 * b] = pictures >> 4;
    r.pictures[2 * b + 1] = pictures & 0x0F;
  }
  r.palettes = {rom.Byte(at + formation::kPalettes), rom.Byte(at + formation::kPalettes + 1)};
  r.monsterSet = rom.Byte(at + formation::kMonsterSet);
  r.quantitySets = {rom.Byte(at + formation::kQuantitySets),
                    rom.Byte(at + formation::kQuantitySets + 1)};
  return r;
}

void FormationRecord::Write(const RomView& rom, int f) const {
  if (!IsFormation(f))
    return;
  const std::size_t at = RecordOffset(f);
  uint8_t flags = static_cast<uint8_t>(Nibble(patternTable, kPatternTableCount - 1));
  for (int k = 0; k < kFormationEnemies; ++k) {
    if (usesPalette2[k])
      flags |= PaletteBit(k);
  }
  rom.SetByte(at + formation::kFlags, flags);
  for (int b = 0; b < 2; ++b)
    rom.SetByte(at + formation::kPictures + b, PackNibbles(pictures[2 * b], pictures[2 * b + 1]));
  rom.SetByte(at + formation::kPalettes, palettes[0]);
  rom.SetByte(at + formation::kPalettes + 1, palettes[1]);
  rom.SetByte(at + formation::kMonsterSet, monsterSet);
  rom.SetByte(at + formation::kQuantitySets, quantitySets[0]);
  rom.SetByte(at + formation::kQuantitySets + 1, quantitySets[1]);
}

uint8_t ReadFormationExtra(const ConstRomView& rom, int f) {
  return IsFormation(f) ? rom.Byte(kFormationExtraBytes + static_cast<std::size_t>(f)) : 0;
}

void WriteFormationExtra(const RomView& rom, int f, uint8_t value) {
  if (IsFormation(f))
    rom.SetByte(kFormationExtraBytes + static_cast<std::size_t>(f), value);
}

bool IsMonsterSetRow(int m) {
  return m >= 0 && m < kMonsterSetCount;
}

bool IsQuantitySetRow(int q) {
  return q >= 0 && q < kQuantitySetCount;
}

MonsterSet ReadMonsterSet(const ConstRomView& rom, int m) {
  MonsterSet set{};
  if (!IsMonsterSetRow(m))
    return set;
  for (int k = 0; k < kFormationEnemies; ++k)
    set[k] = rom.Byte(kMonsterSets + kSetRowSize * static_cast<std::size_t>(m) + k);
  return set;
}

void WriteMonsterSet(const RomView& rom, int m, const MonsterSet& set) {
  if (!IsMonsterSetRow(m))
    return;
  rom.SetBytes(kMonsterSets + kSetRowSize * static_cast<std::size_t>(m), set);
}

QuantitySet ReadQuantitySet(const ConstRomView& rom, int q) {
  QuantitySet set{};
  if (!IsQuantitySetRow(q))
    return set;
  for (int k = 0; k < kFormationEnemies; ++k) {
    const uint8_t b = rom.Byte(kQuantitySets + kSetRowSize * static_cast<std::size_t>(q) + k);
    set[k] = {b & 0x0F, b >> 4};
  }
  return set;
}

void WriteQuantitySet(const RomView& rom, int q, const QuantitySet& set) {
  if (!IsQuantitySetRow(q))
    return;
  for (int k = 0; k < kFormationEnemies; ++k) {
    rom.SetByte(kQuantitySets + kSetRowSize * static_cast<std::size_t>(q) + k,
                PackNibbles(set[k].greatest, set[k].least));
  }
}

}  // namespace kivo
