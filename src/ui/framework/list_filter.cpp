#include "ui/framework/list_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/framework/commit_on_edit.h"
#include "ui/framework/page.h"

namespace kivo::ui {
namespace {

constexpr char kShortcutName[] = "filterShortcut";

// Shows the rows of `list` that hold `text`.
void ApplyFilter(QListWidget& list, const QString& text) {
  for (int row = 0; row < list.count(); ++row) {
    const bool shown = text.isEmpty() || list.item(row)->text().contains(text, Qt::CaseInsensitive);
    if (list.isRowHidden(row) == shown)
      list.setRowHidden(row, !shown);
  }
  if (text.isEmpty() && list.currentItem() != nullptr)
    list.scrollToItem(list.currentItem());
}

// Escape clears the box instead of reaching the page.
class ClearOnEscape : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
      return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
      return false;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // the key is the box's, not a shortcut's
      return true;
    }
    edit->clear();
    return true;
  }
};

// The widget whose Ctrl+F reaches the filters: the page holding the list.
QWidget* FilterHost(QWidget* list) {
  for (QWidget* w = list; w != nullptr; w = w->parentWidget()) {
    if (qobject_cast<Page*>(w) != nullptr)
      return w;
  }
  return list->window();
}

// Ctrl+F on the page: the filter of the list that has the focus, else the first.
void FocusFilter(QWidget& host) {
  const QList<QLineEdit*> filters =
      host.findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^filter-")));
  if (filters.isEmpty())
    return;
  QLineEdit* chosen = filters.front();
  const QWidget* focus = host.focusWidget();
  for (QLineEdit* filter : filters) {
    if (focus != nullptr && filter->parentWidget()->isAncestorOf(focus))
      chosen = filter;
  }
  chosen->setFocus(Qt::ShortcutFocusReason);
  chosen->selectAll();
}

}  // namespace

QWidget* WithFilter(QListWidget* list) {
  auto* holder = new QWidget(list->parentWidget());
  auto* filter = new QLineEdit(holder);
  filter->setObjectName(QStringLiteral("filter-") + list->objectName());
  filter->setPlaceholderText(QObject::tr("Filter"));
  filter->setClearButtonEnabled(true);
  filter->setProperty(kNotAField, true);
  filter->installEventFilter(new ClearOnEscape(filter));
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(filter);
  layout->addWidget(list, 1);
  holder->setSizePolicy(list->sizePolicy());

  QObject::connect(filter, &QLineEdit::textChanged, list,
                   [list](const QString& text) { ApplyFilter(*list, text); });
  // Rows the page puts in again (a rebuilt list, a renamed row) meet the filter too.
  const auto reapply = [list, filter] {
    if (!filter->text().isEmpty())
      ApplyFilter(*list, filter->text());
  };
  QAbstractItemModel* model = list->model();
  QObject::connect(model, &QAbstractItemModel::rowsInserted, filter, reapply);
  QObject::connect(model, &QAbstractItemModel::dataChanged, filter, reapply);

  QWidget* host = FilterHost(holder);
  if (host->findChild<QShortcut*>(kShortcutName) == nullptr) {
    auto* shortcut = new QShortcut(QKeySequence::Find, host);
    shortcut->setObjectName(kShortcutName);
    QObject::connect(shortcut, &QShortcut::activated, host, [host] { FocusFilter(*host); });
  }
  return holder;
}

QLineEdit* FilterOf(const QListWidget& list) {
  const QWidget* holder = list.parentWidget();
  return holder != nullptr
             ? holder->findChild<QLineEdit*>(QStringLiteral("filter-") + list.objectName(),
                                             Qt::FindDirectChildrenOnly)
             : nullptr;
}

}  // namespace kivo::ui
