#pragma once
// Random encounters of the world map: which encounter index each of the 64
// map domains uses (one table for the normal game, one once Mysidia Tower is
// completed), the eight formation slots of each index, and how often each
// slot is chosen (the 64-entry slot distribution).

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/core/rom_view.h"

namespace kivo {

inline constexpr std::size_t kDomainTableOffset = 0x2C210;         // normal game
inline constexpr std::size_t kMysidiaDomainTableOffset = 0x2C250;  // Mysidia Tower completed
inline constexpr int kDomainCount = 64;
inline constexpr int kDomainSide = 32;  // cells per domain edge
inline constexpr int kDomainsPerRow = 8;
inline constexpr int kEncounterIndexCount = 116;

// Index E's slots lie at kEncounterSlotsOffset + kSlotsPerIndex * E.
inline constexpr std::size_t kEncounterSlotsOffset = 0x2C290;
inline constexpr int kSlotsPerIndex = 8;
inline constexpr uint8_t kSlotFormationMask = 0x7F;
inline constexpr uint8_t kSlotSecondFormationFlag = 0x80;  // "F-2"

// 64 slot numbers in ascending order; slot s is chosen with chance n_s / 64.
inline constexpr std::size_t kSlotDistributionOffset = 0x3C5D8;
inline constexpr int kSlotDistributionSize = 64;

using DomainTable = std::array<uint8_t, kDomainCount>;

// (y / 32) * 8 + x / 32 for a cell inside the map.
int DomainOfCell(int x, int y);
DomainTable ReadDomainTable(const ConstRomView& rom, bool mysidiaCompleted);
void WriteDomainTable(const RomView& rom, bool mysidiaCompleted, const DomainTable& table);
// A typed domain value outside 0..115 has no slots behind it, so it is clamped.
uint8_t ClampEncounterIndex(long long typed);

struct EncounterSlot {
  int formation = 0;  // 0..127
  bool secondFormation = false;

  bool operator==(const EncounterSlot&) const = default;
};
using EncounterSlots = std::array<EncounterSlot, kSlotsPerIndex>;

// Indexes outside 0..115 read as all zero and are never written.
EncounterSlots ReadEncounterSlots(const ConstRomView& rom, int index);
void WriteEncounterSlots(const RomView& rom, int index, const EncounterSlots& slots);

// How many of the 64 distribution entries are slots 0..7.
using SlotCounts = std::array<int, kSlotsPerIndex>;

// Counts the runs of 0, 1, ... 7 from the start of the table. Only the 64
// table bytes are read, so equal bytes behind the table never inflate a count.
SlotCounts ReadSlotDistribution(const ConstRomView& rom);

// The counts as they are stored: negatives read as 0, a count that would take
// the sum over 64 is cut to what is left, and a sum below 64 raises slot 0.
SlotCounts NormaliseSlotCounts(const SlotCounts& counts);

// Writes the normalised counts as 64 ascending slot numbers; never more than
// the 64 table bytes.
void WriteSlotDistribution(const RomView& rom, const SlotCounts& counts);

// The value a "/64" field takes after it was edited: when the eight counts
// (negatives as 0) add up to more than 64, the edited one becomes what is
// left of 64 (never below 0), so the correction always ends.
int CorrectedSlotCount(const SlotCounts& counts, int edited);

}  // namespace kivo
