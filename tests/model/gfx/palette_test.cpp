#include "model/gfx/palette.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "model/gfx/ntsc_palette.h"

#include "support/temp_dir.h"

namespace kivo {
namespace {

// A palette file whose record i is (i, 0x40 + i, 0x80 + i), extended by `extra` bytes.
std::vector<uint8_t> PaletteFile(std::size_t size) {
  std::vector<uint8_t> bytes(size, 0xEE);
  for (std::size_t k = 0; k < std::min(size, kPaletteFileSize); ++k) {
    bytes[k] = static_cast<uint8_t>((k % 3) * 0x40 + k / 3);
  }
  return bytes;
}

TEST(LoadPaletteFile, ReadsRedGreenBlueRecordsOfTheFirst192Bytes) {
  test::TempDir dir;
  std::vector<uint8_t> bytes = PaletteFile(kPaletteFileSize);
  bytes[0] = 0x12;
  bytes[1] = 0x34;
  bytes[2] = 0x56;

  MasterPalette palette;
  const PaletteLoadOutcome outcome = LoadPaletteFile(palette, dir.Write("a.pal", bytes));
  EXPECT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(palette[0], (ColourEntry{0x56, 0x34, 0x12, 0xFF}));  // reserved untouched
  for (int n = 1; n < kNesColourCount; ++n) {
    const auto i = static_cast<uint8_t>(n);
    EXPECT_EQ(palette[i], (ColourEntry{static_cast<uint8_t>(0x80 + n),
                                       static_cast<uint8_t>(0x40 + n), i, 0xFF}));
  }

  // Bytes after the 64 records change nothing.
  MasterPalette longer;
  std::vector<uint8_t> withTail = bytes;
  withTail.resize(200, 0xAB);
  EXPECT_TRUE(LoadPaletteFile(longer, dir.Write("b.pal", withTail)).ok);
  EXPECT_EQ(longer, palette);
}

TEST(LoadPaletteFile, ShortFileChangesOnlyTheComponentsItHolds) {
  test::TempDir dir;
  const MasterPalette before;
  // Four bytes: entry 0 whole, entry 1 its red only.
  MasterPalette four;
  EXPECT_TRUE(
      LoadPaletteFile(four, dir.Write("four.pal", std::vector<uint8_t>{0x12, 0x34, 0x56, 0x99})).ok);
  EXPECT_EQ(four[0], (ColourEntry{0x56, 0x34, 0x12, 0xFF}));
  EXPECT_EQ(four[1], (ColourEntry{before[1].blue, before[1].green, 0x99, 0xFF}));
  for (int n = 2; n < kNesColourCount; ++n)
    EXPECT_EQ(four[static_cast<uint8_t>(n)], before[static_cast<uint8_t>(n)]) << n;

  MasterPalette empty;
  EXPECT_TRUE(LoadPaletteFile(empty, dir.Write("empty.pal", std::vector<uint8_t>{})).ok);
  EXPECT_EQ(empty, before);
}

TEST(MasterPalette, LookupsStayInsideTheTable) {
  MasterPalette palette;
  palette[0x05] = ColourEntry{1, 2, 3, 0xFF};
  // Colour bytes above 0x3F wrap onto the 64 entries.
  EXPECT_EQ(palette[0xC5], palette[0x05]);
  EXPECT_EQ(palette.Colour(0x85), (Rgb{3, 2, 1}));
  EXPECT_EQ(palette.Argb(0x45), 0xFF030201u);
}

// Until a palette file is loaded, colours come from the console's NTSC output.
TEST(MasterPalette, StartsFromColoursThatLookLikeTheConsole) {
  const std::array<Rgb, 64> ntsc = NtscPalette();
  const MasterPalette palette;
  for (int n = 0; n < 64; ++n) {
    EXPECT_EQ(palette.Colour(static_cast<uint8_t>(n)), ntsc[n]) << n;
    EXPECT_EQ(palette[static_cast<uint8_t>(n)].reserved, 0xFF) << n;
  }
  const auto black = [](Rgb c) { return c.red == 0 && c.green == 0 && c.blue == 0; };
  for (int row = 0; row < 4; ++row)  // hues 14 and 15 are black in every row
    EXPECT_TRUE(black(ntsc[16 * row + 0x0E]) && black(ntsc[16 * row + 0x0F])) << row;
  EXPECT_GE(std::min({ntsc[0x30].red, ntsc[0x30].green, ntsc[0x30].blue}), 240);
  // A red hue, clearly above the other two components.
  const Rgb red = ntsc[0x16];
  EXPECT_GT(red.red, 2 * std::max(red.green, red.blue));
}

}  // namespace
}  // namespace kivo
