#include "ui/text/label_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>
#include <functional>

#include "model/text/labels.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {

LabelDialog::LabelDialog(const QString& initialText, QWidget* parent, std::optional<int> maxBytes)
    : Dialog(parent) {
  setWindowTitle(tr("Enter a new label"));
  CreateWidgets(initialText, maxBytes);
  ConnectWidgets();
}

void LabelDialog::CreateWidgets(const QString& initialText, std::optional<int> maxBytes) {
  edit_ = WithId(new QLineEdit(initialText, this), 1279);
  if (maxBytes)
    LimitUtf8Bytes(*edit_, *maxBytes);
  edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);
  edit_->selectAll();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
}

void LabelDialog::ConnectWidgets() {
  connect(edit_, &QLineEdit::returnPressed, this, &LabelDialog::accept);
}

void LabelDialog::accept() {
  label_ = edit_->text();
  Dialog::accept();
}

std::optional<QString> AskLabel(QWidget* owner, const QString& initialText, int maxBytes) {
  LabelDialog dialog(initialText, owner, maxBytes);
  if (prompts().RunModal(dialog) != kDialogOk)
    return std::nullopt;
  return dialog.label();
}

namespace {

// Asks for the new label of `row`; on OK stores it and returns what the row shows.
std::optional<QString> RenameRow(QWidget* owner, const QString& current, int row,
                                 SettingsBlock& settings, const LabelSet& set) {
  const std::optional<QString> label = AskLabel(owner, current, static_cast<int>(set.width()) - 1);
  if (!label)
    return std::nullopt;
  const std::string text = label->toStdString();
  if (!SetLabel(settings, set, row, text))
    return std::nullopt;
  return QString::fromStdString(CutLabel(set, text));
}

}  // namespace

bool ChangeListLabel(QWidget* owner, QListWidget& list, SettingsBlock& settings,
                     const LabelSet& set) {
  const int row = list.currentRow();
  if (row < 0 || set.FieldOf(row) < 0)
    return false;
  const std::optional<QString> shown = RenameRow(owner, list.item(row)->text(), row, settings, set);
  if (!shown)
    return false;
  ReplaceListEntry(list, *shown, row);
  return true;
}

bool ChangeComboLabel(QWidget* owner, QComboBox& combo, SettingsBlock& settings,
                      const LabelSet& set) {
  const int row = combo.currentIndex();
  if (row < 0)
    return false;
  if (set.FieldOf(row) < 0) {
    prompts().Message(owner, QString::fromLatin1(kDefaultLabelRefusedText), MessageIcon::Warning);
    return false;
  }
  const std::optional<QString> shown = RenameRow(owner, combo.itemText(row), row, settings, set);
  if (!shown)
    return false;
  ReplaceComboEntry(combo, *shown, row);
  return true;
}

namespace {

// Pages fill their lists inside a QSignalBlocker, which silences the list's
// own signals but not those of its model and selection model, so these are
// what the command follows.
void FollowModel(QAbstractButton& command, QAbstractItemModel& model,
                 const std::function<void()>& update) {
  QObject::connect(&model, &QAbstractItemModel::rowsInserted, &command, update);
  QObject::connect(&model, &QAbstractItemModel::rowsRemoved, &command, update);
  QObject::connect(&model, &QAbstractItemModel::modelReset, &command, update);
  update();
}

}  // namespace

// The widgets are held as plain QObjects and cast on use: while a page is torn
// down its list may still signal from a base-class destructor, when it is no
// longer a QListWidget, and must not be touched as one.
void EnableWhileSelected(QAbstractButton& command, QListWidget& list) {
  auto update = [button = QPointer<QObject>(&command), view = QPointer<QObject>(&list)] {
    auto* b = qobject_cast<QAbstractButton*>(button.data());
    auto* l = qobject_cast<QListWidget*>(view.data());
    if (b && l)
      b->setEnabled(l->currentRow() >= 0);
  };
  QObject::connect(list.selectionModel(), &QItemSelectionModel::currentChanged, &command, update);
  FollowModel(command, *list.model(), update);
}

void EnableWhileSelected(QAbstractButton& command, QComboBox& combo) {
  auto update = [button = QPointer<QObject>(&command), box = QPointer<QObject>(&combo)] {
    auto* b = qobject_cast<QAbstractButton*>(button.data());
    auto* c = qobject_cast<QComboBox*>(box.data());
    if (b && c)
      b->setEnabled(c->currentIndex() >= 0);
  };
  QObject::connect(&combo, &QComboBox::currentIndexChanged, &command, update);
  FollowModel(command, *combo.model(), update);
}

}  // namespace kivo::ui
