#include "model/text/text_categories.h"

#include <array>

#include "model/core/rom_view.h"
#include "model/core/settings.h"
#include "model/text/name_tables.h"

namespace kivo {
namespace {

// Dialogue banks: pointers into the bank at 0x18010, 0x28010 and 0x34010.
constexpr PointerTable kDialogue1{0x18010, 256, 0x10010};
constexpr PointerTable kDialogue2{0x28012, 256, kItemTextBase};
constexpr PointerTable kDialogue3{0x37F12, 80, 0x2C010};

constexpr PointerTable kMiscellaneousWords = ItemNameRange(kMiscellaneousWordIds);
constexpr std::size_t kMiscellaneousSinglePointer =
    kItemNameTable.EntryOffset(kMiscellaneousWordId.first);
static_assert(kMiscellaneousWords.count == kMiscellaneousSingleRow);

constexpr TextCategory Names(std::string_view rowText, const PointerTable& table) {
  return {rowText, CategoryKind::Names, table.count, table.offset, table.textBase};
}

constexpr TextCategory Dialogue(std::string_view rowText, const PointerTable& table) {
  return {rowText, CategoryKind::Dialogue, table.count, table.offset, table.textBase};
}

constexpr std::array<TextCategory, kTextCategoryCount> kCategories = {{
    Names("Items", ItemNameRange(kItemIds)),
    Names("Weapons", ItemNameRange(kWeaponIds)),
    Names("Armor", ItemNameRange(kArmourIds)),
    Names("Spells 1", ItemNameRange(kSpellIds)),
    Names("Spells 2", kSpellNameTable),
    Names("Spell scrolls", ItemNameRange(kSpellScrollIds)),
    Names("Keywords", ItemNameRange(kKeywordIds)),
    Names("Monsters", kMonsterNameTable),
    Names("Battle messages", kBattleMessageTable),
    {"Characters", CategoryKind::Characters, kCharacterCount, 0, 0},
    {"Miscellaneous", CategoryKind::Names, kMiscellaneousWords.count + 1,
     kMiscellaneousWords.offset, kMiscellaneousWords.textBase},
    Dialogue("Dialogue 1", kDialogue1),
    Dialogue("Dialogue 2", kDialogue2),
    Dialogue("Dialogue 3", kDialogue3),
    {"Prologue", CategoryKind::NotEditable, 0, 0, 0},
    {"Epilogue", CategoryKind::NotEditable, 0, 0, 0},
}};

static_assert(kCategories[kCharactersCategory].kind == CategoryKind::Characters);
static_assert(kCategories[kFirstDialogueCategory].kind == CategoryKind::Dialogue);
static_assert(kCategories[kLastDialogueCategory].kind == CategoryKind::Dialogue);
static_assert(kCategories[kPrologueCategory].kind == CategoryKind::NotEditable);
static_assert(kCategories[kEpilogueCategory].kind == CategoryKind::NotEditable);

std::size_t CharacterNameOffset(int row) {
  return kCharacterNames + kCharacterRecordSize * std::size_t(row);
}

}  // namespace

std::span<const TextCategory, kTextCategoryCount> TextCategories() {
  return kCategories;
}

const TextCategory& GetTextCategory(int index) {
  if (index < 0 || index >= kTextCategoryCount)
    return kCategories[kPrologueCategory];
  return kCategories[index];
}

bool IsEditableCategory(int index) {
  return GetTextCategory(index).kind != CategoryKind::NotEditable;
}

bool IsDialogueCategory(int index) {
  return GetTextCategory(index).kind == CategoryKind::Dialogue;
}

std::optional<LabelSetId> DialogueLabelSet(int index) {
  switch (index - kFirstDialogueCategory) {
    case 0:
      return LabelSetId::Dialogue1;
    case 1:
      return LabelSetId::Dialogue2;
    case 2:
      return LabelSetId::Dialogue3;
    default:
      return std::nullopt;
  }
}

std::size_t PointerLocation(int category, int row, uint32_t baseShift) {
  const TextCategory& c = GetTextCategory(category);
  if (c.kind == CategoryKind::Characters || c.kind == CategoryKind::NotEditable)
    return 0;
  if (category == kMiscellaneousCategory && row == kMiscellaneousSingleRow) {
    return kMiscellaneousSinglePointer + baseShift;
  }
  return c.pointerTable + 2 * std::size_t(row) + baseShift;
}

EntryLocation LocateEntry(std::span<const uint8_t> image, uint32_t baseShift, int category,
                          int row) {
  const TextCategory& c = GetTextCategory(category);
  EntryLocation at;
  if (c.kind == CategoryKind::NotEditable)
    return at;
  if (c.kind == CategoryKind::Characters) {
    at.textLocation = CharacterNameOffset(row) + baseShift;
    return at;
  }
  at.hasPointer = true;
  at.pointerLocation = PointerLocation(category, row, baseShift);
  at.pointerValue = ConstRomView(image, 0).Word(at.pointerLocation);
  at.textLocation = at.pointerValue + c.textBase + baseShift;
  return at;
}

TextEntry ReadTextEntry(std::span<const uint8_t> image, uint32_t baseShift, int category, int row,
                        const CharTable& dte, const KeywordNames& keywords) {
  TextEntry entry;
  entry.location = LocateEntry(image, baseShift, category, row);
  const std::size_t at = entry.location.textLocation;
  switch (GetTextCategory(category).kind) {
    case CategoryKind::Names:
      entry.text = DecodeString(image, at, dte);
      break;
    case CategoryKind::Characters:
      entry.text = DecodeFixed(image, at, kCharacterNameSize, dte);
      break;
    case CategoryKind::Dialogue: {
      DialogueText dialogue = DecodeDialogue(image, at, dte, keywords);
      entry.text = std::move(dialogue.text);
      entry.finger = dialogue.finger;
      break;
    }
    case CategoryKind::NotEditable:
      break;
  }
  return entry;
}

std::array<std::size_t, kTextBankCount> TextBankOffsets() {
  return {kDialogue1.textBase + kTextBankAddress, kItemTextBase + kTextBankAddress,
          kBattleTextBase + kTextBankAddress, kDialogue3.textBase + kTextBankAddress};
}

bool TouchesText(const ByteChange& change, uint32_t baseShift) {
  for (std::size_t offset : TextBankOffsets()) {
    const std::size_t bank = offset + baseShift;
    if (change.Touches(bank, bank + kTextBankSize))
      return true;
  }
  for (int row = 0; row < kCharacterCount; ++row) {
    const std::size_t name = CharacterNameOffset(row) + baseShift;
    if (change.Touches(name, name + kCharacterNameSize))
      return true;
  }
  return false;
}

std::vector<std::string> EntryRowTexts(std::span<const uint8_t> image, uint32_t baseShift,
                                       int category, const CharTable& dte,
                                       const SettingsBlock& settings) {
  const TextCategory& c = GetTextCategory(category);
  std::vector<std::string> rows;
  switch (c.kind) {
    case CategoryKind::Names: {
      // Miscellaneous: the table covers rows 0..8; row 9 has its own pointer.
      const bool misc = category == kMiscellaneousCategory;
      rows = DecodeNameRange(image, misc ? kMiscellaneousSingleRow : c.rows,
                             c.pointerTable + baseShift, c.textBase + baseShift, dte);
      if (misc) {
        rows.push_back(DecodeNameRange(image, 1, kMiscellaneousSinglePointer + baseShift,
                                       c.textBase + baseShift, dte)
                           .front());
      }
      break;
    }
    case CategoryKind::Characters:
      for (int r = 0; r < c.rows; ++r) {
        rows.push_back(
            DecodeFixed(image, CharacterNameOffset(r) + baseShift, kCharacterNameSize, dte));
      }
      break;
    case CategoryKind::Dialogue:
      rows = RowTexts(settings, GetLabelSet(*DialogueLabelSet(category)));
      break;
    case CategoryKind::NotEditable:
      break;
  }
  return rows;
}

}  // namespace kivo
