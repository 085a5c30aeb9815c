#pragma once
// The world map's metatiles: 128 squares of 16 x 16 pixels, each four tiles
// from the world-map tile sheet in one background sub-palette. The map view
// and the Maps page's picker draw the same canvas from their own copies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/core/rom_view.h"

namespace kivo {

class MasterPalette;
class TileCanvas;

inline constexpr int kMetatileCount = 128;
inline constexpr int kMetatileSize = 16;  // pixels square
inline constexpr int kMetatilesPerRow = 16;
inline constexpr int kMetatileCanvasWidth = kMetatilesPerRow * kMetatileSize;  // 256
inline constexpr int kMetatileCanvasHeight =
    kMetatileCount / kMetatilesPerRow * kMetatileSize;  // 128

// File offsets of a standalone image; the view adds the base shift.
// Four arrays of 128 tile numbers: top-left, top-right, bottom-left, bottom-right.
inline constexpr std::size_t kMetatileTilesOffset = 0x0110;
inline constexpr std::size_t kMetatileTilesSize = 4 * kMetatileCount;
// One attribute byte per metatile: sub-palette v stored as v * 0x55.
inline constexpr std::size_t kMetatileAttributesOffset = 0x0310;
// Four background sub-palettes, then four sprite sub-palettes.
inline constexpr std::size_t kWorldPaletteOffset = 0x0390;
inline constexpr std::size_t kWorldSpritePaletteOffset = 0x03A0;
inline constexpr std::size_t kWorldPaletteSize = 32;
// The 256 tiles the metatiles are built from.
inline constexpr std::size_t kWorldTilesOffset = 0x8010;
inline constexpr std::size_t kWorldTilesSize = 4096;

inline constexpr uint8_t kAttributeStep = 0x55;

enum class Quarter { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

// Any byte reads as a sub-palette 0..3 (rounded down); 0..3 store as 0x00,
// 0x55, 0xAA, 0xFF.
inline int SubPaletteOfAttribute(uint8_t attribute) {
  return attribute / kAttributeStep;
}
inline uint8_t AttributeOfSubPalette(int subPalette) {
  return static_cast<uint8_t>((subPalette & 3) * kAttributeStep);
}

// The metatile definitions: a copy of the tile-number arrays and attributes.
struct MetatileSet {
  std::array<uint8_t, kMetatileTilesSize> tileNumbers{};  // in ROM order
  std::array<uint8_t, kMetatileCount> attributes{};

  static MetatileSet Read(const ConstRomView& rom);
  void WriteTileNumbers(const RomView& rom) const;

  // Metatile numbers are taken modulo 128.
  uint8_t Tile(int metatile, Quarter quarter) const;
  void SetTile(int metatile, Quarter quarter, uint8_t tile);
  int SubPalette(int metatile) const;

  bool operator==(const MetatileSet&) const = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Top-left pixel of metatile m in the metatile canvas.
inline PixelPoint MetatileOrigin(int metatile) {
  const int m = metatile & (kMetatileCount - 1);
  return {kMetatileSize * (m % kMetatilesPerRow), kMetatileSize * (m / kMetatilesPerRow)};
}

// The world palette bytes and the world tile sheet, read through the view
// (bytes past the end of a short image read as 0).
std::vector<uint8_t> ReadWorldPalette(const ConstRomView& rom);
std::vector<uint8_t> ReadWorldTiles(const ConstRomView& rom);

// Sets colour entries 0..31 from `worldPalette` and draws every metatile of
// `set` from `worldTiles` into a 256 x 128 canvas. Short inputs give colour
// 0x00 and blank tiles for what they lack.
void DrawMetatiles(TileCanvas& canvas, const MasterPalette& palette,
                   std::span<const uint8_t> worldPalette, std::span<const uint8_t> worldTiles,
                   const MetatileSet& set);
// The same with the palette and tiles taken from the ROM image.
void DrawMetatiles(TileCanvas& canvas, const MasterPalette& palette, const ConstRomView& rom,
                   const MetatileSet& set);

}  // namespace kivo
