#pragma once
// Label sets: names the game does not have (dialogue strings, formations, AI
// packs, shops, added effects, ailments, pattern tables). Each row of a list
// has a field in the settings block; an empty field shows the row's default.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/settings.h"

namespace kivo {

enum class LabelSetId {
  Dialogue1,
  Dialogue2,
  Dialogue3,
  Formations,
  AiPacks,
  Shops,
  AddedEffects,
  PermanentAilments,
  TemporaryAilments,
  PatternTables,
};
inline constexpr int kLabelSetCount = 10;

struct LabelSet {
  LabelSetId id;
  FieldSet fields;
  int rows;      // list rows that have a field (Dialogue 3 uses 80 of its 256)
  int firstRow;  // list row of field 0 (the AI combo box starts at row 1)
  // Default text: `pattern` formatted with the row number, or defaults[field].
  std::string_view pattern;
  std::span<const std::string_view> defaults;

  constexpr std::size_t width() const { return fields.width; }
  // Field index of a list row, or -1 when the row has no field.
  constexpr int FieldOf(int row) const {
    const int field = row - firstRow;
    return field >= 0 && field < rows ? field : -1;
  }
};

const LabelSet& GetLabelSet(LabelSetId id);

// Row 0 of the Monster page's AI combo box: fixed, not a label.
inline constexpr std::string_view kNoAiPackText = "--none--";
inline constexpr const char* kDefaultLabelRefusedText =
    "Sorry, you cannot change the default label.";

// The default text of a list row; empty for a row without a field.
std::string DefaultRowText(const LabelSet& set, int row);
// What the row shows: its label, or its default text when the label is empty.
std::string RowText(const SettingsBlock& settings, const LabelSet& set, int row);
// The texts of every row with a field, in row order from set.firstRow.
std::vector<std::string> RowTexts(const SettingsBlock& settings, const LabelSet& set);

// Stores `label` in the row's field, cut to width - 1 bytes without splitting
// a character; an empty label means the default text shows again. Returns
// false, writing nothing, for a row that has no field.
bool SetLabel(SettingsBlock& settings, const LabelSet& set, int row, std::string_view label);

// The label as it will be stored (what the list row shows after a rename).
std::string CutLabel(const LabelSet& set, std::string_view label);

}  // namespace kivo
