#include "ui/framework/numeric_edit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <limits>

namespace kivo::ui {
namespace {

int DigitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int v = -1;
  if (u >= u'0' && u <= u'9')
    v = u - u'0';
  if (u >= u'a' && u <= u'f')
    v = u - u'a' + 10;
  if (u >= u'A' && u <= u'F')
    v = u - u'A' + 10;
  return v < base ? v : -1;
}

int32_t Scan(const QString& text, int base) {
  int i = 0;
  const int n = text.size();
  while (i < n && text[i].isSpace())
    ++i;
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (base == 16 && i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
      i + 2 < n && DigitValue(text[i + 2], 16) >= 0) {
    i += 2;
  }
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < n; ++i) {
    const int d = DigitValue(text[i], base);
    if (d < 0)
      break;
    value = std::min(value * base + d, kLimit);
  }
  if (negative)
    value = -value;
  value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                              std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t ReadDecimal(const QString& text) {
  return Scan(text, 10);
}
int32_t ReadHex(const QString& text) {
  return Scan(text, 16);
}
int32_t ReadDecimal(const QLineEdit& edit) {
  return ReadDecimal(edit.text());
}
int32_t ReadHex(const QLineEdit& edit) {
  return ReadHex(edit.text());
}

QString FormatHex(uint32_t value) {
  return QString::number(value, 16).toUpper();
}

void AllowDigitsOnly(QLineEdit& edit) {
  edit.setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &edit));
}

}  // namespace kivo::ui
