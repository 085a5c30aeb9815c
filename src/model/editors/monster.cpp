#include "model/editors/monster.h"

#include <algorithm>

namespace kivo {
namespace {

// Record byte offsets.
constexpr std::size_t kAiPackByte = 0;
constexpr std::size_t kHpIndexByte = 1;
constexpr std::size_t kMpIndexByte = 2;
constexpr std::size_t kFirstNibbleByte = 3;  // bytes 3..9 hold two indexes each

bool ValidMonster(int monster) {
  return monster >= 0 && monster < kMonsterCount;
}

struct StatInfo {
  MonsterIndex index;
  const ValueTable* table;
};
constexpr std::array<StatInfo, kMonsterStatCount> kStats = {{
    {MonsterIndex::Hits, &kHitsValues},
    {MonsterIndex::Blocks, &kHitsValues},
    {MonsterIndex::MagicDefence, &kHitsValues},
    {MonsterIndex::Accuracy, &kAccuracyValues},
    {MonsterIndex::Evade, &kAccuracyValues},
    {MonsterIndex::MagicEvade, &kAccuracyValues},
    {MonsterIndex::Strength, &kStrengthValues},
    {MonsterIndex::Defence, &kStrengthValues},
    {MonsterIndex::Morale, &kStrengthValues},
}};

const StatInfo& Info(MonsterStat stat) {
  return kStats[static_cast<std::size_t>(stat)];
}

uint8_t OrBits(bool on, uint8_t bits, uint8_t into) {
  return on ? static_cast<uint8_t>(into | bits) : into;
}

}  // namespace

std::size_t MonsterRecordOffset(int monster) {
  return kMonsterRecords + kMonsterRecordSize * static_cast<std::size_t>(monster);
}

int MonsterOfRow(int32_t remembered) {
  return ValidMonster(remembered) ? remembered : 0;
}

MonsterIndex IndexOfStat(MonsterStat stat) {
  return Info(stat).index;
}

const ValueTable& TableOfStat(MonsterStat stat) {
  return *Info(stat).table;
}

MonsterRecord MonsterRecord::Read(const ConstRomView& view, int monster) {
  MonsterRecord r;
  if (!ValidMonster(monster))
    return r;
  const std::size_t at = MonsterRecordOffset(monster);
  r.aiPack = view.Byte(at + kAiPackByte);
  r.hpIndex = view.Byte(at + kHpIndexByte);
  r.mpIndex = view.Byte(at + kMpIndexByte);
  for (int i = 0; i < kMonsterIndexCount; ++i) {
    const uint8_t byte = view.Byte(at + kFirstNibbleByte + i / 2);
    r.indexes[i] = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
  }
  r.spoilsSet = static_cast<uint8_t>(ReadEntry(view, kSpoilsSetIndexes, monster));
  return r;
}

void MonsterRecord::Write(const RomView& view, int monster) const {
  if (!ValidMonster(monster))
    return;
  const std::size_t at = MonsterRecordOffset(monster);
  view.SetByte(at + kAiPackByte, aiPack);
  view.SetByte(at + kHpIndexByte, hpIndex);
  view.SetByte(at + kMpIndexByte, mpIndex);
  for (int i = 0; i < kMonsterIndexCount; i += 2) {
    const int high = std::min<int>(indexes[i], kMaxNibble);
    const int low = std::min<int>(indexes[i + 1], kMaxNibble);
    view.SetByte(at + kFirstNibbleByte + i / 2, static_cast<uint8_t>(high << 4 | low));
  }
  WriteEntry(view, kSpoilsSetIndexes, monster, spoilsSet);
}

MonsterFields MonsterFields::Read(const ConstRomView& view, int monster) {
  MonsterFields f;
  if (!ValidMonster(monster))
    return f;
  const MonsterRecord& r = f.record = MonsterRecord::Read(view, monster);
  f.hp = ReadEntry(view, kHpMpValues, r.hpIndex);
  f.mp = ReadEntry(view, kHpMpValues, r.mpIndex);
  for (int s = 0; s < kMonsterStatCount; ++s) {
    const StatInfo& info = kStats[s];
    f.stats[s] = ReadEntry(view, *info.table, r.index(info.index));
  }
  auto set = [&](const ValueTable& table, MonsterIndex i) {
    return static_cast<uint8_t>(ReadEntry(view, table, r.index(i)));
  };
  f.race = set(kRaceSets, MonsterIndex::RaceSet);
  f.resist = set(kResistSets, MonsterIndex::ResistSet);
  f.weakness = set(kElementSets, MonsterIndex::WeaknessSet);
  f.absorb = set(kElementSets, MonsterIndex::AbsorbSet);
  f.effect = set(kEffectSets, MonsterIndex::EffectSet);
  if (const std::optional<int> pack = AiPackOf(r.aiPack))
    f.actions = ReadGroup(view, kAiPacks, *pack);
  const GroupSlots spoils = ReadGroup(view, kSpoilsSets, r.spoilsSet);
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    f.spoils[k].byte = spoils[k];
    if (const std::optional<int> gil = GilOf(spoils[k]))
      f.spoils[k].gil = ReadEntry(view, kGilAmounts, *gil);
  }
  return f;
}

void MonsterFields::Write(const RomView& view, int monster) const {
  if (!ValidMonster(monster))
    return;
  const MonsterRecord& r = record;
  r.Write(view, monster);
  WriteEntry(view, kHpMpValues, r.hpIndex, hp);
  WriteEntry(view, kHpMpValues, r.mpIndex, mp);
  for (int s = 0; s < kMonsterStatCount; ++s) {
    const StatInfo& info = kStats[s];
    WriteEntry(view, *info.table, r.index(info.index), stats[s]);
  }

  const int raceSet = r.index(MonsterIndex::RaceSet);
  const int resistSet = r.index(MonsterIndex::ResistSet);
  const int weaknessSet = r.index(MonsterIndex::WeaknessSet);
  const int absorbSet = r.index(MonsterIndex::AbsorbSet);
  WriteEntry(view, kRaceSets, raceSet, 0);
  WriteEntry(view, kResistSets, resistSet, 0);
  WriteEntry(view, kElementSets, weaknessSet, 0);
  WriteEntry(view, kElementSets, absorbSet, 0);
  for (int k = 0; k < kBitBoxCount; ++k) {
    const auto bit = static_cast<uint8_t>(1 << k);
    auto orInto = [&](const ValueTable& table, int index, uint8_t bits) {
      WriteEntry(view, table, index, OrBits(bits & bit, bit, ReadEntry(view, table, index)));
    };
    orInto(kRaceSets, raceSet, race);
    orInto(kResistSets, resistSet, resist);
    orInto(kElementSets, weaknessSet, weakness);
    orInto(kElementSets, absorbSet, absorb);
  }

  WriteEntry(view, kEffectSets, r.index(MonsterIndex::EffectSet), effect);
  if (const std::optional<int> pack = AiPackOf(r.aiPack)) {
    for (int k = 0; k < kSlotsPerGroup; ++k)
      WriteSlot(view, kAiPacks, *pack, k, actions[k]);
  }
  if (kSpoilsSets.Has(r.spoilsSet)) {
    for (int k = 0; k < kSlotsPerGroup; ++k) {
      WriteSlot(view, kSpoilsSets, r.spoilsSet, k, spoils[k].byte);
      if (const std::optional<int> gil = GilOf(spoils[k].byte))
        WriteEntry(view, kGilAmounts, *gil, spoils[k].gil);
    }
  }
}

}  // namespace kivo
