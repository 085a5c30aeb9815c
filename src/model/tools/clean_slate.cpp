#include "model/tools/clean_slate.h"

#include <algorithm>

#include "model/editors/armour.h"
#include "model/editors/character.h"
#include "model/editors/formation.h"
#include "model/editors/monster.h"
#include "model/editors/monster_tables.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/weapon.h"
#include "model/gfx/battle_palettes.h"
#include "model/map/world_map.h"
#include "model/text/text_categories.h"

namespace kivo {
namespace {

using G = SlateGroup;

// The item name table splits the plain items into these two lists.
constexpr ItemIdRange kKeyItemIds{kItemIds.first, 0x0F};
constexpr ItemIdRange kOtherItemIds{0x10, kItemIds.last};
constexpr std::size_t kStartingGilSize = 3;
constexpr uint8_t kBlankName = 0xFF;  // what an empty character name holds

constexpr ByteRecords Records(std::size_t first, int count, std::size_t length, std::size_t step) {
  return {first, count, length, step};
}
// Bytes first..end - 1.
constexpr ByteRecords Between(std::size_t first, std::size_t end) {
  return {first, 1, end - first, 0};
}
// The same field of every character record.
constexpr ByteRecords EachCharacter(std::size_t field, std::size_t length) {
  return {kCharacterRecords + field, kCharacterCount, length, kCharacterRecordSize};
}

SlateBox Parent(int id, std::string_view caption, G group) {
  return {.id = id, .caption = caption, .group = group};
}

SlateBox Fill(int id, std::string_view caption, G group, std::initializer_list<ByteRecords> ranges,
              uint8_t value = 0, SlateEffect effect = SlateEffect::Fill) {
  SlateBox box{.id = id, .caption = caption, .group = group, .effect = effect, .value = value};
  for (const ByteRecords& range : ranges)
    box.ranges[static_cast<std::size_t>(box.rangeCount++)] = range;
  return box;
}

SlateBox Text(int id, std::string_view caption, const PointerTable& list) {
  return {.id = id,
          .caption = caption,
          .group = G::Text,
          .effect = SlateEffect::TextList,
          .list = list};
}

SlateBox Notice(int id, std::string_view caption, G group, std::string_view notice) {
  return {.id = id,
          .caption = caption,
          .group = group,
          .effect = SlateEffect::Notice,
          .notice = notice};
}

PointerTable DialogueList(int set) {
  const TextCategory& category = GetTextCategory(kFirstDialogueCategory + set);
  return {category.pointerTable, category.rows, category.textBase};
}

std::vector<SlateBox> BuildTable() {
  std::vector<SlateBox> boxes = {
      Fill(1311, "Equipment", G::CharacterStats,
           {EachCharacter(character::kEquipment, kEquipmentSlotCount)}),
      Fill(1313, "Stats", G::CharacterStats,
           {EachCharacter(character::kHpCurrent, character::kSoul + 1 - character::kHpCurrent),
            EachCharacter(character::kMagic, 1),
            EachCharacter(character::kEvasionCount,
                          character::kMagicDefencePercent + 1 - character::kEvasionCount)},
           0, SlateEffect::CharacterStats),
      Fill(1312, "Spells", G::CharacterStats,
           {EachCharacter(character::kSpellIds, kSpellSlotCount),
            EachCharacter(character::kSpellLevels, 2 * kSpellSlotCount)}),
      Fill(1314, "Skills", G::CharacterStats,
           {EachCharacter(character::kSkills, 2 * kWeaponSkillCount)}),

      Fill(1366, "Palette", G::Graphics,
           {Records(kBattlePalettesOffset, 1, kBattlePaletteStride * kBattlePaletteColours, 0)}),
      Parent(1367, "Spells", G::Graphics),
      Parent(1368, "Weapon", G::Graphics),

      {.id = 1317, .caption = "World map", .group = G::Maps, .effect = SlateEffect::WorldMap},

      Parent(1356, "Stats", G::Equipment),
      Fill(1341, "Armor", G::Equipment,
           {Records(kArmourRecords, kArmourCount, kArmourRecordSize, kArmourRecordSize)}),
      Fill(1342, "Weapons", G::Equipment,
           {Records(kWeaponRecords, kWeaponCount, kWeaponRecordSize, kWeaponRecordSize)}),
      Fill(1354, "Palette", G::Equipment,
           {Between(kWeaponPalettes + kFirstPaletteWeapon, kWeaponPalettes + kWeaponCount)}),
      Notice(1353, "Animation", G::Equipment,
             "Sorry, but weapon graphics will not yet be blanked."),

      Fill(1329, "Stats", G::Spells,
           {Records(kSpellData, kSpellCount, spell::kAilments + 1, kSpellDataSize)}),
      Fill(1362, "Animation", G::Spells,
           {Records(kSpellData + spell::kAnimation, kSpellCount, 1, kSpellDataSize)}),
      Fill(1363, "Palette", G::Spells,
           {Records(kSpellData + spell::kPalette, kSpellCount, 1, kSpellDataSize)}),
      Fill(1340, "AI packs", G::Spells,
           {Records(kSpellRecords, kSpellRecordCount, kSpellRecordSize, kSpellRecordSize)}),

      Parent(1371, "Prices", G::Shops),
      Fill(1372, "Buying", G::Shops,
           {Between(kPriceTable + 2 * kFirstPriceByte, kPriceTable + 2 * kPriceEntryCount)}),
      // Only the items' own prices: the shop prices behind them are "Buying"'s.
      Fill(1373, "Selling", G::Shops, {Between(kPriceTable, kPriceTable + 2 * kFirstPriceByte)}),
      Fill(1374, "Items", G::Shops,
           {Records(kShopRecords, kShopCount, kShopRecordSize, kShopRecordSize)}),
      Fill(1375, "Starting gil", G::Shops, {Records(kStartingGil, 1, kStartingGilSize, 0)}),

      Parent(1343, "Indexes", G::Formations),
      Fill(1345, "Monster", G::Formations,
           {Records(kFormationRecords + formation::kMonsterSet, kFormationCount, 1,
                    kFormationRecordSize)}),
      Fill(1344, "Quantity", G::Formations,
           {Records(kFormationRecords + formation::kQuantitySets, kFormationCount, 2,
                    kFormationRecordSize)}),
      Fill(1348, "Unknown", G::Formations, {Records(kFormationExtraBytes, 1, kFormationCount, 0)}),
      Fill(1376, "Qty values", G::Formations,
           {Records(kQuantitySets, 1, kSetRowSize * kQuantitySetCount, 0)}),
      Fill(1377, "Monsters", G::Formations,
           {Records(kMonsterSets, 1, kSetRowSize * kMonsterSetCount, 0)}),

      Parent(1332, "Stats", G::MonsterStats),
      Fill(1338, "Values", G::MonsterStats,
           {Records(kMonsterRecords, 1, kMonsterRecordSize * kMonsterCount, 0)}),
      Fill(1331, "Spoils", G::MonsterStats, {Between(kSpoilsSetIndexes.offset, kGilAmounts.end())}),
      Parent(1337, "Indexes", G::MonsterStats),
      Fill(1351, "Race", G::MonsterStats, {Between(kRaceSets.offset, kRaceSets.end())}),
      Fill(1350, "Element", G::MonsterStats, {Between(kResistSets.offset, kElementSets.end())}),
      Fill(1358, "AI", G::MonsterStats, {Between(kAiPacks.offset, kAiPacks.end())}),
      Fill(1349, "Added effect", G::MonsterStats, {Between(kEffectSets.offset, kEffectSets.end())}),
      Fill(1370, "Stats", G::MonsterStats, {Between(kHpMpValues.offset, kStrengthValues.end())}),

      Parent(1352, "Names", G::Text),
      Parent(1336, "Spells", G::Text),
      Text(1324, "Set 1", ItemNameRange(kSpellIds)),
      Text(1325, "Set 2", kSpellNameTable),
      Fill(1334, "Character", G::Text,
           {Records(kCharacterNames, kCharacterCount, kCharacterNameSize, kCharacterRecordSize)},
           kBlankName),
      Text(1335, "Monster", kMonsterNameTable),
      Parent(1347, "Items", G::Text),
      Text(1328, "Key items", ItemNameRange(kKeyItemIds)),
      Text(1333, "Other items", ItemNameRange(kOtherItemIds)),
      Text(1361, "Weapons", ItemNameRange(kWeaponIds)),
      Text(1360, "Armor", ItemNameRange(kArmourIds)),
      Text(1365, "Scrolls", ItemNameRange(kSpellScrollIds)),
      Notice(1321, "Epilogue", G::Text, "Sorry, the Epilogue will not yet be blanked."),
      Notice(1322, "Prologue", G::Text, "Sorry, the Prologue will not yet be blanked."),
      Text(1315, "Dialogue set 1", DialogueList(0)),
      Text(1316, "Dialogue set 2", DialogueList(1)),
      Text(1320, "Dialogue set 3", DialogueList(2)),
      Text(1359, "Keywords", ItemNameRange(kKeywordIds)),
      // Applied last of all.
      Text(1378, "Battle messages", kBattleMessageTable),
  };
  for (SlateBox& box : boxes)
    box.alwaysDisabled = box.group == G::Graphics && box.effect == SlateEffect::None;
  return boxes;
}

const std::vector<SlateBox>& Table() {
  static const std::vector<SlateBox> table = BuildTable();
  return table;
}

void FillRecords(const RomView& rom, const ByteRecords& records, uint8_t value) {
  for (int r = 0; r < records.count; ++r) {
    const std::size_t first = records.first + records.step * static_cast<std::size_t>(r);
    for (std::size_t i = 0; i < records.length; ++i)
      rom.SetByte(first + i, value);
  }
}

}  // namespace

std::string_view SlateGroupCaption(SlateGroup group) {
  switch (group) {
    case G::CharacterStats:
      return "Character stats";
    case G::Formations:
      return "Formations";
    case G::Graphics:
      return "Graphics";
    case G::Maps:
      return "Maps";
    case G::Spells:
      return "Spells";
    case G::MonsterStats:
      return "Monster stats";
    case G::Equipment:
      return "Equipment";
    case G::Shops:
      return "Shops";
    case G::Text:
      return "Text";
  }
  return {};
}

std::span<const SlateBox> SlateBoxes() {
  return Table();
}

const SlateBox* FindSlateBox(int id) {
  for (const SlateBox& box : Table()) {
    if (box.id == id)
      return &box;
  }
  return nullptr;
}

void BlankTextList(const RomView& rom, const PointerTable& list) {
  for (int i = 0; i < list.count; ++i) {
    const std::size_t pointerAt = list.EntryOffset(i);
    if (!rom.Contains(pointerAt, 2))
      continue;
    // A string with no 0x00 before the end of the image is blanked to the end.
    for (std::size_t at = list.textBase + rom.Word(pointerAt);
         rom.Contains(at) && rom.Byte(at) != 0; ++at) {
      rom.SetByte(at, 0);
    }
  }
}

void BlankWorldMap(const RomView& rom, uint8_t tile) {
  constexpr std::size_t kRowBytes = 4;
  // Zeroing stops at 0x7C4D: the bytes after it, up to the end of the rows'
  // room at 0x7E42, may hold what the game or other tools keep there.
  constexpr std::size_t kZeroedEnd = 0x7C4E;
  const uint8_t row[kRowBytes] = {static_cast<uint8_t>(tile + kRunFlag), 0, tile, kRowEnd};
  for (int r = 0; r < kWorldMapSide; ++r) {
    const std::size_t at = kRowBytes * static_cast<std::size_t>(r);
    rom.SetWord(kRowPointerTableOffset + 2 * static_cast<std::size_t>(r),
                static_cast<uint16_t>(kMapDataAddress + at));
    rom.SetBytes(kMapDataOffset + at, row);
  }
  FillRecords(rom, Between(kMapDataOffset + kRowBytes * kWorldMapSide, kZeroedEnd), 0);
}

int CountBlankingBoxes(std::span<const int> checkedIds) {
  int count = 0;
  for (const SlateBox& box : Table()) {
    const bool blanks = !box.alwaysDisabled && box.effect != SlateEffect::None &&
                        box.effect != SlateEffect::Notice;
    if (blanks && std::find(checkedIds.begin(), checkedIds.end(), box.id) != checkedIds.end())
      ++count;
  }
  return count;
}

SlateOutcome CleanSlate(const RomView& rom, std::span<const int> checkedIds, int defaultTile) {
  const uint8_t tile = defaultTile >= 0 && defaultTile < kSlateTileCount
                           ? static_cast<uint8_t>(defaultTile)
                           : kDefaultSlateTile;
  SlateOutcome outcome;
  for (const SlateBox& box : Table()) {
    if (box.alwaysDisabled ||
        std::find(checkedIds.begin(), checkedIds.end(), box.id) == checkedIds.end()) {
      continue;
    }
    switch (box.effect) {
      case SlateEffect::None:
        continue;
      case SlateEffect::Notice:
        outcome.messages.push_back({std::string(box.notice), MessageIcon::Warning});
        continue;
      case SlateEffect::CharacterStats:
        for (int c = 0; c < kCharacterCount; ++c) {
          const std::size_t at =
              kCharacterRecords + kCharacterRecordSize * std::size_t(c) + character::kIndexAndHand;
          rom.SetByte(at, rom.Byte(at) & ~character::kLeftHandedBit);
        }
        [[fallthrough]];
      case SlateEffect::Fill:
        for (int r = 0; r < box.rangeCount; ++r)
          FillRecords(rom, box.ranges[static_cast<std::size_t>(r)], box.value);
        break;
      case SlateEffect::WorldMap:
        BlankWorldMap(rom, tile);
        break;
      case SlateEffect::TextList:
        BlankTextList(rom, box.list);
        break;
    }
    outcome.blanked.push_back(box.id);
  }
  outcome.cleaned = !outcome.blanked.empty();
  outcome.messages.push_back(outcome.cleaned ? Message{kSlateCleanedText, MessageIcon::None}
                                             : Message{kSlateNotCleanedText, MessageIcon::Warning});
  return outcome;
}

}  // namespace kivo
