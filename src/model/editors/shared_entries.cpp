#include "model/editors/shared_entries.h"

#include <algorithm>

#include "model/editors/formation.h"
#include "model/editors/monster.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/weapon.h"

namespace kivo {
namespace {

// The table a record's nibble index selects from.
const ValueTable& TableOfIndex(MonsterIndex index) {
  switch (index) {
    case MonsterIndex::EffectSet:
      return kEffectSets;
    case MonsterIndex::RaceSet:
      return kRaceSets;
    case MonsterIndex::ResistSet:
      return kResistSets;
    case MonsterIndex::WeaknessSet:
    case MonsterIndex::AbsorbSet:
      return kElementSets;
    default:
      break;
  }
  for (int s = 0; s < kMonsterStatCount; ++s) {
    if (IndexOfStat(static_cast<MonsterStat>(s)) == index)
      return TableOfStat(static_cast<MonsterStat>(s));
  }
  return kEffectSets;  // every index is named above
}

bool Selects(const MonsterRecord& r, const ValueTable& table, int index) {
  if (table.offset == kHpMpValues.offset)
    return r.hpIndex == index || r.mpIndex == index;
  for (int i = 0; i < kMonsterIndexCount; ++i) {
    const auto which = static_cast<MonsterIndex>(i);
    if (TableOfIndex(which).offset == table.offset && r.index(which) == index)
      return true;
  }
  return false;
}

template <typename Uses>
std::vector<int> Users(int count, Uses uses) {
  std::vector<int> users;
  for (int i = 0; i < count; ++i) {
    if (uses(i))
      users.push_back(i);
  }
  return users;
}

}  // namespace

std::vector<int> MonstersUsingEntry(const ConstRomView& view, const ValueTable& table, int index) {
  return Users(kMonsterCount,
               [&](int m) { return Selects(MonsterRecord::Read(view, m), table, index); });
}

std::vector<int> MonstersUsingSpoilsSet(const ConstRomView& view, int set) {
  return Users(kMonsterCount, [&](int m) { return MonsterRecord::Read(view, m).spoilsSet == set; });
}

std::vector<int> FormationsUsingMonsterSet(const ConstRomView& view, int set) {
  return Users(kFormationCount,
               [&](int f) { return FormationRecord::Read(view, f).monsterSet == set; });
}

std::vector<int> FormationsUsingQuantitySet(const ConstRomView& view, int set) {
  return Users(kFormationCount, [&](int f) {
    const FormationRecord r = FormationRecord::Read(view, f);
    return r.quantitySets[0] == set || r.quantitySets[1] == set;
  });
}

std::vector<int> ShopsUsingPrice(const ConstRomView& view, uint8_t entry) {
  return Users(kShopCount, [&](int s) {
    const ShopRecord r = ShopRecord::Read(view, s);
    return std::any_of(r.goods.begin(), r.goods.end(),
                       [entry](const ShopSlot& slot) { return slot.priceByte == entry; });
  });
}

PaletteUsers PaletteUsersOf(const ConstRomView& view, uint8_t palette) {
  PaletteUsers users;
  users.weapons = Users(kWeaponCount, [&](int w) { return ReadWeaponPalette(view, w) == palette; });
  users.spells =
      Users(kSpellCount, [&](int s) { return SpellData::Read(view, s).palette == palette; });
  users.formations = Users(kFormationCount, [&](int f) {
    const FormationRecord r = FormationRecord::Read(view, f);
    return r.palettes[0] == palette || r.palettes[1] == palette;
  });
  return users;
}

}  // namespace kivo
