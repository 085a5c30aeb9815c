#pragma once
// Combo boxes over stored values that may have no row in their list (an item
// id in the wrong slot, an unknown type byte): such a value shows as its raw
// value with no row selected, and stays stored until the user picks a row.

#include <optional>

class QComboBox;

namespace kivo::ui {

// Selects `row`, or with no row shows "(raw value 0xNN)" and selects nothing.
void ShowStoredValue(QComboBox& combo, std::optional<int> row, int rawValue);

// The row the user picked; nothing while the combo shows a raw value.
std::optional<int> PickedRow(const QComboBox& combo);

}  // namespace kivo::ui
