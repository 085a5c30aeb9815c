#pragma once
// A filter box above a long list: typing hides the rows whose text does not
// hold what was typed (any case), without touching the selection or what the
// page shows; clearing it shows every row again with the selection in view.
// Ctrl+F focuses the filter of the page shown, Escape in a filter clears it.

class QLineEdit;
class QListWidget;
class QWidget;

namespace kivo::ui {

// Puts a filter box ("filter-<list's objectName>") above `list` and returns
// the widget holding both, to be laid out where the list would be.
QWidget* WithFilter(QListWidget* list);

// The filter box of `list`, or null.
QLineEdit* FilterOf(const QListWidget& list);

}  // namespace kivo::ui
