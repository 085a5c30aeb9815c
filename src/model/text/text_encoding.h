#pragma once
// Table files come from editors of many eras: UTF-8, Japanese Windows
// (Shift-JIS) and western Windows (Windows-1252). Everything in memory is
// UTF-8; these helpers tell the encodings apart and convert.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/text/char_table.h"

namespace kivo {

struct DecodedTableText {
  std::string text;  // UTF-8
  TableEncoding encoding = TableEncoding::Utf8;
};

// Skips a leading UTF-8 byte-order mark, then reads the bytes as UTF-8 when
// they are valid UTF-8, else as Shift-JIS when they convert cleanly, else as
// Windows-1252 (which never fails).
DecodedTableText DecodeTableText(std::span<const uint8_t> bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::span<const uint8_t> bytes);

// Shift-JIS as Windows reads it (code page 932, where 0x5C is a backslash);
// nothing when a byte sequence is not Shift-JIS.
std::optional<std::string> ShiftJisToUtf8(std::span<const uint8_t> bytes);

// Every byte maps to a character; the five bytes Windows-1252 leaves
// undefined become the C1 control of the same number.
std::string Windows1252ToUtf8(std::span<const uint8_t> bytes);

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace kivo
