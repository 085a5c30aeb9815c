// The editor pages' reads: every record of every editor, every index one
// past each end included (those read as empty records). Its own file because
// the editor headers and the text category header each name the character
// record layout.

#include "model/editors/armour.h"
#include "model/editors/character.h"
#include "model/editors/formation.h"
#include "model/editors/monster.h"
#include "model/editors/monster_tables.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/spell_record_names.h"
#include "model/editors/weapon.h"
#include "model/gfx/battle_palettes.h"
#include "rom_reads.h"

namespace kivo::fuzz {
namespace {

template <typename Record>
void ReadEvery(const ConstRomView& view, int count) {
  for (int i = -1; i <= count; ++i)
    (void)Record::Read(view, i);
}

}  // namespace

void ReadEditorRecords(RomReadContext& c) {
  const ConstRomView view = c.document.view();
  ReadEvery<CharacterRecord>(view, kCharacterCount);
  for (int i = -1; i <= kCharacterCount; ++i)
    (void)CharacterName(view, i, c.dteTable);
  ReadEvery<WeaponRecord>(view, kWeaponCount);
  for (int i = -1; i <= kWeaponCount; ++i)
    c.Expect(ReadWeaponPalette(view, i).has_value() == HasWeaponPalette(i),
             "a weapon has a palette exactly when its row has one");
  ReadEvery<ArmourRecord>(view, kArmourCount);
  ReadEvery<MonsterRecord>(view, kMonsterCount);
  ReadEvery<MonsterFields>(view, kMonsterCount);
  for (const ValueTable& table :
       {kHpMpValues, kHitsValues, kAccuracyValues, kStrengthValues, kEffectSets, kRaceSets,
        kResistSets, kElementSets, kSpoilsSetIndexes, kGilAmounts}) {
    for (int i = -1; i <= table.entries; ++i)
      c.Expect(ReadEntry(view, table, i) <= table.maxValue, "a table entry fits its range");
  }
  for (const GroupTable& table : {kAiPacks, kSpoilsSets}) {
    for (int g = -1; g <= table.groups; ++g)
      (void)ReadGroup(view, table, g);
  }
  (void)ReadBattlePalettes(view);
  ReadEvery<SpellData>(view, kSpellCount);
  ReadEvery<SpellRecord>(view, kSpellRecordCount);
  c.Expect(SpellRecordNames(view, c.settings).size() == std::size_t(kSpellRecordCount),
           "one name per spell record");
  ReadEvery<ShopRecord>(view, kShopCount);
  for (int entry = 0; entry < kPriceEntryCount; ++entry)
    (void)ReadPrice(view, static_cast<uint8_t>(entry));
  (void)ReadStartingGil(view);
  ReadEvery<FormationRecord>(view, kFormationCount);
  for (int f = -1; f <= kFormationCount; ++f)
    (void)ReadFormationExtra(view, f);
  for (int m = -1; m <= kMonsterSetCount; ++m)
    (void)ReadMonsterSet(view, m);
  for (int q = -1; q <= kQuantitySetCount; ++q)
    (void)ReadQuantitySet(view, q);
}

}  // namespace kivo::fuzz
