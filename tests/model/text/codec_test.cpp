#include "model/text/codec.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "model/core/settings.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using Bytes = std::vector<uint8_t>;

CharTable Table(std::initializer_list<std::pair<int, std::string>> entries) {
  CharTable table;
  for (const auto& [code, text] : entries)
    table[code] = text;
  return table;
}

KeywordNames Keywords(std::initializer_list<std::pair<int, std::string>> names) {
  KeywordNames keywords;
  for (const auto& [index, name] : names)
    keywords[index] = name;
  return keywords;
}

// Standard-table letters plus the control-code entries dialogue uses.
const CharTable kLetters = Table(
    {{0x01, "\\n"}, {0x16, "☞"}, {0x18, "#"}, {0x41, "A"}, {0x42, "B"}, {0x43, "C"}, {0xFF, "."}});

constexpr std::size_t kText = 0x20010;

TEST(DecodeString, StopsAtZeroOrTheImageEnd) {
  ImageBuilder builder;
  builder.Bytes(kText, {0x41, 0x16, 0x05, 0x18, 0x20, 0x42, 0x00, 0x43});
  const Bytes image = builder.Build();
  // Control codes are plain codes here; unmapped codes add nothing.
  EXPECT_EQ(DecodeString(image, kText, kLetters), "A☞#B");

  builder.Bytes(image.size() - 2 - builder.baseShift(), {0x41, 0x42});
  const Bytes unterminated = builder.Build();
  EXPECT_EQ(DecodeString(unterminated, unterminated.size() - 2, kLetters), "AB");
}

TEST(DecodeFixed, TakesEveryByteUpToTheImageEnd) {
  const Bytes image = ImageBuilder().Bytes(kText, {0x41, 0x00, 0xFF, 0x42}).Build();
  const CharTable table = Table({{0x00, "_"}, {0x41, "A"}, {0x42, "B"}, {0xFF, "-"}});
  EXPECT_EQ(DecodeFixed(image, kText, 4, table), "A_-B");
  EXPECT_EQ(DecodeFixed(image, image.size() - 3, 6, table), "___");
}

TEST(DecodeDialogue, FingerAndKeywordPairs) {
  const KeywordNames keywords = Keywords({{0x10, "Potion"}, {0x11, "Up\\nDown"}});
  const auto decode = [&](Bytes bytes) {
    const Bytes image = ImageBuilder().Bytes(kText, bytes).Build();
    return DecodeDialogue(image, kText, kLetters, keywords);
  };

  // The last pair's operand wins; an operand 0x00 does not end the text.
  const DialogueText finger = decode({0x16, 0x05, 0x41, 0x16, 0x00, 0x42, 0x00});
  EXPECT_EQ(finger.text, "☞A☞B");
  EXPECT_EQ(finger.finger, 0x00);

  const DialogueText keyword = decode({0x18, 0x10, 0x00, 0x41});
  EXPECT_EQ(keyword.text, "Potion");
  EXPECT_FALSE(keyword.finger.has_value());
  // An operand that is a control code is not read as one.
  EXPECT_EQ(decode({0x18, 0x16, 0x41, 0x18, 0x18, 0x00}).text, "A");

  // Markers become CR LF, whether from the table or from a keyword name.
  EXPECT_EQ(decode({0x41, 0x01, 0x42, 0x18, 0x11, 0x00}).text, "A\r\nBUp\r\nDown");
}

TEST(DecodeDialogue, EndsSafelyAtTheImageEnd) {
  const KeywordNames keywords = Keywords({{0x10, "Potion"}});
  ImageBuilder builder;
  const std::size_t last = builder.size() - 1 - builder.baseShift();
  const auto decodeTail = [&](Bytes bytes) {
    const Bytes image = builder.Bytes(last + 1 - bytes.size(), bytes).Build();
    return DecodeDialogue(image, image.size() - bytes.size(), kLetters, keywords);
  };

  const DialogueText unterminated = decodeTail({0x16, 0x07, 0x41, 0x18, 0x10, 0x42});
  EXPECT_EQ(unterminated.text, "☞APotionB");
  EXPECT_EQ(unterminated.finger, 0x07);

  // A pair whose operand would lie past the image: the text ends before it
  // and an earlier finger value stays.
  const DialogueText cutFinger = decodeTail({0x16, 0x07, 0x41, 0x16});
  EXPECT_EQ(cutFinger.text, "☞A");
  EXPECT_EQ(cutFinger.finger, 0x07);
  EXPECT_EQ(decodeTail({0x42, 0x18}).text, "B");
}

TEST(EncodeText, PrefersLongestThenTableThenHighestCodeThenLowestKeyword) {
  const CharTable dte = Table({{0x80, "e"}, {0x90, "e "}, {0x3F, " "}});
  EXPECT_EQ(EncodeText("e e", dte, nullptr, 0, true), (Bytes{0x90, 0x80, 0x00}));
  EXPECT_EQ(EncodeText("e e", dte, nullptr, 0, false), (Bytes{0x90, 0x80}));

  const CharTable twice = Table({{0x20, "A"}, {0x90, "A"}, {0x50, "A"}});
  EXPECT_EQ(EncodeText("AA", twice, nullptr, 0, true), (Bytes{0x90, 0x90, 0x00}));

  // Nothing maps: every character is dropped, code 0x00 included.
  EXPECT_EQ(EncodeText("Hello", CharTable{}, nullptr, 0, true), Bytes{0x00});
  EXPECT_EQ(EncodeText("x?x", Table({{0x00, "x"}, {0x3F, "?"}}), nullptr, 0, true),
            (Bytes{0x3F, 0x00}));

  const CharTable table = Table({{0x41, "A"}, {0x42, "B"}, {0x60, "AB"}});
  const KeywordNames keywords = Keywords({{0x07, "AB"}, {0x08, "ABA"}, {0x09, "ABA"}});
  EXPECT_EQ(EncodeText("ABAB", table, &keywords, 0, true), (Bytes{0x18, 0x08, 0x42, 0x00}));
  EXPECT_EQ(EncodeText("ABB", table, &keywords, 0, true), (Bytes{0x60, 0x42, 0x00}));
  // Without the keyword flag keyword names never match.
  EXPECT_EQ(EncodeText("ABAB", table, nullptr, 0, true), (Bytes{0x60, 0x60, 0x00}));
}

TEST(EncodeText, LineBreaksBecomeTheMarker) {
  const Bytes expected{0x41, 0x01, 0x42, 0x01, 0x43, 0x00};
  EXPECT_EQ(EncodeText("A\r\nB\nC", kLetters, nullptr, 0, true), expected);
  // Without a marker entry the backslash and the n go one by one, or drop.
  const CharTable spelled = Table({{0x41, "A"}, {0x42, "B"}, {0x5C, "\\"}, {0x6E, "n"}});
  EXPECT_EQ(EncodeText("A\r\nB", spelled, nullptr, 0, true), (Bytes{0x41, 0x5C, 0x6E, 0x42, 0x00}));
  // A lone CR is no line break.
  EXPECT_EQ(EncodeText("A\rB", kLetters, nullptr, 0, true), (Bytes{0x41, 0x42, 0x00}));
}

TEST(EncodeText, CountsCharactersNotBytes) {
  const CharTable table =
      Table({{0x80, "é"}, {0x81, "ア"}, {0x82, "éア"}, {0x83, "a"}, {0x84, "ab"}});
  // "éア" is 2 characters in 5 bytes and wins over "é".
  EXPECT_EQ(EncodeText("éアaéé字", table, nullptr, 0, true), (Bytes{0x82, 0x83, 0x80, 0x80, 0x00}));
  // A 2-character entry matches at the last 2 characters although they take 4 bytes.
  EXPECT_EQ(EncodeText("aéア", table, nullptr, 0, true), (Bytes{0x83, 0x82, 0x00}));
  // A 5-character keyword beats 2-character entries that a byte count would favour.
  const KeywordNames keywords = Keywords({{0x20, "ポーション"}, {0x21, "abcdefg"}});
  const CharTable kana = Table({{0x90, "ポー"}, {0x91, "ション"}, {0x92, "ab"}});
  EXPECT_EQ(EncodeText("ポーションab", kana, &keywords, 0, true), (Bytes{0x18, 0x20, 0x92, 0x00}));
}

// Dialogue (with keywords) gives the finger code its operand; a name does not.
TEST(EncodeText, DialogueSurvivesARoundTrip) {
  const KeywordNames keywords = Keywords({{0x10, "Potion"}, {0x30, "Cure"}});
  const Bytes bytes{0x41, 0x01, 0x18, 0x10, 0x42, 0x16, 0x2A, 0x18, 0x30, 0xFF, 0x00};
  const Bytes image = ImageBuilder().Bytes(kText, bytes).Build();
  const DialogueText decoded = DecodeDialogue(image, kText, kLetters, keywords);
  EXPECT_EQ(decoded.text, "A\r\nPotionB☞Cure.");
  ASSERT_TRUE(decoded.finger.has_value());
  EXPECT_EQ(EncodeText(decoded.text, kLetters, &keywords, *decoded.finger, true), bytes);
  EXPECT_EQ(EncodeText("☞A", kLetters, nullptr, 0x1F, true), (Bytes{0x16, 0x41, 0x00}));
}

}  // namespace
}  // namespace kivo
