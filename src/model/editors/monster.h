#pragma once
// The 128 monster records and what the Monster page holds for one monster.
// A record holds indexes into the shared tables (monster_tables.h); the page
// shows the entries they select, and storing a value changes the entry for
// every monster that selects it.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/core/rom_view.h"
#include "model/editors/monster_tables.h"

namespace kivo {

// Record n lies at kMonsterRecords + kMonsterRecordSize * n.
inline constexpr std::size_t kMonsterRecords = 0x307D3;
inline constexpr std::size_t kMonsterRecordSize = 10;
inline constexpr int kMonsterCount = 128;
static_assert(kMonsterRecords + kMonsterRecordSize * kMonsterCount == kHpMpValues.offset);
static_assert(kSpoilsSetIndexes.entries == kMonsterCount);

std::size_t MonsterRecordOffset(int monster);

// The monster a remembered row names; 0 for a row outside 0..127.
int MonsterOfRow(int32_t remembered);

// The fourteen nibble indexes of record bytes 3..9, in record order (the
// high nibble of a byte first).
enum class MonsterIndex {
  Hits,
  Accuracy,
  Strength,
  EffectSet,
  Blocks,
  Evade,
  Defence,
  MagicDefence,
  MagicEvade,
  RaceSet,
  ResistSet,
  WeaknessSet,
  Morale,
  AbsorbSet,
};
inline constexpr int kMonsterIndexCount = 14;
inline constexpr int kMaxNibble = 15;

// The nine one-byte statistics, in the order Save stores them.
enum class MonsterStat {
  Hits,
  Blocks,
  MagicDefence,
  Accuracy,
  Evade,
  MagicEvade,
  Strength,
  Defence,
  Morale,
};
inline constexpr int kMonsterStatCount = 9;

MonsterIndex IndexOfStat(MonsterStat stat);
const ValueTable& TableOfStat(MonsterStat stat);

struct MonsterRecord {
  // Bytes as stored, kept even where no list has a row for them: an AI
  // pack of 58..0xFE, an HP or MP index of 32 or more, a spoils set of 60 or more.
  uint8_t aiPack = kNoAiPack;
  uint8_t hpIndex = 0;
  uint8_t mpIndex = 0;
  std::array<uint8_t, kMonsterIndexCount> indexes{};  // 0..15
  uint8_t spoilsSet = 0;                              // in the spoils bank

  uint8_t& index(MonsterIndex i) { return indexes[static_cast<std::size_t>(i)]; }
  uint8_t index(MonsterIndex i) const { return indexes[static_cast<std::size_t>(i)]; }

  // Record `monster` (0..127); any other reads as an empty record.
  static MonsterRecord Read(const ConstRomView& view, int monster);
  // Writes the ten record bytes and the spoils set index, every nibble index
  // clamped to 0..15. A monster outside 0..127 writes nothing.
  void Write(const RomView& view, int monster) const;

  bool operator==(const MonsterRecord&) const = default;
};

// One spoils slot as the page holds it.
struct SpoilsSlot {
  uint8_t byte = 0;  // nothing, an item id, 0xF0 + g, or a kept byte 0xC0..0xEF
  int gil = 0;       // the amount shown for a gil byte: stored into gil amount g
  bool operator==(const SpoilsSlot&) const = default;
};

// Everything the Monster page shows and stores for one monster.
struct MonsterFields {
  MonsterRecord record;
  int hp = 0;
  int mp = 0;
  std::array<int, kMonsterStatCount> stats{};  // by MonsterStat
  uint8_t race = 0;
  uint8_t resist = 0;
  uint8_t weakness = 0;
  uint8_t absorb = 0;
  uint8_t effect = 0;                               // the effect set's byte
  GroupSlots actions{};                             // of the AI pack, when the record names one
  std::array<SpoilsSlot, kSlotsPerGroup> spoils{};  // of the spoils set, when it names one

  int& stat(MonsterStat s) { return stats[static_cast<std::size_t>(s)]; }
  int stat(MonsterStat s) const { return stats[static_cast<std::size_t>(s)]; }

  // Monster `monster` as shown: each value read from the entry its index
  // selects (0 where the index selects no entry).
  static MonsterFields Read(const ConstRomView& view, int monster);

  // Save: the record, then the entries its indexes select, in this order:
  // HP, MP, the statistics in MonsterStat order, race, resist, weakness and
  // absorb sets (cleared first, then each ORed in, so a weakness and absorb
  // sharing an entry store both), the effect set, the AI pack's actions, the
  // spoils set's slots with their gil amounts in slot order. Where two fields
  // select one entry, the later one decides. Values are clamped; an index that
  // selects no entry writes no entry. A monster outside 0..127 writes nothing.
  void Write(const RomView& view, int monster) const;

  bool operator==(const MonsterFields&) const = default;
};

}  // namespace kivo
