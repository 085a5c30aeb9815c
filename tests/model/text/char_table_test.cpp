#include "model/text/char_table.h"

#include <map>

#include <gtest/gtest.h>

#include "model/text/text_encoding.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

CharTable Parse(std::string_view text, TableEncoding* encoding = nullptr) {
  CharTable table;
  const TableEncoding used = ParseTableFile(table, Bytes(text));
  if (encoding != nullptr)
    *encoding = used;
  return table;
}

// Entries that are not empty, so a test states the whole table it expects.
std::map<int, std::string> Mapped(const CharTable& table) {
  std::map<int, std::string> mapped;
  for (int code = 0; code < 256; ++code) {
    if (!table[code].empty())
      mapped[code] = table[code];
  }
  return mapped;
}

using Entries = std::map<int, std::string>;

TEST(LoadTableFile, ReloadEmptiesEveryEntryAndReadsCrLfLines) {
  test::TempDir dir;
  CharTable table;
  ASSERT_TRUE(
      LoadTableFile(table, dir.Write("old.tbl", "43=C\n44=D\n"), TableKind::Ff2Standard).ok);
  const TableLoadResult result =
      LoadTableFile(table, dir.Write("new.tbl", "41=A\r\n42=B"), TableKind::Ff2Standard);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(Mapped(table), (Entries{{0x41, "A"}, {0x42, "B"}}));
  // Only a byte-order mark: a UTF-8 file of no lines, which empties the table.
  ASSERT_TRUE(LoadTableFile(table, dir.Write("bom.tbl", "\xEF\xBB\xBF"), TableKind::Ff2Standard).ok);
  EXPECT_EQ(Mapped(table), Entries{});
}

TEST(LoadTableFile, UnreadableFileKeepsTheTableAndGivesTheKindsMessage) {
  test::TempDir dir;
  CharTable table;
  table[0x41] = "A";
  const TableLoadResult standard =
      LoadTableFile(table, dir.File("missing.tbl"), TableKind::Ff2Standard);
  EXPECT_FALSE(standard.ok);
  ASSERT_TRUE(standard.message.has_value());
  EXPECT_EQ(*standard.message,
            (Message{"Could not load the standard table.\nSome of the text will not display.",
                     MessageIcon::Warning, "Kivo",
                     dir.File("missing.tbl") + ": No such file or directory"}));
  EXPECT_EQ(Mapped(table), (Entries{{0x41, "A"}}));

  const TableLoadResult prototypeDte =
      LoadTableFile(table, dir.path().string(), TableKind::Ff2PrototypeDte);  // a folder
  EXPECT_FALSE(prototypeDte.ok);
  EXPECT_EQ(prototypeDte.message->text,
            "Could not load the Prototype DTE table.\nSome of the text will not display.");
  EXPECT_EQ(Mapped(table), (Entries{{0x41, "A"}}));
}

TEST(ParseTableFile, LinesSplitAtTheFirstEqualsAndKeepTheValueLiterally) {
  EXPECT_EQ(Mapped(Parse("41=A\n41=a\n")), (Entries{{0x41, "a"}}));
  EXPECT_EQ(Mapped(Parse("4A==\n4B=\n")), (Entries{{0x4A, "="}}));
  EXPECT_EQ(Mapped(Parse("4B=x\n4B=\n")), Entries{});
  EXPECT_EQ(Mapped(Parse("01=\\n\n1A=e \n20=a=b\n")),
            (Entries{{0x01, "\\n"}, {0x1A, "e "}, {0x20, "a=b"}}));
  // A lone CR is part of the value; CR CR LF leaves one CR behind.
  EXPECT_EQ(Mapped(Parse("30=x\ry\n31=z\r\r\n")), (Entries{{0x30, "x\ry"}, {0x31, "z\r"}}));
  // Lines without "=" and empty lines are skipped; the last line needs no LF.
  EXPECT_EQ(Mapped(Parse("comment\n\n\n41 A\n42=B")), (Entries{{0x42, "B"}}));
}

TEST(ParseTableFile, KeysReadAsHexNumbers) {
  EXPECT_EQ(Mapped(Parse("ZZ=x\n")), (Entries{{0x00, "x"}}));
  EXPECT_EQ(Mapped(Parse("100=x\n4142=y\n-1=z\n-41=w\nFFFFFFFFFF41=v\n")), Entries{});
  EXPECT_EQ(Mapped(Parse("  7f=a\n0X1b=b\n3g=d\n\t+2=f\n-0=g\n")),
            (Entries{{0x00, "g"}, {0x02, "f"}, {0x03, "d"}, {0x1B, "b"}, {0x7F, "a"}}));
  EXPECT_EQ(Mapped(Parse("41 =a\n")), (Entries{{0x41, "a"}}));
}

TEST(ParseTableFile, ContentEndsAtTheFirstZeroByte) {
  std::vector<uint8_t> bytes = Bytes("41=A\n42=B");
  bytes.insert(bytes.begin() + 5, 0x00);
  CharTable table;
  ParseTableFile(table, bytes);
  EXPECT_EQ(Mapped(table), (Entries{{0x41, "A"}}));
  // Cut before detection: the bytes after the zero do not make it Windows-1252.
  bytes.push_back(0xE9);
  EXPECT_EQ(ParseTableFile(table, bytes), TableEncoding::Utf8);
}

TEST(ParseTableFile, DetectsUtf8ShiftJisAndWindows1252) {
  TableEncoding encoding{};
  // The byte-order mark would otherwise turn the first key into 0.
  EXPECT_EQ(Mapped(Parse("\xEF\xBB\xBF"
                         "41=\xC3\xA9\n42=\xE3\x82\xA2\n",
                         &encoding)),
            (Entries{{0x41, "é"}, {0x42, "ア"}}));
  EXPECT_EQ(encoding, TableEncoding::Utf8);

  // Shift-JIS as Windows writes it: 0x5C is a backslash, also as the second
  // byte of a character (0x83 0x5C), and 0xB1 a half-width katakana.
  EXPECT_EQ(Mapped(Parse("01=\\n\r\n82=\x83\x41\r\n83=\x83\x5C\r\n84=\xB1\r\n", &encoding)),
            (Entries{{0x01, "\\n"}, {0x82, "ア"}, {0x83, "ソ"}, {0x84, "ｱ"}}));
  EXPECT_EQ(encoding, TableEncoding::ShiftJis);

  // 0xE9 followed by LF is no Shift-JIS; 0x81 is undefined in Windows-1252
  // and still becomes a character.
  EXPECT_EQ(Mapped(Parse("41=\xE9\n42=\x80\n43=\x81\n44=\xFF", &encoding)),
            (Entries{{0x41, "é"}, {0x42, "€"}, {0x43, "\xC2\x81"}, {0x44, "ÿ"}}));
  EXPECT_EQ(encoding, TableEncoding::Windows1252);
}

TEST(IsValidUtf8, RefusesWhatIsNotUtf8) {
  const auto valid = [](std::string_view text) { return IsValidUtf8(Bytes(text)); };
  EXPECT_TRUE(valid("é ア \xF0\x9F\x98\x80"));
  EXPECT_FALSE(valid("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(valid("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(valid("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(valid("\xE3\x82"));          // cut at the end
}

}  // namespace
}  // namespace kivo
