#include "model/gfx/metatiles.h"

#include <gtest/gtest.h>

#include "demo/gfx_layout.h"
#include "demo/image_builder.h"
#include "model/gfx/palette.h"
#include "model/gfx/tile_canvas.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

// Palette byte i is 0x40 + i: every entry distinct, and each masks to i.
void PlaceFixture(ImageBuilder& image) {
  std::array<uint8_t, kWorldPaletteSize> colours;
  for (std::size_t i = 0; i < colours.size(); ++i)
    colours[i] = static_cast<uint8_t>(0x40 + i);
  demo::PlaceWorldPalette(image, colours);
  for (int v = 0; v < 4; ++v)
    demo::PlaceWorldTile(image, 0x10 + v, demo::SolidTile(v));
  const std::array<uint8_t, 16> corner = {0x80, 0, 0, 0, 0, 0, 0, 0, 0x80};
  demo::PlaceWorldTile(image, 0xFF, corner);

  demo::PlaceMetatile(image, 0x24, {0x10, 0x11, 0x12, 0x13}, 2);
  demo::PlaceMetatile(image, 0x7F, {0xFF, 0xFF, 0x13, 0x10}, 3);
  demo::PlaceMetatile(image, 0x01, {0x13, 0x13, 0x13, 0x13}, 0);
  image.Byte(kMetatileAttributesOffset + 0x01, 0x54);  // not a multiple of 0x55: rounds down
}

TEST(DrawMetatiles, BuildsTheCanvasFromTileNumbersAttributesAndTiles) {
  const MasterPalette palette;
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    SCOPED_TRACE(image.baseShift());
    PlaceFixture(image);
    const std::vector<uint8_t> bytes = image.Build();
    const ConstRomView rom(bytes, image.baseShift());
    TileCanvas canvas(kMetatileCanvasWidth, kMetatileCanvasHeight);
    DrawMetatiles(canvas, palette, rom, MetatileSet::Read(rom));
    for (int i = 0; i < kCanvasColourCount; ++i)
      EXPECT_EQ(canvas.colourTable()[i], palette.Argb(static_cast<uint8_t>(i))) << i;
    // Metatile 0x24 at (64, 32): its four quarters in sub-palette 2.
    EXPECT_EQ(canvas.Pixel(64, 32), 8 + 0);
    EXPECT_EQ(canvas.Pixel(79, 32), 8 + 1);
    EXPECT_EQ(canvas.Pixel(64, 47), 8 + 2);
    EXPECT_EQ(canvas.Pixel(72, 40), 8 + 3);
    // Metatile 0x7F, the last, at (240, 112) in sub-palette 3.
    EXPECT_EQ(canvas.Pixel(240, 112), 12 + 3);
    EXPECT_EQ(canvas.Pixel(241, 112), 12 + 0);
    EXPECT_EQ(canvas.Pixel(240, 120), 12 + 3);
    // Metatile 1 with attribute 0x54 uses sub-palette 0.
    EXPECT_EQ(canvas.Pixel(16, 0), 3);
  }
}

TEST(DrawMetatiles, UsesTheCallersCopiesOfTheDefinitions) {
  ImageBuilder image;
  PlaceFixture(image);
  const std::vector<uint8_t> bytes = image.Build();
  const ConstRomView rom(bytes, 0);
  const MasterPalette palette;

  // The view and the page draw from their own copies, which may differ from the ROM.
  MetatileSet set = MetatileSet::Read(rom);
  set.SetTile(0x24, Quarter::TopLeft, 0x13);
  set.attributes[0x24] = AttributeOfSubPalette(1);
  TileCanvas canvas(kMetatileCanvasWidth, kMetatileCanvasHeight);
  DrawMetatiles(canvas, palette, rom, set);
  EXPECT_EQ(canvas.Pixel(64, 32), 4 + 3);
  EXPECT_EQ(canvas.Pixel(72, 32), 4 + 1);

  // Writing the tile numbers back puts each quarter in its own array.
  std::vector<uint8_t> target = bytes;
  set.SetTile(0x24, Quarter::BottomRight, 0x23);
  set.WriteTileNumbers(RomView(target, 0));
  EXPECT_EQ(target[0x0110 + 0x24], 0x13);
  EXPECT_EQ(target[0x0290 + 0x24], 0x23);
  EXPECT_EQ(MetatileSet::Read(ConstRomView(target, 0)).tileNumbers, set.tileNumbers);
  EXPECT_EQ(target[0x0310 + 0x24], 0xAA);  // attributes are not written here
}

}  // namespace
}  // namespace kivo
