#pragma once
// UTF-8 helpers: text in Kivo is UTF-8 and a character is one code point.

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo {

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// in the middle of a character.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);

// Length in bytes of the UTF-8 sequence that starts with `lead` (1 for a
// stray continuation byte or an invalid lead, so scanning always advances).
std::size_t Utf8SequenceLength(unsigned char lead);

}  // namespace kivo
