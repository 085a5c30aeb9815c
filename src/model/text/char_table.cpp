#include "model/text/char_table.h"

#include <algorithm>
#include <array>

#include "model/core/file_io.h"
#include "model/text/c_scan.h"
#include "model/text/text_encoding.h"

namespace kivo {
namespace {

constexpr std::array<const char*, kTableKindCount> kLoadFailureTexts{
    "Could not load the standard table.\nSome of the text will not display.",
    "Could not load the standard DTE table.\nSome of the text will not display.",
    "Could not load the Prototype table.\nSome of the text will not display.",
    "Could not load the Prototype DTE table.\nSome of the text will not display.",
    "Could not load Final Fantasy 1's table.\nSome of the text will not display.",
    "Could not load Final Fantasy 1's DTE table.\nSome of the text will not display.",
};

// The key read as scanf's "%X" reads it, taken as unsigned: a key without
// digits counts as 0, a negative or too large one maps no code.
std::optional<uint8_t> KeyCode(std::string_view key) {
  std::size_t i = 0;
  while (i < key.size() && IsCSpace(key[i]))
    ++i;
  bool negative = false;
  if (i < key.size() && (key[i] == '+' || key[i] == '-')) {
    negative = key[i] == '-';
    ++i;
  }
  // "0x" with no digit after it reads as 0 either way.
  if (i + 1 < key.size() && key[i] == '0' && (key[i + 1] == 'x' || key[i + 1] == 'X'))
    i += 2;
  uint32_t value = 0;
  for (; i < key.size() && HexDigit(key[i]) >= 0; ++i) {
    // Saturate: anything past 0xFF is ignored anyway.
    value = std::min<uint32_t>(value * 16 + HexDigit(key[i]), 0x1000);
  }
  if (value > 0xFF || (negative && value != 0))
    return std::nullopt;
  return static_cast<uint8_t>(value);
}

}  // namespace

TableEncoding ParseTableFile(CharTable& table, std::span<const uint8_t> bytes) {
  // Cut on the raw bytes: none of the three encodings uses a zero byte inside
  // a character, so this is the same as cutting the decoded text.
  bytes = bytes.first(std::find(bytes.begin(), bytes.end(), 0) - bytes.begin());
  const DecodedTableText decoded = DecodeTableText(bytes);

  std::string text;
  text.reserve(decoded.text.size());
  for (std::size_t i = 0; i < decoded.text.size(); ++i) {
    const char c = decoded.text[i];
    if (c == '\r' && i + 1 < decoded.text.size() && decoded.text[i + 1] == '\n')
      continue;
    text.push_back(c);
  }

  table.fill(std::string());
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      continue;
    if (const auto code = KeyCode(line.substr(0, equals))) {
      table[*code] = std::string(line.substr(equals + 1));
    }
  }
  return decoded.encoding;
}

TableLoadResult LoadTableFile(CharTable& table, const std::string& path, TableKind kind) {
  const FileBytes file = ReadWholeFile(path);
  if (!file) {
    const int index = std::clamp(static_cast<int>(kind), 0, kTableKindCount - 1);
    TableLoadResult failure;
    failure.message = Message{kLoadFailureTexts[index], MessageIcon::Warning, kDefaultCaption,
                              FileProblem(path, file.reason)};
    return failure;
  }
  TableLoadResult result;
  result.ok = true;
  result.encoding = ParseTableFile(table, file.bytes);
  return result;
}

}  // namespace kivo
