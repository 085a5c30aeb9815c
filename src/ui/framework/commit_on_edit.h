#pragma once
// Edits reach the image as the user makes them: a line edit on Enter or when
// the focus leaves it, a list, combo or check box when the user picks, a
// slider when it is let go.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace kivo::ui {

// A control carrying this property set to true (a filter or find box) edits
// no record, so it commits nothing.
inline constexpr char kNotAField[] = "kivoNotAField";

// Calls `commit(control)` whenever the user edits one of the editable
// controls below `root`, but those in `except` (the lists that choose which
// record is shown) and read-only ones. Changes made by the program (filling
// under a QSignalBlocker, setText) commit nothing.
void CommitOnUserEdit(QWidget& root, const std::function<void(QWidget*)>& commit,
                      const QList<QWidget*>& except = {});

// The name a control is known by in the page: a check box's own text, else
// the label beside it or naming it as its buddy, else its group's title;
// without "&" and a trailing ":".
QString FieldCaption(const QWidget& control);

}  // namespace kivo::ui
