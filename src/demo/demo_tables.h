#pragma once
// The character tables of the demo workspace. Their codes are our own choice
// and match the demo image's text; they are not the game's tables.

#include <cstdint>
#include <string>

#include "model/text/char_table.h"

namespace kivo::demo {

// Codes of the demo tables.
inline constexpr uint8_t kDemoLineBreakCode = 0x01;
inline constexpr uint8_t kDemoFirstPairCode = 0x20;  // two-letter pairs, DTE table only
inline constexpr uint8_t kDemoFirstDigitCode = 0x60;
inline constexpr uint8_t kDemoFirstUpperCode = 0x6A;
inline constexpr uint8_t kDemoFirstLowerCode = 0x84;
inline constexpr uint8_t kDemoFirstPunctuationCode = 0x9E;
inline constexpr uint8_t kDemoBlankCode = 0xFF;

// Digits, letters, punctuation, the blank, the line-break marker and the
// finger mark: one character per code (the finger mark excepted).
CharTable DemoStandardTable();
// The standard table plus common two-letter pairs.
CharTable DemoDteTable();

// The two tables as .tbl files, a comment line first.
std::string DemoStandardTableFile();
std::string DemoDteTableFile();

}  // namespace kivo::demo
