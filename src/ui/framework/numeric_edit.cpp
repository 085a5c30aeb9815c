#include "ui/framework/numeric_edit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
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

namespace {

qsizetype Utf8Size(QStringView text) {
  return text.toUtf8().size();
}

// The longest start of `text` that takes at most `bytes` bytes of UTF-8,
// never ending between the two halves of a surrogate pair.
QString FittingStart(QStringView text, qsizetype bytes) {
  qsizetype end = 0;
  while (end < text.size()) {
    const qsizetype step = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    if (Utf8Size(text.left(end + step)) > bytes)
      break;
    end += step;
  }
  return text.left(end).toString();
}

// Cuts what the user adds (typed or pasted) to the room the field has left;
// text the program put there and deletions are left alone. The edit already
// holds the new text when it asks, so the text before it is kept here.
class Utf8ByteLimit : public QValidator {
 public:
  Utf8ByteLimit(int maxBytes, QLineEdit* edit)
      : QValidator(edit), maxBytes_(maxBytes), before_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
  }
  State validate(QString& input, int& position) const override {
    const QString& old = before_;
    if (Utf8Size(input) <= maxBytes_ || input.size() <= old.size())
      return Acceptable;
    qsizetype prefix = 0;
    while (prefix < old.size() && old[prefix] == input[prefix])
      ++prefix;
    qsizetype suffix = 0;
    while (suffix < old.size() - prefix &&
           old[old.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
      ++suffix;
    }
    const QString kept = input.left(prefix) + input.right(suffix);
    const QString added = FittingStart(QStringView(input).mid(prefix, input.size() - prefix - suffix),
                                       std::max<qsizetype>(0, maxBytes_ - Utf8Size(kept)));
    input = input.left(prefix) + added + input.right(suffix);
    position = static_cast<int>(prefix + added.size());
    return Acceptable;
  }

 private:
  int maxBytes_;
  QString before_;
};

}  // namespace

void LimitUtf8Bytes(QLineEdit& edit, int maxBytes) {
  edit.setValidator(new Utf8ByteLimit(maxBytes, &edit));
}

void AllowDigitsOnly(QLineEdit& edit) {
  edit.setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &edit));
}

}  // namespace kivo::ui
