#pragma once
// Which records use an entry that many records share: a monster table's
// entry, a spoils set, a formation's monster or quantity set, a shop price,
// a battle palette. Editing such an entry changes it for every one of them.

#include <cstdint>
#include <vector>

#include "model/core/rom_view.h"
#include "model/editors/monster_tables.h"

namespace kivo {

// The monsters whose records select entry `index` of `table` through any of
// their indexes into it (HP and MP share one table), in order.
std::vector<int> MonstersUsingEntry(const ConstRomView& view, const ValueTable& table, int index);
std::vector<int> MonstersUsingSpoilsSet(const ConstRomView& view, int set);

std::vector<int> FormationsUsingMonsterSet(const ConstRomView& view, int set);
// Through either of a formation's two quantity sets.
std::vector<int> FormationsUsingQuantitySet(const ConstRomView& view, int set);

// The shops with a slot whose price byte is `entry`.
std::vector<int> ShopsUsingPrice(const ConstRomView& view, uint8_t entry);

// The records whose pictures use battle palette `palette`.
struct PaletteUsers {
  std::vector<int> weapons;     // weapon rows with a palette number
  std::vector<int> spells;      // spells
  std::vector<int> formations;  // through palette 1 or 2
  std::size_t count() const { return weapons.size() + spells.size() + formations.size(); }
};
PaletteUsers PaletteUsersOf(const ConstRomView& view, uint8_t palette);

}  // namespace kivo
