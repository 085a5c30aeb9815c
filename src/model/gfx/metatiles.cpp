#include "model/gfx/metatiles.h"

#include <algorithm>

#include "model/gfx/palette.h"
#include "model/gfx/tile_canvas.h"

namespace kivo {
namespace {

std::size_t TileIndex(int metatile, Quarter quarter) {
  return static_cast<std::size_t>(quarter) * kMetatileCount +
         static_cast<std::size_t>(metatile & (kMetatileCount - 1));
}

}  // namespace

MetatileSet MetatileSet::Read(const ConstRomView& rom) {
  MetatileSet set;
  for (std::size_t i = 0; i < set.tileNumbers.size(); ++i) {
    set.tileNumbers[i] = rom.Byte(kMetatileTilesOffset + i);
  }
  for (std::size_t i = 0; i < set.attributes.size(); ++i) {
    set.attributes[i] = rom.Byte(kMetatileAttributesOffset + i);
  }
  return set;
}

void MetatileSet::WriteTileNumbers(const RomView& rom) const {
  rom.SetBytes(kMetatileTilesOffset, tileNumbers);
}

uint8_t MetatileSet::Tile(int metatile, Quarter quarter) const {
  return tileNumbers[TileIndex(metatile, quarter)];
}

void MetatileSet::SetTile(int metatile, Quarter quarter, uint8_t tile) {
  tileNumbers[TileIndex(metatile, quarter)] = tile;
}

int MetatileSet::SubPalette(int metatile) const {
  return SubPaletteOfAttribute(attributes[metatile & (kMetatileCount - 1)]);
}

std::vector<uint8_t> ReadWorldPalette(const ConstRomView& rom) {
  return rom.Bytes(kWorldPaletteOffset, kWorldPaletteSize);
}

std::vector<uint8_t> ReadWorldTiles(const ConstRomView& rom) {
  return rom.Bytes(kWorldTilesOffset, kWorldTilesSize);
}

void DrawMetatiles(TileCanvas& canvas, const MasterPalette& palette,
                   std::span<const uint8_t> worldPalette, std::span<const uint8_t> worldTiles,
                   const MetatileSet& set) {
  std::array<uint8_t, kWorldPaletteSize> colours{};
  std::copy_n(worldPalette.begin(), std::min(worldPalette.size(), colours.size()), colours.begin());
  canvas.SetColours(palette, colours);

  constexpr Quarter kQuarters[] = {Quarter::TopLeft, Quarter::TopRight, Quarter::BottomLeft,
                                   Quarter::BottomRight};
  for (int m = 0; m < kMetatileCount; ++m) {
    const PixelPoint origin = MetatileOrigin(m);
    const int subPalette = set.SubPalette(m);
    for (Quarter q : kQuarters) {
      const int index = static_cast<int>(q);
      const auto tile = SheetTile(worldTiles, set.Tile(m, q));
      canvas.DrawTile(origin.x + kTileSize * (index & 1), origin.y + kTileSize * (index >> 1), tile,
                      subPalette);
    }
  }
}

void DrawMetatiles(TileCanvas& canvas, const MasterPalette& palette, const ConstRomView& rom,
                   const MetatileSet& set) {
  DrawMetatiles(canvas, palette, ReadWorldPalette(rom), ReadWorldTiles(rom), set);
}

}  // namespace kivo
