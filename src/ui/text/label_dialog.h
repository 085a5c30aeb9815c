#pragma once
// The label dialog ("Enter a new label") and the Change label commands of
// the pages' labelled lists.

#include <QString>
#include <optional>

#include "ui/framework/dialog.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace kivo {
class SettingsBlock;
struct LabelSet;
}  // namespace kivo

namespace kivo::ui {

// One edit and no buttons: Return ends it with OK and the edit's text,
// Escape with Cancel and an empty label. With `maxBytes` the edit takes no
// more UTF-8 bytes than the label's field holds.
class LabelDialog : public Dialog {
  Q_OBJECT
 public:
  explicit LabelDialog(const QString& initialText, QWidget* parent = nullptr,
                       std::optional<int> maxBytes = std::nullopt);

  QString label() const { return label_; }
  void accept() override;

 private:
  void CreateWidgets(const QString& initialText, std::optional<int> maxBytes);
  void ConnectWidgets();

  QLineEdit* edit_ = nullptr;
  QString label_;
};

// Runs the label dialog over `owner` for a field of `maxBytes`; the new
// label after OK, else nothing.
std::optional<QString> AskLabel(QWidget* owner, const QString& initialText, int maxBytes);

// Change label on the selected row of a labelled list: asks for a new label,
// then shows it (cut to its field) in the row and stores it in the row's
// field. Nothing happens with no row selected or on Cancel. True when a label
// was stored.
bool ChangeListLabel(QWidget* owner, QListWidget& list, SettingsBlock& settings,
                     const LabelSet& set);
// The same for a combo box. A row without a field (row 0 of the AI packs) is
// refused with "Sorry, you cannot change the default label.".
bool ChangeComboLabel(QWidget* owner, QComboBox& combo, SettingsBlock& settings,
                      const LabelSet& set);

// Keeps a Change label command enabled only while its list has a row selected.
void EnableWhileSelected(QAbstractButton& command, QListWidget& list);
void EnableWhileSelected(QAbstractButton& command, QComboBox& combo);

}  // namespace kivo::ui
