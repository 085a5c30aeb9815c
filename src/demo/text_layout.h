#pragma once
// Places game text in a synthetic image: strings encoded through a character
// table, and pointer tables leading to them, so a fixture states only the
// texts it needs. Offsets are file offsets of a standalone image; the
// builder adds the base shift.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "demo/image_builder.h"
#include "model/text/char_table.h"
#include "model/text/codec.h"

namespace kivo::demo {

// A character table holding the given entries, every other code empty.
CharTable MakeTable(std::initializer_list<std::pair<uint8_t, std::string_view>> entries);

// A plain table for fixtures: digits at 0x80.., "A".."Z" at 0x8A..,
// "a".."z" at 0xA4.., blank at 0xFF, a few punctuation marks, and the
// line-break marker at 0x01.
CharTable FixtureTable();
// FixtureTable plus a few two-character entries at 0x1A.. ("e ", "th", ...).
CharTable FixtureDteTable();

// The text of a .tbl file that loads back into `table` ("8A=A" lines).
std::string TableFileText(const CharTable& table);

class TextLayout {
 public:
  // `table` must outlive the layout.
  TextLayout(ImageBuilder& builder, const CharTable& table) : builder_(builder), table_(table) {}

  // Dialogue strings: keyword names may match and 0x16 takes `finger`.
  TextLayout& Keywords(const KeywordNames* keywords, uint8_t finger = 0) {
    keywords_ = keywords;
    finger_ = finger;
    return *this;
  }

  // Encodes `text` with a terminating 0x00 at `at`; returns the offset after it.
  std::size_t String(std::size_t at, std::string_view text) const;
  // Exactly `count` bytes at `at`: the encoded text cut or padded with `pad`.
  TextLayout& Fixed(std::size_t at, std::size_t count, std::string_view text, uint8_t pad = 0xFF);

  // Entry `row` of the pointer table at `pointerTable` leads to `textAt`
  // (the game's pointer is textAt - textBase).
  TextLayout& Pointer(std::size_t pointerTable, int row, std::size_t textBase, std::size_t textAt);

  // Places `texts` one after another from `textAt`, entry firstRow + i of the
  // pointer table leading to text i; returns the offset after the last.
  std::size_t Strings(std::size_t pointerTable, std::size_t textBase, std::size_t textAt,
                      std::span<const std::string_view> texts, int firstRow = 0);
  std::size_t Strings(std::size_t pointerTable, std::size_t textBase, std::size_t textAt,
                      std::initializer_list<std::string_view> texts, int firstRow = 0) {
    return Strings(pointerTable, textBase, textAt, std::span(texts.begin(), texts.size()),
                   firstRow);
  }

 private:
  ImageBuilder& builder_;
  const CharTable& table_;
  const KeywordNames* keywords_ = nullptr;
  uint8_t finger_ = 0;
};

}  // namespace kivo::demo
