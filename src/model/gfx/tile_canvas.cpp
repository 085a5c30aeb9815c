#include "model/gfx/tile_canvas.h"

#include <algorithm>

#include "model/gfx/palette.h"

namespace kivo {

namespace {

// Draws the part of the tile inside columns 0..width-1 and rows 0..height-1.
void DrawClipped(std::span<uint8_t> pixels, int stride, int width, int height, int x, int y,
                 TileBytes tile, int subPalette) {
  const int base = 4 * (subPalette & (kSubPaletteCount - 1));
  for (int r = 0; r < kTileSize; ++r) {
    const int py = y + r;
    if (py < 0 || py >= height)
      continue;
    for (int c = 0; c < kTileSize; ++c) {
      const int px = x + c;
      if (px < 0 || px >= width)
        continue;
      const std::size_t index = static_cast<std::size_t>(py) * stride + px;
      if (index >= pixels.size())
        return;
      pixels[index] = static_cast<uint8_t>(base + TileColourValue(tile, c, r));
    }
  }
}

}  // namespace

std::array<uint8_t, kTileBytes> SheetTile(std::span<const uint8_t> sheet, int t) {
  std::array<uint8_t, kTileBytes> tile{};
  if (t < 0)
    return tile;
  const std::size_t start = static_cast<std::size_t>(t) * kTileBytes;
  if (start < sheet.size()) {
    const std::size_t n = std::min(kTileBytes, sheet.size() - start);
    std::copy_n(sheet.begin() + static_cast<std::ptrdiff_t>(start), n, tile.begin());
  }
  return tile;
}

void DrawTile(std::span<uint8_t> pixels, int stride, int height, int x, int y, TileBytes tile,
              int subPalette) {
  DrawClipped(pixels, stride, stride, height, x, y, tile, subPalette);
}

TileCanvas::TileCanvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_((width_ + 3) & ~3),
      pixels_(static_cast<std::size_t>(stride_) * height_, 0) {
  colours_.fill(OpaqueArgb(0, 0, 0));
}

uint8_t TileCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  return pixels_[static_cast<std::size_t>(y) * stride_ + x];
}

void TileCanvas::Fill(uint8_t value) {
  std::fill(pixels_.begin(), pixels_.end(), value);
}

void TileCanvas::SetColours(const MasterPalette& palette, std::span<const uint8_t> gameColours) {
  const std::size_t count = std::min(gameColours.size(), colours_.size());
  for (std::size_t i = 0; i < count; ++i)
    colours_[i] = palette.Argb(gameColours[i]);
}

void TileCanvas::SetColour(int index, uint32_t argb) {
  if (index >= 0 && index < kCanvasColourCount)
    colours_[index] = argb | 0xFF000000u;
}

void TileCanvas::DrawTile(int x, int y, TileBytes tile, int subPalette) {
  // The row padding is not part of the picture, so clip to the width.
  DrawClipped(pixels_, stride_, width_, height_, x, y, tile, subPalette);
}

void TileCanvas::DrawSheet(std::span<const uint8_t> sheet, int subPalette) {
  for (int t = 0; t < kSheetTileCount; ++t) {
    DrawTile(kTileSize * (t % kSheetTilesPerRow), kTileSize * (t / kSheetTilesPerRow),
             SheetTile(sheet, t), subPalette);
  }
}

}  // namespace kivo
