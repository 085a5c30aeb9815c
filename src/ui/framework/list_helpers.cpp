#include "ui/framework/list_helpers.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "model/text/name_tables.h"

namespace kivo::ui {
void ReplaceListEntry(QListWidget& list, const QString& text, int row) {
  const int selected = list.currentRow();
  if (row < 0)
    row = selected;
  if (row < 0 || row >= list.count())
    return;
  const QSignalBlocker blocker(list);
  delete list.takeItem(row);
  list.insertItem(row, text);
  list.setCurrentRow(selected);
}

void ReplaceComboEntry(QComboBox& combo, const QString& text, int row) {
  const int selected = combo.currentIndex();
  if (row < 0)
    row = selected;
  if (row < 0 || row >= combo.count())
    return;
  const QSignalBlocker blocker(combo);
  combo.removeItem(row);
  combo.insertItem(row, text);
  combo.setCurrentIndex(selected);
}

void CompleteAnywhere(QComboBox& combo) {
  if (combo.completer() != nullptr && combo.completer()->filterMode() == Qt::MatchContains)
    return;
  combo.setEditable(true);
  combo.setInsertPolicy(QComboBox::NoInsert);
  auto* completer = new QCompleter(combo.model(), &combo);
  completer->setFilterMode(Qt::MatchContains);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  combo.setCompleter(completer);
  QLineEdit* edit = combo.lineEdit();
  edit->setPlaceholderText(combo.placeholderText());
  QObject::connect(edit, &QLineEdit::editingFinished, &combo, [&combo, edit] {
    const int row = combo.currentIndex();
    const QString shown = row >= 0 ? combo.itemText(row) : QString();
    if (edit->text() != shown)
      edit->setText(shown);
  });
}

namespace {

// Decodes the names once and hands each to `insert` with its row.
template <typename Insert>
void InsertNames(std::span<const uint8_t> image, int count, int firstRow, std::size_t pointerTable,
                 std::size_t textBase, const CharTable& table, Insert insert) {
  if (count < 1)
    return;
  const std::vector<std::string> names =
      DecodeNameRange(image, count, pointerTable, textBase, table);
  for (int i = 0; i < count; ++i) {
    insert(firstRow + i, QString::fromStdString(names[static_cast<std::size_t>(i)]));
  }
}

}  // namespace

void FillNameList(std::span<const uint8_t> image, QListWidget& list, int count, int firstRow,
                  std::size_t pointerTable, std::size_t textBase, const CharTable& table) {
  InsertNames(image, count, firstRow, pointerTable, textBase, table,
              [&list](int row, const QString& name) { list.insertItem(row, name); });
}

void FillNameCombo(std::span<const uint8_t> image, QComboBox& combo, int count, int firstRow,
                   std::size_t pointerTable, std::size_t textBase, const CharTable& table) {
  CompleteAnywhere(combo);
  InsertNames(image, count, firstRow, pointerTable, textBase, table,
              [&combo](int row, const QString& name) { combo.insertItem(row, name); });
}

}  // namespace kivo::ui
