#include "demo/gfx_layout.h"

#include <algorithm>

#include "model/gfx/metatiles.h"
#include "model/gfx/tile_canvas.h"

namespace kivo::demo {

std::array<uint8_t, 16> SolidTile(int value) {
  std::array<uint8_t, 16> tile{};
  for (int r = 0; r < 8; ++r) {
    tile[r] = (value & 1) ? 0xFF : 0x00;
    tile[r + 8] = (value & 2) ? 0xFF : 0x00;
  }
  return tile;
}

void PlaceWorldTile(ImageBuilder& image, int t, std::span<const uint8_t, 16> tile) {
  image.Bytes(kWorldTilesOffset + kTileBytes * static_cast<std::size_t>(t & 0xFF), tile);
}

void PlaceMetatile(ImageBuilder& image, int m, std::array<uint8_t, 4> tiles, int subPalette) {
  const std::size_t index = static_cast<std::size_t>(m & (kMetatileCount - 1));
  for (std::size_t q = 0; q < tiles.size(); ++q) {
    image.Byte(kMetatileTilesOffset + q * kMetatileCount + index, tiles[q]);
  }
  image.Byte(kMetatileAttributesOffset + index, AttributeOfSubPalette(subPalette));
}

void PlaceWorldPalette(ImageBuilder& image, std::span<const uint8_t> colours) {
  image.Bytes(kWorldPaletteOffset, colours.first(std::min(colours.size(), kWorldPaletteSize)));
}

void PlaceDemoWorldGraphics(ImageBuilder& image) {
  // Backdrop dark blue in every sub-palette; then sea, grass, mountain, sand.
  const uint8_t palette[kWorldPaletteSize] = {0x0F, 0x01, 0x11, 0x21, 0x0F, 0x09, 0x19, 0x2A,
                                              0x0F, 0x07, 0x17, 0x27, 0x0F, 0x18, 0x28, 0x38,
                                              0x0F, 0x16, 0x27, 0x30, 0x0F, 0x12, 0x22, 0x30,
                                              0x0F, 0x1A, 0x2A, 0x30, 0x0F, 0x00, 0x10, 0x30};
  PlaceWorldPalette(image, palette);

  // Tiles 0..3 are solid; every other tile is a pattern grown from its number
  // so the sheet shows 256 different tiles.
  for (int v = 0; v < 4; ++v)
    PlaceWorldTile(image, v, SolidTile(v));
  for (int t = 4; t < 256; ++t) {
    std::array<uint8_t, 16> tile{};
    for (int r = 0; r < 8; ++r) {
      tile[r] = static_cast<uint8_t>((t * (r + 3)) ^ (0x11 << (r & 3)));
      tile[r + 8] = static_cast<uint8_t>((t >> (r & 3)) * 0x25 + r);
    }
    PlaceWorldTile(image, t, tile);
  }

  for (int m = 0; m < kMetatileCount; ++m) {
    const auto t = static_cast<uint8_t>(2 * m);
    PlaceMetatile(image, m,
                  {t, static_cast<uint8_t>(t + 1), static_cast<uint8_t>(t + 0x20),
                   static_cast<uint8_t>(t + 0x21)},
                  m % 4);
  }
}

}  // namespace kivo::demo
