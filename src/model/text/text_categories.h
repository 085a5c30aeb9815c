#pragma once
// The sixteen text categories of the Text page and where each entry's pointer
// and text lie in the image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/byte_change.h"
#include "model/editors/character.h"  // where the character names lie
#include "model/text/char_table.h"
#include "model/text/codec.h"
#include "model/text/labels.h"

namespace kivo {

class SettingsBlock;

enum class CategoryKind {
  Names,        // a pointer table of 0x00-terminated strings
  Characters,   // the fixed 6-byte names of the character records
  Dialogue,     // dialogue strings with finger and keyword pairs
  NotEditable,  // listed, but has no entries
};

struct TextCategory {
  std::string_view rowText;
  CategoryKind kind;
  int rows;
  std::size_t pointerTable;  // file offset; 0 when the category has none
  std::size_t textBase;      // 0 when the category has none
};

inline constexpr int kTextCategoryCount = 16;
inline constexpr int kCharactersCategory = 9;
inline constexpr int kMiscellaneousCategory = 10;
inline constexpr int kFirstDialogueCategory = 11;
inline constexpr int kLastDialogueCategory = 13;
inline constexpr int kPrologueCategory = 14;
inline constexpr int kEpilogueCategory = 15;

// Miscellaneous row 9 has its own pointer, the item name table's entry 0x2F.
inline constexpr int kMiscellaneousSingleRow = 9;

std::span<const TextCategory, kTextCategoryCount> TextCategories();
// Category `index`; an index outside 0..15 gives Prologue's empty entry.
const TextCategory& GetTextCategory(int index);
bool IsEditableCategory(int index);
bool IsDialogueCategory(int index);
// The label set whose fields name the rows of a dialogue category.
std::optional<LabelSetId> DialogueLabelSet(int index);

// Image indexes (base shift included) as the Text page shows them. For
// Characters and the categories that cannot be edited hasPointer is false
// and the pointer location and value are 0.
struct EntryLocation {
  bool hasPointer = false;
  std::size_t pointerLocation = 0;
  uint16_t pointerValue = 0;
  std::size_t textLocation = 0;
};

// Image index of a row's pointer, or 0 when the category has none.
std::size_t PointerLocation(int category, int row, uint32_t baseShift);
EntryLocation LocateEntry(std::span<const uint8_t> image, uint32_t baseShift, int category,
                          int row);

struct TextEntry {
  EntryLocation location;
  std::string text;               // dialogue line breaks as CR LF
  std::optional<uint8_t> finger;  // dialogue entries with a finger pair only
};

// An entry decoded as the Text page shows it: names with DecodeString,
// Characters with DecodeFixed of 6 bytes, dialogue with DecodeDialogue.
TextEntry ReadTextEntry(std::span<const uint8_t> image, uint32_t baseShift, int category, int row,
                        const CharTable& dte, const KeywordNames& keywords);

// The four banks the text categories point into (their pointer tables lie
// there too), as file offsets of a standalone image: a bank is mapped at
// 0x8000, so it starts 0x8000 after its text base.
inline constexpr std::size_t kTextBankAddress = 0x8000;
inline constexpr std::size_t kTextBankSize = 0x4000;
inline constexpr int kTextBankCount = 4;
std::array<std::size_t, kTextBankCount> TextBankOffsets();

// Whether `change` (image indexes) touches the game's text: the four banks
// the text categories point into (their pointer tables lie there too) or a
// character's name. Pages that show names rebuild them when it does.
bool TouchesText(const ByteChange& change, uint32_t baseShift);

// The texts of a category's entry rows: decoded names, or for dialogue the
// row labels (default "Dialogue %d").
std::vector<std::string> EntryRowTexts(std::span<const uint8_t> image, uint32_t baseShift,
                                       int category, const CharTable& dte,
                                       const SettingsBlock& settings);

}  // namespace kivo
