#include "ui/framework/field_info.h"

#include <QEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>
#include <QStatusBar>
#include <algorithm>
#include <utility>

#include "ui/framework/commit_on_edit.h"
#include "ui/framework/numeric_edit.h"

namespace kivo::ui {
namespace {

// The status bar's message that must stay for its five seconds.
constexpr char kWarningProperty[] = "kivoWarning";

QStatusBar* StatusBarOf(const QWidget& from) {
  auto* window = qobject_cast<QMainWindow*>(from.window());
  return window != nullptr ? window->statusBar() : nullptr;
}

bool WarningShown(const QStatusBar& bar) {
  const QString warning = bar.property(kWarningProperty).toString();
  return !warning.isEmpty() && bar.currentMessage() == warning;
}

QString Number(int value, ValueRange range) {
  if (!range.hex)
    return QString::number(value);
  const int digits = static_cast<int>(FormatHex(static_cast<uint32_t>(range.max)).size());
  return FormatHex(static_cast<uint32_t>(value)).rightJustified(std::max(2, digits), u'0');
}

// Watches one box: its line on focus, its range on commit.
class FieldWatch : public QObject {
 public:
  explicit FieldWatch(QLineEdit& box) : QObject(&box), box_(box) {
    setObjectName(QStringLiteral("fieldInfo"));
    box.installEventFilter(this);
    connect(&box, &QLineEdit::textEdited, this, [this](const QString& text) { typed_ = text; });
    connect(&box, &QLineEdit::editingFinished, this, &FieldWatch::Committed);
  }

  void Describe(ValueRange range, const QString& line) {
    range_ = range;
    line_ = line;
    box_.setToolTip(line);
    if (box_.hasFocus())
      ShowLine();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &box_ && event->type() == QEvent::FocusIn)
      ShowLine();
    if (watched == &box_ && event->type() == QEvent::FocusOut) {
      if (QStatusBar* bar = StatusBarOf(box_); bar != nullptr && bar->currentMessage() == line_)
        bar->clearMessage();
    }
    return false;
  }

 private:
  void ShowLine() {
    if (QStatusBar* bar = StatusBarOf(box_); bar != nullptr && !WarningShown(*bar))
      bar->showMessage(line_);
  }

  // A number typed outside the range: the box shows what is stored.
  void Committed() {
    const QString typed = std::exchange(typed_, QString());
    static const QRegularExpression decimal(QStringLiteral("^\\s*[+-]?[0-9]"));
    static const QRegularExpression hex(QStringLiteral("^\\s*[+-]?[0-9A-Fa-f]"));
    if (!range_.clamped || typed.isEmpty() || !(range_.hex ? hex : decimal).match(typed).hasMatch())
      return;
    const int value = range_.hex ? ReadHex(typed) : ReadDecimal(typed);
    const int stored = std::clamp(value, range_.min, range_.max);
    if (stored == value)
      return;
    const auto plain = [this](int number) {
      return range_.hex ? FormatHex(static_cast<uint32_t>(number)) : QString::number(number);
    };
    const QString shown = plain(stored);
    if (box_.text() != shown)
      box_.setText(shown);
    const QString text =
        tr("%1: %2 is %3 than %4; %4 is stored.")
            .arg(FieldCaption(box_), plain(value), value > stored ? tr("more") : tr("less"), shown);
    if (QStatusBar* bar = StatusBarOf(box_)) {
      bar->setProperty(kWarningProperty, text);
      bar->showMessage(text, kStatusMessageMs);
    }
  }

  QLineEdit& box_;
  ValueRange range_;
  QString line_;
  QString typed_;  // what the user typed since the last commit
};

FieldWatch& WatchOf(QLineEdit& box) {
  if (auto* watch =
          box.findChild<FieldWatch*>(QStringLiteral("fieldInfo"), Qt::FindDirectChildrenOnly))
    return *watch;
  return *new FieldWatch(box);
}

}  // namespace

QString RangeText(ValueRange range) {
  const QString span = Number(range.min, range) + QStringLiteral("..") + Number(range.max, range);
  return range.hex ? QObject::tr("hexadecimal, %1").arg(span) : span;
}

void DescribeField(QLineEdit& box, ValueRange range) {
  WatchOf(box).Describe(range, RangeText(range));
}

void DescribeField(QLineEdit& box, ValueRange range, const FieldPlace& place,
                   std::size_t baseShift) {
  WatchOf(box).Describe(range, RangeText(range) + QStringLiteral(" \u00B7 ") +
                                   QString::fromStdString(DescribePlace(place, baseShift)));
}

void ShowStatus(const QWidget& from, const QString& text, int ms) {
  if (QStatusBar* bar = StatusBarOf(from))
    bar->showMessage(text, ms);
}

}  // namespace kivo::ui
