// The armor, weapon and spell kinds: the records the Equipment and Spells
// pages edit.

#include "model/dump/dump_table.h"
#include "model/editors/armour.h"
#include "model/editors/spell.h"
#include "model/editors/weapon.h"
#include "model/text/name_tables.h"

namespace kivo::dump {
namespace {

constexpr std::string_view kUnequipped = "Unequipped";

// Row 0 of the armour and weapon lists is "Unequipped", row n item id first + n - 1.
std::function<std::optional<std::string>(const Scope&, int)> EquipmentName(int idBeforeFirst) {
  return [idBeforeFirst](const Scope& scope, int index) -> std::optional<std::string> {
    return index == 0 ? std::string(kUnequipped) : scope.names.Item(idBeforeFirst + index);
  };
}

}  // namespace

Tables ArmorTables() {
  using R = ArmourRecord;
  Tables tables;
  tables.push_back(std::make_unique<RecordTable<R>>(RecordTable<R>::Layout{
      .key = "records",
      .noun = "armor records",
      .first = 0,
      .count = kArmourCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(R, "defence", 0, r.defence, 0, 255),
              KIVO_DUMP_FIELD(R, "evade_penalty", 0, r.evadePenalty, 0, 255),
              KIVO_DUMP_FIELD(R, "int_soul_penalty", 0, r.intSoulPenalty, 0, 255),
              KIVO_DUMP_FIELD(R, "elements", 0, r.elements, 0, 255),
              KIVO_DUMP_FIELD(R, "stat_boost", 0, r.statBoost, 0, 255),
              KIVO_DUMP_FIELD(R, "magic_defence", 0, r.magicDefence, 0, 255),
          },
      .spans = {{kArmourRecords, kArmourRecordSize * kArmourCount}},
      .recordName = EquipmentName(kArmourIds.first - 1),
  }));
  return tables;
}

Tables WeaponTables() {
  using R = WeaponRecord;
  Tables tables;
  auto records = RecordTable<R>::Layout{
      .key = "records",
      .noun = "weapon records",
      .first = 0,
      .count = kWeaponCount,
      .read = [](const ConstRomView& v, int i) { return R::Read(v, i); },
      .write = [](const RomView& v, int i, const R& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(R, "type", 0, r.type, 0, 255),
              KIVO_DUMP_FIELD(R, "accuracy", 0, r.accuracy, 0, 255),
              KIVO_DUMP_FIELD(R, "attack", 0, r.attack, 0, 255),
              KIVO_DUMP_FIELD(R, "evade", 0, r.evade, 0, 255),
              KIVO_DUMP_FIELD(R, "int_soul_penalty", 0, r.intSoulPenalty, 0, 255),
              KIVO_DUMP_FIELD(R, "elements", 0, r.elements, 0, 255),
              KIVO_DUMP_FIELD(R, "races", 0, r.races, 0, 255),
              KIVO_DUMP_FIELD(R, "effect", 0, r.effect, 0, 255),
              KIVO_DUMP_FIELD(R, "cast_spell", 0, r.castSpell, 0, 255),
          },
      .spans = {{kWeaponRecords, kWeaponRecordSize * kWeaponCount}},
      .recordName = EquipmentName(kWeaponIds.first - 1),
  };
  records.fields[0].namer = ListNamer(kWeaponTypeNames);
  records.fields[8].namer = SpellRecordNamer(kNoCastSpell);
  tables.push_back(std::make_unique<RecordTable<R>>(std::move(records)));

  // Only weapons with a picture have a palette number.
  using P = uint8_t;
  tables.push_back(std::make_unique<RecordTable<P>>(RecordTable<P>::Layout{
      .key = "palettes",
      .noun = "weapon palettes",
      .first = kFirstPaletteWeapon,
      .count = kWeaponCount - kFirstPaletteWeapon,
      .read = [](const ConstRomView& v, int i) { return ReadWeaponPalette(v, i).value_or(0); },
      .write = [](const RomView& v, int i, const P& p) { WriteWeaponPalette(v, i, p); },
      .fields = {KIVO_DUMP_FIELD(P, "palette", 0, r, 0, 255)},
      .spans = {{kWeaponPalettes + kFirstPaletteWeapon,
                 std::size_t(kWeaponCount - kFirstPaletteWeapon)}},
      .recordName = EquipmentName(kWeaponIds.first - 1),
  }));
  return tables;
}

Tables SpellTables() {
  Tables tables;
  using D = SpellData;
  auto data = RecordTable<D>::Layout{
      .key = "records",
      .noun = "spells",
      .first = 0,
      .count = kSpellCount,
      .read = [](const ConstRomView& v, int i) { return D::Read(v, i); },
      .write = [](const RomView& v, int i, const D& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(D, "type", 0, r.type, 0, 255),
              KIVO_DUMP_FIELD(D, "accuracy", 0, r.accuracy, 0, 255),
              KIVO_DUMP_FIELD(D, "power", 0, r.power, 0, 255),
              KIVO_DUMP_FIELD(D, "elements", 0, r.elements, 0, 255),
              KIVO_DUMP_FIELD(D, "ailments", 0, r.ailments, 0, 255),
              KIVO_DUMP_FIELD(D, "palette", 0, r.palette, 0, 255),
              KIVO_DUMP_FIELD(D, "animation", 0, r.animation, 0, 255),
          },
      .spans = {{kSpellData, kSpellDataSize * kSpellCount}},
      .recordName = [](const Scope& scope, int i) -> std::optional<std::string> {
        return Names::Of(scope.names.spells, i);
      },
  };
  data.fields[0].namer = ListNamer(kSpellTypeNames);
  data.fields[4].unstoredBits = static_cast<uint8_t>(~kSpellAilmentMask);
  tables.push_back(std::make_unique<RecordTable<D>>(std::move(data)));

  using S = SpellRecord;
  auto records = RecordTable<S>::Layout{
      .key = "spell_records",
      .noun = "spell records",
      .first = 0,
      .count = kSpellRecordCount,
      .read = [](const ConstRomView& v, int i) { return S::Read(v, i); },
      .write = [](const RomView& v, int i, const S& r) { r.Write(v, i); },
      .fields =
          {
              KIVO_DUMP_FIELD(S, "spell", 0, r.spell, 0, 255),
              KIVO_DUMP_FIELD(S, "level", 0, r.level, kMinSpellLevel, kMaxSpellLevel),
              KIVO_DUMP_FIELD(S, "accuracy", 0, r.accuracy, 0, kMaxSpellPercent),
              KIVO_DUMP_FIELD(S, "targeting", 0, r.targeting, 0, 255),
              KIVO_DUMP_FIELD(S, "consumption", 0, r.consumption, 0, kMaxSpellPercent),
          },
      .spans = {{kSpellRecords, kSpellRecordSize * kSpellRecordCount}},
      .recordName = [](const Scope& scope, int i) -> std::optional<std::string> {
        return Names::Of(scope.names.spellRecords, i);
      },
  };
  records.fields[3].namer = [](const Names&, int t) -> std::optional<std::string> {
    if (std::optional<int> row = TargetingRow(static_cast<uint8_t>(t)))
      return std::string(kTargetingNames[std::size_t(*row)]);
    return std::nullopt;
  };
  tables.push_back(std::make_unique<RecordTable<S>>(std::move(records)));
  return tables;
}

}  // namespace kivo::dump
