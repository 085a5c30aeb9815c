#include "demo/text_layout.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kivo::demo {

CharTable MakeTable(std::initializer_list<std::pair<uint8_t, std::string_view>> entries) {
  CharTable table;
  for (const auto& [code, text] : entries)
    table[code] = std::string(text);
  return table;
}

CharTable FixtureTable() {
  CharTable table;
  for (int i = 0; i < 10; ++i)
    table[0x80 + i] = std::string(1, char('0' + i));
  for (int i = 0; i < 26; ++i) {
    table[0x8A + i] = std::string(1, char('A' + i));
    table[0xA4 + i] = std::string(1, char('a' + i));
  }
  const std::string_view punctuation = "',.-!?";
  for (std::size_t i = 0; i < punctuation.size(); ++i) {
    table[0xBE + i] = std::string(1, punctuation[i]);
  }
  table[0xFF] = " ";
  table[0x01] = std::string(kLineBreakMarker);
  return table;
}

CharTable FixtureDteTable() {
  CharTable table = FixtureTable();
  const std::string_view pairs[] = {"e ", "th", "he", "in", " t", "s "};
  for (std::size_t i = 0; i < std::size(pairs); ++i)
    table[0x1A + i] = std::string(pairs[i]);
  return table;
}

std::string TableFileText(const CharTable& table) {
  std::string text;
  for (int code = 0; code < 256; ++code) {
    if (table[code].empty())
      continue;
    char key[4];
    std::snprintf(key, sizeof key, "%02X", code);
    text += key;
    text += '=';
    text += table[code];
    text += '\n';
  }
  return text;
}

std::size_t TextLayout::String(std::size_t at, std::string_view text) const {
  const std::vector<uint8_t> bytes = EncodeText(text, table_, keywords_, finger_, true);
  builder_.Bytes(at, bytes);
  return at + bytes.size();
}

TextLayout& TextLayout::Fixed(std::size_t at, std::size_t count, std::string_view text,
                              uint8_t pad) {
  std::vector<uint8_t> bytes = EncodeText(text, table_, keywords_, finger_, false);
  bytes.resize(count, pad);
  builder_.Bytes(at, bytes);
  return *this;
}

TextLayout& TextLayout::Pointer(std::size_t pointerTable, int row, std::size_t textBase,
                                std::size_t textAt) {
  builder_.Word(pointerTable + 2 * std::size_t(row), static_cast<uint16_t>(textAt - textBase));
  return *this;
}

std::size_t TextLayout::Strings(std::size_t pointerTable, std::size_t textBase, std::size_t textAt,
                                std::span<const std::string_view> texts, int firstRow) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    Pointer(pointerTable, firstRow + static_cast<int>(i), textBase, textAt);
    textAt = String(textAt, texts[i]);
  }
  return textAt;
}

}  // namespace kivo::demo
