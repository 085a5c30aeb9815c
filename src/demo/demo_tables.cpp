#include "demo/demo_tables.h"

#include <iterator>
#include <string_view>

#include "demo/text_layout.h"
#include "model/text/codec.h"

namespace kivo::demo {
namespace {

// What the Text page shows for a finger pair.
constexpr std::string_view kFingerMark = "[F]";
constexpr std::string_view kPunctuation = "',.-!?:/&+%()\"";

// The most frequent pairs of English text, for the DTE table.
constexpr std::string_view kPairs[] = {
    "e ", "th", "he", "s ", "in", "t ", "er", "an", "re", "d ", "on", " t", "ou", "at", "en", "nd",
    "o ", "ha", "or", "y ", "to", "ll", "is", "it", "ar", "st", "ng", "es", "ve", "te", "me", "le",
    "r ", ", ", ". ", "ea", "I ", "wa", "yo", "we", "hi", "of", "ro", "ne", "ce", "li", "ri", "ma",
};
static_assert(kDemoFirstPairCode + std::size(kPairs) <= kDemoFirstDigitCode);
static_assert(kDemoFirstPunctuationCode + kPunctuation.size() < kDemoBlankCode);

std::string WithComment(std::string_view comment, const CharTable& table) {
  // A line without "=" is skipped by the loader.
  return "# " + std::string(comment) + "\n" + TableFileText(table);
}

}  // namespace

CharTable DemoStandardTable() {
  CharTable table;
  table[kDemoLineBreakCode] = std::string(kLineBreakMarker);
  table[kFingerCode] = std::string(kFingerMark);
  for (int i = 0; i < 10; ++i)
    table[kDemoFirstDigitCode + i] = std::string(1, char('0' + i));
  for (int i = 0; i < 26; ++i) {
    table[kDemoFirstUpperCode + i] = std::string(1, char('A' + i));
    table[kDemoFirstLowerCode + i] = std::string(1, char('a' + i));
  }
  for (std::size_t i = 0; i < kPunctuation.size(); ++i)
    table[kDemoFirstPunctuationCode + i] = std::string(1, kPunctuation[i]);
  table[kDemoBlankCode] = " ";
  return table;
}

CharTable DemoDteTable() {
  CharTable table = DemoStandardTable();
  for (std::size_t i = 0; i < std::size(kPairs); ++i)
    table[kDemoFirstPairCode + i] = std::string(kPairs[i]);
  return table;
}

std::string DemoStandardTableFile() {
  return WithComment("Kivo demo standard table (codes of the demo image, not of the game)",
                     DemoStandardTable());
}

std::string DemoDteTableFile() {
  return WithComment("Kivo demo DTE table (codes of the demo image, not of the game)",
                     DemoDteTable());
}

}  // namespace kivo::demo
