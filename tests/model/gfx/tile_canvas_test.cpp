#include "model/gfx/tile_canvas.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "demo/gfx_layout.h"
#include "model/gfx/palette.h"

namespace kivo {
namespace {

using Tile = std::array<uint8_t, kTileBytes>;

// Top-left pixel colour 3: bit 7 of row 0 in both planes.
constexpr Tile kCornerTile = {0x80, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0};

TEST(DrawTile, DecodesBitPlanesIntoSubPaletteEntries) {
  TileCanvas canvas(16, 16);
  canvas.DrawTile(0, 0, kCornerTile, 2);
  EXPECT_EQ(canvas.Pixel(0, 0), 0x0B);  // 4 * 2 + 3
  EXPECT_EQ(std::count(canvas.pixels().begin(), canvas.pixels().end(), 0x08), 63);

  // A low plane of 0x01 gives colour 1 in the rightmost column only.
  Tile right{};
  for (int r = 0; r < 8; ++r)
    right[r] = 0x01;
  canvas.DrawTile(8, 8, right, 0);
  EXPECT_EQ(canvas.Pixel(15, 8), 1);
  EXPECT_EQ(canvas.Pixel(14, 15), 0);
  EXPECT_EQ(std::count(canvas.pixels().begin(), canvas.pixels().end(), 1), 8);

  // The high plane alone gives colour 2; each row byte is its own row.
  Tile high{};
  high[8 + 5] = 0x24;  // row 5, columns 2 and 5
  EXPECT_EQ(TileColourValue(high, 2, 5), 2);
  EXPECT_EQ(TileColourValue(high, 3, 5), 0);

  // Sub-palettes beyond 7 wrap, so a pixel always indexes the 32-entry table.
  canvas.DrawTile(0, 8, demo::SolidTile(3), 9);
  EXPECT_EQ(canvas.Pixel(3, 11), 4 * 1 + 3);
  // In memory, row 0 is the top of the picture, as QImage takes it.
  EXPECT_EQ(canvas.pixels()[0], 0x0B);
  EXPECT_EQ(canvas.pixels()[15 * 16 + 15], 1);
}

TEST(DrawTile, TilesPartlyOutsideThePictureDrawOnlyTheirInside) {
  // A 16 x 16 picture inside a guarded buffer.
  constexpr int kGuard = 64;
  std::vector<uint8_t> buffer(kGuard + 16 * 16 + kGuard, 0xEE);
  const std::span<uint8_t> picture(buffer.data() + kGuard, 16 * 16);
  const Tile solid = demo::SolidTile(2);
  for (int x : {-8, -3, 0, 5, 12, 15, 16, 40}) {
    for (int y : {-8, -3, 0, 5, 12, 15, 16, 40})
      DrawTile(picture, 16, 16, x, y, solid, 0);
  }
  for (int i = 0; i < kGuard; ++i) {
    ASSERT_EQ(buffer[i], 0xEE);
    ASSERT_EQ(buffer[kGuard + 256 + i], 0xEE);
  }
  // x = 12 writes columns 12..15 and does not wrap onto the next row.
  std::vector<uint8_t> one(16 * 16, 0xEE);
  DrawTile(one, 16, 16, 12, 0, solid, 0);
  EXPECT_EQ(one[0 * 16 + 15], 2);
  EXPECT_EQ(one[1 * 16 + 0], 0xEE);
  EXPECT_EQ(std::count(one.begin(), one.end(), 2), 4 * 8);

  // A canvas whose rows are padded: the padding stays untouched.
  TileCanvas padded(10, 8);
  ASSERT_EQ(padded.stride(), 12);
  padded.Fill(0xEE);
  padded.DrawTile(8, 0, solid, 0);
  EXPECT_EQ(padded.Pixel(9, 7), 2);
  EXPECT_EQ(padded.pixels()[10], 0xEE);
  EXPECT_EQ(padded.pixels()[12 + 11], 0xEE);
  EXPECT_EQ(padded.Pixel(10, 0), 0);  // outside reads 0
}

TEST(TileCanvas, ColourTableComesFromTheMasterPaletteThroughGameBytes) {
  MasterPalette palette;
  palette[0x16] = ColourEntry{0x30, 0x20, 0x10, 0xFF};
  palette[0x0F] = ColourEntry{0, 0, 0, 0x00};  // reserved byte cleared: still opaque

  TileCanvas canvas(128, 128);
  const uint8_t bytes[] = {0x0F, 0x16, 0x56, 0xD6};  // 0x56 and 0xD6 are 0x16 masked
  canvas.SetColours(palette, bytes);
  const auto table = canvas.colourTable();
  EXPECT_EQ(table[0], 0xFF000000u);
  for (int i = 1; i <= 3; ++i)
    EXPECT_EQ(table[i], 0xFF102030u) << i;
  for (int i = 4; i < kCanvasColourCount; ++i)
    EXPECT_EQ(table[i] >> 24, 0xFFu) << i;

  // Recolouring leaves the pixels alone.
  canvas.DrawTile(0, 0, demo::SolidTile(1), 0);
  canvas.SetColour(1, 0x00ABCDEF);
  EXPECT_EQ(canvas.colourTable()[1], 0xFFABCDEFu);
  EXPECT_EQ(canvas.Pixel(0, 0), 1);
}

TEST(TileCanvas, SheetPlacesTilesSixteenAcross) {
  std::vector<uint8_t> sheet;
  for (int t = 0; t < 256; ++t) {
    const Tile tile = demo::SolidTile(t % 4);
    sheet.insert(sheet.end(), tile.begin(), tile.end());
  }
  TileCanvas canvas(kSheetSize, kSheetSize);
  canvas.DrawSheet(sheet, 1);
  for (int t : {0, 1, 2, 3, 0x23, 0x5E, 0xFF}) {
    const int x = 8 * (t & 0x0F), y = 8 * (t >> 4);
    EXPECT_EQ(canvas.Pixel(x, y), 4 + t % 4) << t;
    EXPECT_EQ(canvas.Pixel(x + 7, y + 7), 4 + t % 4) << t;
  }
  EXPECT_EQ(SheetTile(sheet, 3), demo::SolidTile(3));
}

}  // namespace
}  // namespace kivo
