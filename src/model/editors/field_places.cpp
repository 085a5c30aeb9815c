#include "model/editors/field_places.h"

#include <cstdio>
#include <string>

#include "model/editors/armour.h"
#include "model/editors/character.h"
#include "model/editors/formation.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/spell_record_names.h"
#include "model/editors/weapon.h"

namespace kivo {
namespace {

std::string Hex(std::size_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%zX", value);
  return text;
}

// Byte `field` of record `index` of a table of records.
FieldPlace RecordField(std::string_view kind, int index, std::size_t record, std::size_t field,
                       int size) {
  return {record + field, size,
          std::string(kind) + " " + std::to_string(index) + ", byte " + Hex(field)};
}

std::size_t Index(int index) {
  return static_cast<std::size_t>(index < 0 ? 0 : index);
}

}  // namespace

FieldPlace CharacterFieldPlace(int index, std::size_t field, int size) {
  return RecordField("character", index, CharacterRecordOffset(index), field, size);
}

FieldPlace WeaponFieldPlace(int index, std::size_t field) {
  return RecordField("weapon", index, WeaponRecordOffset(index), field, 1);
}

FieldPlace ArmourFieldPlace(int index, std::size_t field) {
  return RecordField("armour", index, ArmourRecordOffset(index), field, 1);
}

FieldPlace SpellDataFieldPlace(int index, std::size_t field) {
  return RecordField("spell", index, SpellDataOffset(index), field, 1);
}

FieldPlace SpellRecordFieldPlace(int index, std::size_t field) {
  return RecordField("spell record", index, SpellRecordOffset(index), field, 1);
}

std::string_view MonsterTableName(const ValueTable& table) {
  struct Named {
    const ValueTable* table;
    std::string_view name;
  };
  static constexpr Named kNames[] = {
      {&kHpMpValues, "HP/MP value"},
      {&kHitsValues, "Hits/Blocks/Magic Def value"},
      {&kAccuracyValues, "Hit%/Evade/Magic Evade value"},
      {&kStrengthValues, "Strength/Defense/Morale value"},
      {&kEffectSets, "added effect set"},
      {&kRaceSets, "race set"},
      {&kResistSets, "resist set"},
      {&kElementSets, "element set"},
      {&kSpoilsSetIndexes, "spoils set index"},
      {&kGilAmounts, "gil amount"},
  };
  for (const Named& named : kNames) {
    if (named.table->offset == table.offset)
      return named.name;
  }
  return "entry";
}

FieldPlace MonsterEntryPlace(const ValueTable& table, int index) {
  return {table.EntryOffset(index), table.entrySize,
          std::string(MonsterTableName(table)) + " " + std::to_string(index)};
}

FieldPlace PricePlace(uint8_t entry) {
  return {kPriceTable + 2 * std::size_t{entry}, 2, "price " + Hex(entry)};
}

FieldPlace StartingGilPlace() {
  return {kStartingGil, static_cast<int>(kStartingGilSize), "starting gil"};
}

FieldPlace PicturePlace(int formation, int enemy) {
  const std::size_t field = formation::kPictures + Index(enemy) / 2;
  FieldPlace place =
      RecordField("formation", formation,
                  kFormationRecords + kFormationRecordSize * Index(formation), field, 1);
  place.part = enemy % 2 == 0 ? FieldPlace::Part::HighNibble : FieldPlace::Part::LowNibble;
  return place;
}

FieldPlace QuantityPlace(int set, int enemy, bool greatest) {
  return {kQuantitySets + kSetRowSize * Index(set) + Index(enemy), 1,
          "quantity set " + std::to_string(set) + ", enemy " + std::to_string(enemy + 1),
          greatest ? FieldPlace::Part::HighNibble : FieldPlace::Part::LowNibble};
}

FieldPlace FormationExtraPlace(int formation) {
  return {kFormationExtraBytes + Index(formation), 1,
          "extra byte of formation " + std::to_string(formation)};
}

}  // namespace kivo
