#pragma once
// The text codec: game bytes to UTF-8 text through a character table, and
// back. Offsets are absolute image indexes (they already include the base
// shift); decoding stops at the end of the image when no 0x00 comes first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/text/char_table.h"

namespace kivo {

class SettingsBlock;

// The two characters backslash and n: a table entry holding them is a line break.
inline constexpr std::string_view kLineBreakMarker = "\\n";

inline constexpr uint8_t kFingerCode = 0x16;
inline constexpr uint8_t kKeywordCode = 0x18;

// The keyword name cache, as the codec reads it (field i = keyword i).
using KeywordNames = std::array<std::string, 256>;
KeywordNames ReadKeywordNames(const SettingsBlock& settings);

std::string DecodeString(std::span<const uint8_t> image, std::size_t offset,
                         const CharTable& table);
std::string DecodeFixed(std::span<const uint8_t> image, std::size_t offset, std::size_t count,
                        const CharTable& table);

struct DialogueText {
  std::string text;               // line breaks as CR LF
  std::optional<uint8_t> finger;  // operand of the last finger pair
};
DialogueText DecodeDialogue(std::span<const uint8_t> image, std::size_t offset,
                            const CharTable& dte, const KeywordNames& keywords);

// `keywords` is given only for the dialogue categories (the keyword flag);
// then 0x16 takes `finger` as its operand and keyword names may match. A
// character that nothing encodes is dropped; with `dropped` given, each such
// character is added to it once, in the order of the text.
std::vector<uint8_t> EncodeText(std::string_view text, const CharTable& table,
                                const KeywordNames* keywords, uint8_t finger, bool terminator,
                                std::vector<std::string>* dropped = nullptr);

}  // namespace kivo
