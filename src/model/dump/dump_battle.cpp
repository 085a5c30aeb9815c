// The monster and formation kinds, with the shared tables their records
// point into.

#include "model/dump/dump_table.h"
#include "model/editors/formation.h"
#include "model/editors/monster.h"
#include "model/editors/monster_tables.h"
#include "model/gfx/battle_palettes.h"

namespace kivo::dump {
namespace {

std::unique_ptr<Table> Values(std::string key, std::string noun, const kivo::ValueTable& table) {
  return std::make_unique<ValueTable>(ValueTable::Layout{
      .key = std::move(key),
      .noun = std::move(noun),
      .count = table.entries,
      .min = 0,
      .max = table.maxValue,
      .read = [&table](const ConstRomView& v, int i) { return ReadEntry(v, table, i); },
      .write = [&table](const RomView& v, int i, int value) { WriteEntry(v, table, i, value); },
      .spans = {{table.offset, table.end() - table.offset}},
  });
}

std::unique_ptr<Table> Groups(std::string key, std::string noun, std::string field,
                              const GroupTable& table, Namer namer) {
  using G = GroupSlots;
  auto layout = RecordTable<G>::Layout{
      .key = std::move(key),
      .noun = std::move(noun),
      .first = 0,
      .count = table.groups,
      .read = [&table](const ConstRomView& v, int i) { return ReadGroup(v, table, i); },
      .write =
          [&table](const RomView& v, int i, const G& g) {
            for (int s = 0; s < kSlotsPerGroup; ++s)
              WriteSlot(v, table, i, s, g[std::size_t(s)]);
          },
      .fields = {KIVO_DUMP_FIELD(G, "", kSlotsPerGroup, r[std::size_t(i)], 0, 255)},
      .spans = {{table.offset, table.end() - table.offset}},
  };
  layout.fields[0].key = std::move(field);
  layout.fields[0].namer = std::move(namer);
  return std::make_unique<RecordTable<G>>(std::move(layout));
}

std::optional<std::string> ActionName(const Names& names, int action) {
  if (action == 0)
    return "Attack";
  if (!ActionRowOf(static_cast<uint8_t>(action)))
    return std::nullopt;
  return Names::Of(names.spellRecords, action - 1);
}

std::optional<std::string> SpoilsName(const Names& names, int spoils) {
  if (spoils == 0)
    return std::nullopt;
  if (std::optional<int> gil = GilOf(static_cast<uint8_t>(spoils)))
    return "gil amount " + std::to_string(*gil);
  if (!SpoilsRowOf(static_cast<uint8_t>(spoils)))
    return std::nullopt;
  return names.Item(spoils);
}

}  // namespace

Tables MonsterTables() {
  using R = MonsterRecord;
  using I = MonsterIndex;
  auto nibble = [](std::string key, I index) {
    return Field<R>{key,
                    0,
                    0,
                    kMaxNibble,
                    std::nullopt,
                    [index](const R& r, int) { return int(r.index(index)); },
                    [index](R& r, int, int v) { r.index(index) = static_cast<uint8_t>(v); }};
  };
  Tables tables;
  tables.push_back(std::make_unique<RecordTable<R>>(RecordTable<R>::Layout{
      .key = "records",
      .noun = "monster records",
      .first = 0,
      .count = kMonsterCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              Field<R>{"ai_pack", 0, 0, kAiPacks.groups - 1, kNoAiPack,
                       [](const R& r, int) { return int(r.aiPack); },
                       [](R& r, int, int v) { r.aiPack = static_cast<uint8_t>(v); }},
              KIVO_DUMP_FIELD(R, "hp_index", 0, r.hpIndex, 0, kHpMpValues.entries - 1),
              KIVO_DUMP_FIELD(R, "mp_index", 0, r.mpIndex, 0, kHpMpValues.entries - 1),
              nibble("hits_index", I::Hits),
              nibble("accuracy_index", I::Accuracy),
              nibble("strength_index", I::Strength),
              nibble("effect_set", I::EffectSet),
              nibble("blocks_index", I::Blocks),
              nibble("evade_index", I::Evade),
              nibble("defence_index", I::Defence),
              nibble("magic_defence_index", I::MagicDefence),
              nibble("magic_evade_index", I::MagicEvade),
              nibble("race_set", I::RaceSet),
              nibble("resist_set", I::ResistSet),
              nibble("weakness_set", I::WeaknessSet),
              nibble("morale_index", I::Morale),
              nibble("absorb_set", I::AbsorbSet),
              KIVO_DUMP_FIELD(R, "spoils_set", 0, r.spoilsSet, 0, kSpoilsSets.groups - 1),
          },
      .spans = {{kMonsterRecords, kMonsterRecordSize * kMonsterCount},
                {kSpoilsSetIndexes.offset, kSpoilsSetIndexes.end() - kSpoilsSetIndexes.offset}},
      .recordName = [](const Scope& scope, int i) -> std::optional<std::string> {
        return Names::Of(scope.names.monsters, i);
      },
  }));
  tables.push_back(Values("hp_mp_values", "HP and MP values", kHpMpValues));
  tables.push_back(Values("hits_values", "hits values", kHitsValues));
  tables.push_back(Values("accuracy_values", "accuracy values", kAccuracyValues));
  tables.push_back(Values("strength_values", "strength values", kStrengthValues));
  tables.push_back(Values("effect_sets", "effect sets", kEffectSets));
  tables.push_back(Values("race_sets", "race sets", kRaceSets));
  tables.push_back(Values("resist_sets", "resist sets", kResistSets));
  tables.push_back(Values("element_sets", "element sets", kElementSets));
  tables.push_back(Groups("ai_packs", "AI packs", "actions", kAiPacks, ActionName));
  tables.push_back(Groups("spoils_sets", "spoils sets", "spoils", kSpoilsSets, SpoilsName));
  tables.push_back(Values("gil_amounts", "gil amounts", kGilAmounts));
  return tables;
}

Tables FormationTables() {
  using R = FormationRecord;
  Tables tables;
  tables.push_back(std::make_unique<RecordTable<R>>(RecordTable<R>::Layout{
      .key = "records",
      .noun = "formation records",
      .first = 0,
      .count = kFormationCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(R, "uses_palette_2", kFormationEnemies, r.usesPalette2[i], 0, 1),
              KIVO_DUMP_FIELD(R, "pattern_table", 0, r.patternTable, 0, kPatternTableCount - 1),
              KIVO_DUMP_FIELD(R, "pictures", kFormationEnemies, r.pictures[i], 0, kMaxPicture),
              KIVO_DUMP_FIELD(R, "palettes", 2, r.palettes[i], 0, 255),
              KIVO_DUMP_FIELD(R, "monster_set", 0, r.monsterSet, 0, kMonsterSetCount - 1),
              KIVO_DUMP_FIELD(R, "quantity_sets", 2, r.quantitySets[i], 0, kQuantitySetCount - 1),
          },
      .spans = {{kFormationRecords, kFormationRecordSize * kFormationCount}},
  }));
  tables.push_back(std::make_unique<ValueTable>(ValueTable::Layout{
      .key = "extra_bytes",
      .noun = "formation extra bytes",
      .count = kFormationCount,
      .read = [](const ConstRomView& v, int f) { return int(ReadFormationExtra(v, f)); },
      .write = [](const RomView& v, int f,
                  int value) { WriteFormationExtra(v, f, static_cast<uint8_t>(value)); },
      .spans = {{kFormationExtraBytes, std::size_t(kFormationCount)}},
  }));

  using M = MonsterSet;
  auto monsterSets = RecordTable<M>::Layout{
      .key = "monster_sets",
      .noun = "monster sets",
      .first = 0,
      .count = kMonsterSetCount,
      .read = [](const ConstRomView& v, int i) { return ReadMonsterSet(v, i); },
      .write = [](const RomView& v, int i, const M& m) { WriteMonsterSet(v, i, m); },
      .fields = {KIVO_DUMP_FIELD(M, "monsters", kFormationEnemies, r[std::size_t(i)], 0, 255)},
      .spans = {{kMonsterSets, kSetRowSize * kMonsterSetCount}},
  };
  monsterSets.fields[0].namer = MonsterNamer();
  tables.push_back(std::make_unique<RecordTable<M>>(std::move(monsterSets)));

  using Q = QuantitySet;
  tables.push_back(std::make_unique<RecordTable<Q>>(RecordTable<Q>::Layout{
      .key = "quantity_sets",
      .noun = "quantity sets",
      .first = 0,
      .count = kQuantitySetCount,
      .read = [](const ConstRomView& v, int i) { return ReadQuantitySet(v, i); },
      .write = [](const RomView& v, int i, const Q& q) { WriteQuantitySet(v, i, q); },
      .fields =
          {
              KIVO_DUMP_FIELD(Q, "least", kFormationEnemies, r[std::size_t(i)].least, 0,
                              kMaxQuantity),
              KIVO_DUMP_FIELD(Q, "greatest", kFormationEnemies, r[std::size_t(i)].greatest, 0,
                              kMaxQuantity),
          },
      .spans = {{kQuantitySets, kSetRowSize * kQuantitySetCount}},
  }));

  // Shared by formations, monsters, weapons and spells; dumped once, here.
  using P = BattlePalette;
  tables.push_back(std::make_unique<RecordTable<P>>(RecordTable<P>::Layout{
      .key = "battle_palettes",
      .noun = "battle palettes",
      .first = 0,
      .count = kBattlePaletteCount,
      .read = [](const ConstRomView& v, int i) { return ReadBattlePalette(v, i); },
      .write =
          [](const RomView& v, int i, const P& p) {
            for (int k = 0; k < kBattlePaletteColours; ++k)
              SetBattlePaletteColour(v, i, k, p[std::size_t(k)]);
          },
      .fields = {KIVO_DUMP_FIELD(P, "colours", kBattlePaletteColours, r[std::size_t(i)], 0, 255)},
      .spans = {{kBattlePalettesOffset, kBattlePaletteStride * kBattlePaletteColours}},
  }));
  return tables;
}

}  // namespace kivo::dump
