// The character and shop kinds.

#include "model/dump/dump_table.h"
#include "model/editors/character.h"
#include "model/editors/shop.h"

namespace kivo::dump {

Tables CharacterTables() {
  namespace c = character;
  using R = CharacterRecord;
  auto layout = RecordTable<R>::Layout{
      .key = "records",
      .noun = "character records",
      .first = 0,
      .count = kCharacterCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(R, "left_handed", 0, r.leftHanded, 0, 1),
              KIVO_DUMP_FIELD(R, "hp", 0, r.hpCurrent, 0, kMaxHpMp),
              KIVO_DUMP_FIELD(R, "hp_max", 0, r.hpMax, 0, kMaxHpMp),
              KIVO_DUMP_FIELD(R, "mp", 0, r.mpCurrent, 0, kMaxHpMp),
              KIVO_DUMP_FIELD(R, "mp_max", 0, r.mpMax, 0, kMaxHpMp),
              KIVO_DUMP_FIELD(R, "strength", 0, r.strength, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "agility", 0, r.agility, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "vitality", 0, r.vitality, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "intellect", 0, r.intellect, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "soul", 0, r.soul, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "magic", 0, r.magic, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "equipment", kEquipmentSlotCount, r.equipment[i], 0, 255),
              KIVO_DUMP_FIELD(R, "skill_levels", kWeaponSkillCount, r.skills[i].level, kMinLevel,
                              kMaxLevel),
              KIVO_DUMP_FIELD(R, "skill_experience", kWeaponSkillCount, r.skills[i].experience, 0,
                              kMaxStatistic),
              KIVO_DUMP_FIELD(R, "spells", kSpellSlotCount, r.spells[i].spell, 0, 255),
              KIVO_DUMP_FIELD(R, "spell_levels", kSpellSlotCount, r.spells[i].level, kMinLevel,
                              kMaxLevel),
              KIVO_DUMP_FIELD(R, "spell_experience", kSpellSlotCount, r.spells[i].experience, 0,
                              kMaxStatistic),
              KIVO_DUMP_FIELD(R, "evasion_count", 0, r.evasionCount, kMinLevel, kMaxLevel),
              KIVO_DUMP_FIELD(R, "evasion_percent", 0, r.evasionPercent, 0, kMaxStatistic),
              KIVO_DUMP_FIELD(R, "magic_defence_count", 0, r.magicDefenceCount, kMinLevel,
                              kMaxLevel),
              KIVO_DUMP_FIELD(R, "magic_defence_percent", 0, r.magicDefencePercent, 0,
                              kMaxStatistic),
              KIVO_DUMP_FIELD(R, "back_row", 0, r.backRow, 0, 1),
          },
      // What a record stores: not its name (the text kind's) nor the bytes
      // no field shows.
      .spans = RecordSpans(kCharacterRecords, kCharacterRecordSize, kCharacterCount,
                           {{c::kIndexAndHand, 1},
                            {c::kHpCurrent, c::kSoul + 1 - c::kHpCurrent},
                            {c::kEquipment, kEquipmentSlotCount},
                            {c::kMagic, 1},
                            {c::kSpellIds, kSpellSlotCount},
                            {c::kSkills, 2 * kWeaponSkillCount},
                            {c::kSpellLevels, 2 * kSpellSlotCount},
                            {c::kEvasionCount, c::kMagicDefencePercent + 1 - c::kEvasionCount},
                            {c::kRow, 1}}),
      .recordName = [](const Scope& scope, int i) -> std::optional<std::string> {
        return CharacterName(scope.view, i, *scope.context->dte);
      },
  };
  layout.fields[11].namer = ItemNamer();
  layout.fields[14].namer = ItemNamer();
  Tables tables;
  tables.push_back(std::make_unique<RecordTable<R>>(std::move(layout)));
  return tables;
}

namespace {

// The starting gil: one number.
class StartingGilTable final : public Table {
 public:
  std::string_view key() const override { return "starting_gil"; }
  std::vector<DumpSpan> Spans() const override { return {{kStartingGil, kStartingGilSize}}; }
  Json Dump(const Scope& scope) const override { return ReadStartingGil(scope.view); }
  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override {
    const std::optional<int> gil = plan.Number(value, path, 0, kMaxStartingGil);
    if (!gil)
      return;
    plan.Loaded(1, "starting gil");
    if (*gil != ReadStartingGil(scope.view))
      plan.Add([gil = *gil](const RomView& rom) { WriteStartingGil(rom, gil); });
  }
};

}  // namespace

Tables ShopTables() {
  using R = ShopRecord;
  Tables tables;
  auto shops = RecordTable<R>::Layout{
      .key = "records",
      .noun = "shop records",
      .first = 0,
      .count = kShopCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(R, "items", kShopSlotCount, r.goods[i].item, 0, 255),
              KIVO_DUMP_FIELD(R, "price_bytes", kShopSlotCount, r.goods[i].priceByte, 0, 255),
          },
      .spans = {{kShopRecords, kShopRecordSize * kShopCount}},
  };
  shops.fields[0].namer = ItemNamer();
  tables.push_back(std::make_unique<RecordTable<R>>(std::move(shops)));

  using P = int;
  tables.push_back(std::make_unique<RecordTable<P>>(RecordTable<P>::Layout{
      .key = "prices",
      .noun = "price entries",
      .first = 0,
      .count = kPriceEntryCount,
      .read = [](const ConstRomView& v, int i) { return ReadPrice(v, static_cast<uint8_t>(i)); },
      .write = [](const RomView& v, int i,
                  const P& p) { WritePrice(v, static_cast<uint8_t>(i), p); },
      .fields = {KIVO_DUMP_FIELD(P, "price", 0, r, 0, kMaxPrice)},
      .spans = {{kPriceTable, kPriceTableSize}},
      .recordName = [](const Scope& scope, int i) -> std::optional<std::string> {
        if (i == kEmptySlotItem || i >= kFirstPriceByte)
          return std::nullopt;
        return scope.names.Item(i);
      },
  }));
  tables.push_back(std::make_unique<StartingGilTable>());
  return tables;
}

}  // namespace kivo::dump
