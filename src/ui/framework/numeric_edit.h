#pragma once
// How the program reads numbers out of edit boxes: the number at the start
// of the text, 0 when there is none ("12abc" reads 12, "" reads 0).

#include <QString>
#include <cstdint>

class QLineEdit;

namespace kivo::ui {

// A signed decimal number, leading white space skipped, as "%d" scans it.
// Values beyond the 32-bit range saturate.
int32_t ReadDecimal(const QString& text);
// A hexadecimal number as "%X" scans it: optional sign and 0x prefix.
int32_t ReadHex(const QString& text);

int32_t ReadDecimal(const QLineEdit& edit);
int32_t ReadHex(const QLineEdit& edit);

// Upper-case hexadecimal without leading zeros or prefix ("%X").
QString FormatHex(uint32_t value);

// Lets a box take only the digits 0..9 (boxes the game marks as numbers only).
void AllowDigitsOnly(QLineEdit& edit);

// Lets a box hold at most `maxBytes` bytes of UTF-8, the room of the field it
// is stored in, so what is typed is what is kept: typing or pasting past it
// is refused whole, never half a character.
void LimitUtf8Bytes(QLineEdit& edit, int maxBytes);

}  // namespace kivo::ui
