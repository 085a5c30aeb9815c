#pragma once
// What a value box can hold and where its value lives in the file: the box's
// tooltip says it ("0..65535 · 2 bytes at 0x30CE5 (HP/MP value 9)"), the
// window's status bar shows the same line while the box has focus, and a
// value typed outside the range is shown as stored when it is committed,
// with a word in the status bar for five seconds.

#include <QString>
#include <cstddef>

#include "model/core/field_place.h"

class QLineEdit;
class QWidget;

namespace kivo::ui {

struct ValueRange {
  int min = 0;
  int max = 0;
  bool hex = false;     // the box reads hexadecimal
  bool clamped = true;  // a value outside is stored clamped (else the page says what it keeps)
};

inline constexpr int kStatusMessageMs = 5000;

// The range alone (no record shown).
void DescribeField(QLineEdit& box, ValueRange range);
// The range and where the value of the record shown lives; `baseShift` is
// added to the place's offset.
void DescribeField(QLineEdit& box, ValueRange range, const FieldPlace& place,
                   std::size_t baseShift);

// "0..65535", "hexadecimal, 00..FF".
QString RangeText(ValueRange range);

// Shows `text` in the status bar of the main window holding `from` for `ms`
// milliseconds (0: until something replaces it); nothing without one.
void ShowStatus(const QWidget& from, const QString& text, int ms = 0);

}  // namespace kivo::ui
