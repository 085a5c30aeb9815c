#pragma once
// Where each value the editor pages show lives for the record shown, from
// the record layouts' own constants: a field's tooltip names it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/core/field_place.h"
#include "model/editors/monster_tables.h"

namespace kivo {

// `size` bytes at `field` of character record `index`.
FieldPlace CharacterFieldPlace(int index, std::size_t field, int size = 1);
FieldPlace WeaponFieldPlace(int index, std::size_t field);
FieldPlace ArmourFieldPlace(int index, std::size_t field);
FieldPlace SpellDataFieldPlace(int index, std::size_t field);
FieldPlace SpellRecordFieldPlace(int index, std::size_t field);

// Entry `index` of a table monsters share: "HP/MP value 9".
FieldPlace MonsterEntryPlace(const ValueTable& table, int index);
// What an entry of `table` is called ("HP/MP value").
std::string_view MonsterTableName(const ValueTable& table);

FieldPlace PricePlace(uint8_t entry);
FieldPlace StartingGilPlace();

// Enemy `enemy` (0..3) of a formation: its picture nibble, and its least or
// greatest quantity in quantity set `set`.
FieldPlace PicturePlace(int formation, int enemy);
FieldPlace QuantityPlace(int set, int enemy, bool greatest);
FieldPlace FormationExtraPlace(int formation);

}  // namespace kivo
