#pragma once
// Helpers over list and combo boxes shared by every page, and the template
// id every control carries as its objectName.

#include <QString>
#include <cstddef>
#include <span>

#include "model/text/char_table.h"

class QComboBox;
class QListWidget;
class QWidget;

namespace kivo::ui {

// Gives `control` its template id as objectName ("1183"), so tests and
// readers can go from a control to its rules.
template <typename W>
W* WithId(W* control, int id) {
  control->setObjectName(QString::number(id));
  return control;
}

// Replaces `row` (the current selection when negative; nothing when that is
// negative too) with `text` and selects the remembered selection again.
void ReplaceListEntry(QListWidget& list, const QString& text, int row);
void ReplaceComboEntry(QComboBox& combo, const QString& text, int row);

// Lets the user type into a drop-down list of names to find a row: the
// rows holding what is typed anywhere (any case) pop up to pick from, and on
// leaving the box shows the row picked again. The rows stay as they are.
void CompleteAnywhere(QComboBox& combo);

// Inserts the names of `count` pointers of a pointer table as rows
// firstRow..firstRow + count - 1. Offsets are image indexes that already
// include the base shift.
void FillNameList(std::span<const uint8_t> image, QListWidget& list, int count, int firstRow,
                  std::size_t pointerTable, std::size_t textBase, const CharTable& table);
// FillNameCombo lets `combo` complete anywhere, too.
void FillNameCombo(std::span<const uint8_t> image, QComboBox& combo, int count, int firstRow,
                   std::size_t pointerTable, std::size_t textBase, const CharTable& table);

}  // namespace kivo::ui
