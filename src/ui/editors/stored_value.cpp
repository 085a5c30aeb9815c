#include "ui/editors/stored_value.h"

#include <QComboBox>
#include <QLineEdit>

namespace kivo::ui {

void ShowStoredValue(QComboBox& combo, std::optional<int> row, int rawValue) {
  const QString raw = QString::number(rawValue, 16).toUpper().rightJustified(2, u'0');
  combo.setPlaceholderText(row ? QString() : QStringLiteral("(raw value 0x%1)").arg(raw));
  if (QLineEdit* edit = combo.lineEdit())  // a list the user can type into
    edit->setPlaceholderText(combo.placeholderText());
  combo.setCurrentIndex(row.value_or(-1));
}

std::optional<int> PickedRow(const QComboBox& combo) {
  const int row = combo.currentIndex();
  return row < 0 ? std::nullopt : std::optional<int>(row);
}

}  // namespace kivo::ui
