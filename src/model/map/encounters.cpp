#include "model/map/encounters.h"

#include <algorithm>

namespace kivo {

namespace {

std::size_t DomainTableAt(bool mysidiaCompleted) {
  return mysidiaCompleted ? kMysidiaDomainTableOffset : kDomainTableOffset;
}

bool ValidIndex(int index) {
  return index >= 0 && index < kEncounterIndexCount;
}

std::size_t SlotsAt(int index) {
  return kEncounterSlotsOffset + static_cast<std::size_t>(kSlotsPerIndex) * index;
}

}  // namespace

int DomainOfCell(int x, int y) {
  x = std::clamp(x, 0, kDomainSide * kDomainsPerRow - 1);
  y = std::clamp(y, 0, kDomainSide * kDomainsPerRow - 1);
  return (y / kDomainSide) * kDomainsPerRow + x / kDomainSide;
}

DomainTable ReadDomainTable(const ConstRomView& rom, bool mysidiaCompleted) {
  DomainTable table{};
  const std::size_t at = DomainTableAt(mysidiaCompleted);
  for (int d = 0; d < kDomainCount; ++d) {
    table[d] = rom.Byte(at + d);
  }
  return table;
}

void WriteDomainTable(const RomView& rom, bool mysidiaCompleted, const DomainTable& table) {
  rom.SetBytes(DomainTableAt(mysidiaCompleted), table);
}

uint8_t ClampEncounterIndex(long long typed) {
  return static_cast<uint8_t>(std::clamp<long long>(typed, 0, kEncounterIndexCount - 1));
}

EncounterSlots ReadEncounterSlots(const ConstRomView& rom, int index) {
  EncounterSlots slots{};
  if (!ValidIndex(index)) {
    return slots;
  }
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    const uint8_t b = rom.Byte(SlotsAt(index) + s);
    slots[s].formation = b & kSlotFormationMask;
    slots[s].secondFormation = (b & kSlotSecondFormationFlag) != 0;
  }
  return slots;
}

void WriteEncounterSlots(const RomView& rom, int index, const EncounterSlots& slots) {
  if (!ValidIndex(index)) {
    return;
  }
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    uint8_t b = static_cast<uint8_t>(std::clamp(slots[s].formation, 0, 127));
    if (slots[s].secondFormation) {
      b |= kSlotSecondFormationFlag;
    }
    rom.SetByte(SlotsAt(index) + s, b);
  }
}

SlotCounts ReadSlotDistribution(const ConstRomView& rom) {
  SlotCounts counts{};
  int at = 0;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    while (at < kSlotDistributionSize && rom.Byte(kSlotDistributionOffset + at) == s) {
      ++counts[s];
      ++at;
    }
  }
  return counts;
}

SlotCounts NormaliseSlotCounts(const SlotCounts& counts) {
  SlotCounts out{};
  int left = kSlotDistributionSize;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    out[s] = std::clamp(counts[s], 0, left);
    left -= out[s];
  }
  out[0] += left;
  return out;
}

void WriteSlotDistribution(const RomView& rom, const SlotCounts& counts) {
  const SlotCounts stored = NormaliseSlotCounts(counts);
  std::array<uint8_t, kSlotDistributionSize> table{};
  int at = 0;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    for (int i = 0; i < stored[s]; ++i) {
      table[at++] = static_cast<uint8_t>(s);
    }
  }
  rom.SetBytes(kSlotDistributionOffset, table);
}

int CorrectedSlotCount(const SlotCounts& counts, int edited) {
  if (edited < 0 || edited >= kSlotsPerIndex) {
    return 0;
  }
  int others = 0;
  int sum = 0;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    const int n = std::max(counts[s], 0);
    sum += n;
    if (s != edited) {
      others += n;
    }
  }
  const int value = std::max(counts[edited], 0);
  if (sum <= kSlotDistributionSize) {
    return value;
  }
  return std::max(kSlotDistributionSize - others, 0);
}

}  // namespace kivo
