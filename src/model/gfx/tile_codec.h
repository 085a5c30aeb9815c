#pragma once
// The way back from pixels to tile bytes: the exact inverse of the 2-bit
// planar decoding in tile_canvas.h, so a tile can be edited as pixels and
// stored again without disturbing any other bit.

#include <array>
#include <cstdint>
#include <span>

#include "model/gfx/tile_canvas.h"

namespace kivo {

inline constexpr int kTilePixelCount = kTileSize * kTileSize;

// Colour values 0..3, row by row from the top, column 0 leftmost.
using TilePixels = std::array<uint8_t, kTilePixelCount>;

TilePixels DecodeTile(TileBytes tile);
// Values above 3 keep only their two low bits.
std::array<uint8_t, kTileBytes> EncodeTile(const TilePixels& pixels);

// Exchanges colour values `a` and `b` (taken modulo 4) in every pixel of the tile.
void SwapTileColours(std::span<uint8_t, kTileBytes> tile, uint8_t a, uint8_t b);
// The same for tile t of a sheet; false, and nothing changed, when the
// sheet does not hold the whole tile.
bool SwapSheetTileColours(std::span<uint8_t> sheet, int t, uint8_t a, uint8_t b);

}  // namespace kivo
