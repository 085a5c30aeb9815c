// Table files as users find them on old forums: a byte-order mark and
// nothing else, ten thousand lines, keys that are not one-byte numbers, a
// folder where the file should be. Each loads to a defined table, or is
// refused with its kind's message, and the codec goes on working with it.

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "demo/text_layout.h"
#include "model/text/char_table.h"
#include "model/text/codec.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using Entries = std::map<int, std::string>;

Entries Mapped(const CharTable& table) {
  Entries mapped;
  for (int code = 0; code < 256; ++code) {
    if (!table[code].empty())
      mapped[code] = table[code];
  }
  return mapped;
}

TEST(BadTableFiles, EachLoadsToADefinedTable) {
  test::TempDir dir;
  CharTable table = demo::FixtureTable();  // what an earlier load left

  // Only a byte-order mark: a UTF-8 file of no lines empties the table.
  TableLoadResult result = LoadTableFile(
      table, dir.Write("bom.tbl", std::vector<uint8_t>{0xEF, 0xBB, 0xBF}), TableKind::Ff2Standard);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.encoding, TableEncoding::Utf8);
  EXPECT_EQ(Mapped(table), Entries{});
  EXPECT_EQ(EncodeText("Any text", table, nullptr, 0, true), std::vector<uint8_t>{0x00});

  // Ten thousand lines, CR LF ended: the last line of each code wins.
  std::string many;
  for (int line = 0; line < 10000; ++line) {
    char key[8];
    std::snprintf(key, sizeof key, "%02X", line % 256);
    many += std::string(key) + "=w" + std::to_string(line) + "\r\n";
  }
  result = LoadTableFile(table, dir.Write("many.tbl", many), TableKind::Ff2StandardDte);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(table[0x00], "w9984");
  EXPECT_EQ(table[0x0F], "w9999");
  EXPECT_EQ(table[0x10], "w9744");
  EXPECT_EQ(table[0xFF], "w9983");
  EXPECT_EQ(EncodeText("w9999w9983", table, nullptr, 0, true),
            (std::vector<uint8_t>{0x0F, 0xFF, 0x00}));

  // Keys that are not one-byte numbers: "-1" and "FFFFFFFFFF" map nothing,
  // "0x" (no digits) maps code 0, which the encoder never produces.
  result = LoadTableFile(table, dir.Write("keys.tbl", "-1=minus\n0x=zero\nFFFFFFFFFF=big\n41=A\n"),
                         TableKind::Ff2Prototype);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(Mapped(table), (Entries{{0x00, "zero"}, {0x41, "A"}}));
  EXPECT_EQ(EncodeText("zeroA", table, nullptr, 0, true), (std::vector<uint8_t>{0x41, 0x00}));
}

}  // namespace
}  // namespace kivo
