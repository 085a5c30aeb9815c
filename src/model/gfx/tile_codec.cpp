#include "model/gfx/tile_codec.h"

#include <algorithm>

namespace kivo {

TilePixels DecodeTile(TileBytes tile) {
  TilePixels pixels{};
  for (int r = 0; r < kTileSize; ++r) {
    for (int c = 0; c < kTileSize; ++c)
      pixels[r * kTileSize + c] = TileColourValue(tile, c, r);
  }
  return pixels;
}

std::array<uint8_t, kTileBytes> EncodeTile(const TilePixels& pixels) {
  std::array<uint8_t, kTileBytes> tile{};
  for (int r = 0; r < kTileSize; ++r) {
    uint8_t low = 0;
    uint8_t high = 0;
    for (int c = 0; c < kTileSize; ++c) {
      const uint8_t value = pixels[r * kTileSize + c];
      const int bit = 7 - c;
      low = static_cast<uint8_t>(low | ((value & 1) << bit));
      high = static_cast<uint8_t>(high | (((value >> 1) & 1) << bit));
    }
    tile[r] = low;
    tile[r + kTileSize] = high;
  }
  return tile;
}

void SwapTileColours(std::span<uint8_t, kTileBytes> tile, uint8_t a, uint8_t b) {
  a &= 3;
  b &= 3;
  TilePixels pixels = DecodeTile(tile);
  for (uint8_t& value : pixels) {
    if (value == a)
      value = b;
    else if (value == b)
      value = a;
  }
  const auto encoded = EncodeTile(pixels);
  std::copy(encoded.begin(), encoded.end(), tile.begin());
}

bool SwapSheetTileColours(std::span<uint8_t> sheet, int t, uint8_t a, uint8_t b) {
  if (t < 0)
    return false;
  const std::size_t start = static_cast<std::size_t>(t) * kTileBytes;
  if (start > sheet.size() || sheet.size() - start < kTileBytes)
    return false;
  SwapTileColours(sheet.subspan(start).first<kTileBytes>(), a, b);
  return true;
}

}  // namespace kivo
