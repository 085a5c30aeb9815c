#include "model/gfx/palette.h"

#include <gtest/gtest.h>

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

  MasterPalette three;
  EXPECT_TRUE(
      LoadPaletteFile(three, dir.Write("three.pal", std::vector<uint8_t>{0x12, 0x34, 0x56})).ok);
  EXPECT_EQ(three[0], (ColourEntry{0x56, 0x34, 0x12, 0xFF}));
  for (int n = 1; n < kNesColourCount; ++n) {
    EXPECT_EQ(three[static_cast<uint8_t>(n)], before[static_cast<uint8_t>(n)]) << n;
  }

  // Four bytes: entry 1 gets its red only.
  MasterPalette four;
  EXPECT_TRUE(LoadPaletteFile(four, dir.Write("four.pal", std::vector<uint8_t>{1, 2, 3, 0x99})).ok);
  EXPECT_EQ(four[1].red, 0x99);
  EXPECT_EQ(four[1].green, before[1].green);
  EXPECT_EQ(four[1].blue, before[1].blue);

  MasterPalette empty;
  EXPECT_TRUE(LoadPaletteFile(empty, dir.Write("empty.pal", std::vector<uint8_t>{})).ok);
  EXPECT_EQ(empty, before);
}

TEST(LoadPaletteFile, UnreadableFileLeavesThePaletteAndWarns) {
  test::TempDir dir;
  MasterPalette palette;
  ASSERT_TRUE(LoadPaletteFile(palette, dir.Write("a.pal", PaletteFile(kPaletteFileSize))).ok);
  const MasterPalette loaded = palette;

  const Message warning{kPaletteLoadFailedText, MessageIcon::Warning, "Kivo"};
  for (const std::string& path : {dir.File("missing.pal"), dir.path().string(), std::string()}) {
    SCOPED_TRACE(path);
    const PaletteLoadOutcome outcome = LoadPaletteFile(palette, path);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, Messages{warning});
    EXPECT_EQ(palette, loaded);
  }
  EXPECT_STREQ(kPaletteLoadFailedText,
               "Could not load the palette file. Colors will not display properly.");
}

TEST(MasterPalette, LookupsStayInsideTheTable) {
  MasterPalette palette;
  palette[0x05] = ColourEntry{1, 2, 3, 0xFF};
  // Colour bytes above 0x3F wrap onto the 64 entries.
  EXPECT_EQ(palette[0x45], palette[0x05]);
  EXPECT_EQ(palette[0xC5], palette[0x05]);
  EXPECT_EQ(palette.Colour(0x85), (Rgb{3, 2, 1}));
  EXPECT_EQ(palette.Argb(0xFF), palette.Argb(0x3F));
  EXPECT_EQ(palette.Argb(0x45), 0xFF030201u);

  // A colour whose reserved byte was changed still gives an opaque value.
  palette[0x06] = ColourEntry{0x10, 0x20, 0x30, 0x00};
  EXPECT_EQ(palette.Argb(0x06), 0xFF302010u);
}

}  // namespace
}  // namespace kivo
