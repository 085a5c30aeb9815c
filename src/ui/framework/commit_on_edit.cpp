#include "ui/framework/commit_on_edit.h"

#include <QAbstractButton>
#include <algorithm>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>

namespace kivo::ui {
namespace {

QString Clean(QString text) {
  text.remove(QLatin1Char('&'));
  text = text.trimmed();
  if (text.endsWith(QLatin1Char(':')))
    text.chop(1);
  return text.trimmed();
}

// The layout below `layout` that holds `widget` directly, if any.
QLayout* HolderOf(QLayout* layout, const QWidget* widget) {
  if (layout == nullptr)
    return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget)
      return layout;
    if (QLayout* found = HolderOf(item->layout(), widget))
      return found;
  }
  return nullptr;
}

// A label that names something: "HP:", not the "~" between two boxes.
const QLabel* NamingLabel(QLayoutItem* item) {
  const auto* label = item != nullptr ? qobject_cast<const QLabel*>(item->widget()) : nullptr;
  if (label == nullptr)
    return nullptr;
  const QString text = label->text();
  const bool names = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
  return names ? label : nullptr;
}

// The nearest naming label before `widget` in the layout that holds it: to
// its left in a grid row, or before it in a row of widgets.
const QLabel* LabelBeside(const QWidget& widget) {
  for (const QWidget* w = widget.parentWidget(); w != nullptr; w = w->parentWidget()) {
    QLayout* holder = HolderOf(w->layout(), &widget);
    if (holder == nullptr)
      continue;
    const int index = holder->indexOf(&widget);
    if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
      int row = 0, column = 0, rows = 0, columns = 0;
      grid->getItemPosition(index, &row, &column, &rows, &columns);
      for (int c = column - 1; c >= 0; --c) {
        if (const QLabel* label = NamingLabel(grid->itemAtPosition(row, c)))
          return label;
      }
      return nullptr;
    }
    for (int i = index - 1; i >= 0; --i) {
      if (const QLabel* label = NamingLabel(holder->itemAt(i)))
        return label;
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace

void CommitOnUserEdit(QWidget& root, const std::function<void(QWidget*)>& commit,
                      const QList<QWidget*>& except) {
  for (QWidget* w : root.findChildren<QWidget*>()) {
    if (except.contains(w) || w->property(kNotAField).toBool())
      continue;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      // A combo box's own line edit finds a row; the combo commits the pick.
      if (!edit->isReadOnly() && qobject_cast<QComboBox*>(edit->parentWidget()) == nullptr)
        QObject::connect(edit, &QLineEdit::editingFinished, edit, [commit, edit] { commit(edit); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      QObject::connect(combo, &QComboBox::activated, combo, [commit, combo] { commit(combo); });
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
      QObject::connect(box, &QCheckBox::clicked, box, [commit, box] { commit(box); });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
      // Lists are filled under a QSignalBlocker, so a row change is the user's.
      QObject::connect(list, &QListWidget::currentRowChanged, list,
                       [commit, list] { commit(list); });
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
      QObject::connect(slider, &QSlider::sliderReleased, slider,
                       [commit, slider] { commit(slider); });
    }
  }
}

QString FieldCaption(const QWidget& control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
    return Clean(button->text());
  if (const QWidget* parent = control.parentWidget()) {
    for (const QLabel* label : parent->findChildren<const QLabel*>()) {
      if (label->buddy() == &control)
        return Clean(label->text());
    }
  }
  if (const QLabel* label = LabelBeside(control); label != nullptr && !Clean(label->text()).isEmpty())
    return Clean(label->text());
  for (const QWidget* w = control.parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
      return Clean(group->title());
  }
  return control.objectName();
}

}  // namespace kivo::ui
