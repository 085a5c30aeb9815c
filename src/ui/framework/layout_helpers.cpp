#include "ui/framework/layout_helpers.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace kivo::ui {
namespace {

void CollectLayout(const QLayout& layout, std::vector<QWidget*>& controls);

void CollectWidget(QWidget& widget, std::vector<QWidget*>& controls) {
  if (widget.isWindow())
    return;  // has a focus chain of its own
  if (widget.focusPolicy() & Qt::TabFocus) {
    controls.push_back(&widget);  // a control, even one built of parts
    return;
  }
  if (const QLayout* inner = widget.layout())
    CollectLayout(*inner, controls);
}

// Where item `index` of `layout` stands when read: row, then column.
std::pair<int, int> ReadingPlace(const QLayout& layout, int index) {
  if (const auto* grid = qobject_cast<const QGridLayout*>(&layout)) {
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return {row, column};
  }
  if (const auto* form = qobject_cast<const QFormLayout*>(&layout)) {
    int row = 0;
    QFormLayout::ItemRole role = QFormLayout::LabelRole;
    form->getItemPosition(index, &row, &role);
    return {row, static_cast<int>(role)};
  }
  if (const auto* box = qobject_cast<const QBoxLayout*>(&layout)) {
    const QBoxLayout::Direction direction = box->direction();
    if (direction == QBoxLayout::RightToLeft || direction == QBoxLayout::BottomToTop)
      return {-index, 0};
  }
  return {index, 0};
}

void CollectLayout(const QLayout& layout, std::vector<QWidget*>& controls) {
  std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> items;
  for (int i = 0; i < layout.count(); ++i)
    items.emplace_back(ReadingPlace(layout, i), layout.itemAt(i));
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [place, item] : items) {
    if (QWidget* widget = item->widget())
      CollectWidget(*widget, controls);
    else if (const QLayout* inner = item->layout())
      CollectLayout(*inner, controls);
  }
}

std::vector<QWidget*> ControlsInReadingOrder(const QWidget& root) {
  std::vector<QWidget*> controls;
  if (const QLayout* layout = root.layout())
    CollectLayout(*layout, controls);
  return controls;
}

}  // namespace

void SetTabOrderFromLayout(const QWidget& root) {
  const std::vector<QWidget*> controls = ControlsInReadingOrder(root);
  for (std::size_t i = 1; i < controls.size(); ++i)
    QWidget::setTabOrder(controls[i - 1], controls[i]);
}

void KeepRoomWhenHidden(QWidget& widget) {
  QSizePolicy policy = widget.sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget.setSizePolicy(policy);
}

}  // namespace kivo::ui
