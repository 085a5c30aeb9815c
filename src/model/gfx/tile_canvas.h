#pragma once
// NES character tiles decoded into 8-bit indexed pictures. A canvas is stored
// top-down (row 0 first) with a QRgb-compatible colour table, so the user
// interface can show its pixels as an Indexed8 image without copying them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kivo {

class MasterPalette;

// 8 x 8 pixels, 2 bits each: a low bit plane of 8 row bytes, then a high one.
inline constexpr int kTileSize = 8;
inline constexpr std::size_t kTileBytes = 16;
using TileBytes = std::span<const uint8_t, kTileBytes>;

// Eight sub-palettes of four colours: background and sprites of one picture.
inline constexpr int kSubPaletteCount = 8;
inline constexpr int kCanvasColourCount = 4 * kSubPaletteCount;

// A sheet of 256 tiles shown 16 across and 16 down.
inline constexpr int kSheetTilesPerRow = 16;
inline constexpr int kSheetTileCount = 256;
inline constexpr int kSheetSize = kSheetTilesPerRow * kTileSize;  // 128 pixels square

// The 2-bit colour value (0..3) of a tile pixel; column 0 is the leftmost.
inline uint8_t TileColourValue(TileBytes tile, int column, int row) {
  const int bit = 7 - column;
  return static_cast<uint8_t>((((tile[row + 8] >> bit) & 1) << 1) | ((tile[row] >> bit) & 1));
}

// Tile t of a tile sheet; bytes a short sheet lacks read as 0.
std::array<uint8_t, kTileBytes> SheetTile(std::span<const uint8_t> sheet, int t);

// Writes tile `tile` with its top-left pixel at (x, y), row 0 of `pixels`
// being the top picture row and each row `stride` bytes wide. A pixel gets
// 4 * subPalette + colour value. Pixels that fall outside the stride, the
// height or the buffer are skipped, so a tile partly off the picture draws
// only its visible part. The sub-palette is taken modulo 8 so every pixel
// indexes an entry of a 32-colour table.
void DrawTile(std::span<uint8_t> pixels, int stride, int height, int x, int y, TileBytes tile,
              int subPalette);

class TileCanvas {
 public:
  // Rows are padded to a multiple of 4 bytes, the row alignment QImage needs.
  TileCanvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }

  std::span<uint8_t> pixels() { return pixels_; }
  std::span<const uint8_t> pixels() const { return pixels_; }
  // The pixel byte at (x, y), or 0 outside the picture.
  uint8_t Pixel(int x, int y) const;
  void Fill(uint8_t value);

  // Always 32 opaque entries, so every pixel value the canvas can hold has one.
  std::span<const uint32_t, kCanvasColourCount> colourTable() const { return colours_; }
  // Entry i becomes the master palette colour of game colour byte i (masked
  // to 0..0x3F); entries beyond the bytes given keep their colours. Changing
  // the table recolours the picture without redrawing it.
  void SetColours(const MasterPalette& palette, std::span<const uint8_t> gameColours);
  void SetColour(int index, uint32_t argb);

  void DrawTile(int x, int y, TileBytes tile, int subPalette);
  // Tile t of a 256-tile sheet (4096 bytes) at (8 * (t & 15), 8 * (t >> 4)),
  // all in one sub-palette. Tiles missing from a short sheet are drawn blank.
  void DrawSheet(std::span<const uint8_t> sheet, int subPalette);

 private:
  int width_;
  int height_;
  int stride_;
  std::vector<uint8_t> pixels_;
  std::array<uint32_t, kCanvasColourCount> colours_;
};

}  // namespace kivo
