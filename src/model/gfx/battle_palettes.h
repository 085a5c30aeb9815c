#pragma once
// The game's 128 battle palettes (three NES colour numbers each, shared by
// formations, monsters, weapons and spells) and the geometry of the colour
// pickers that show them, decided here so it can be tested without widgets.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/core/rom_view.h"

namespace kivo {

class MasterPalette;

inline constexpr int kBattlePaletteCount = 128;
inline constexpr int kBattlePaletteColours = 3;
// Three arrays of 128 bytes: colour k of palette p at kBattlePalettesOffset
// + kBattlePaletteStride * k + p (file offsets of a standalone image).
inline constexpr std::size_t kBattlePalettesOffset = 0x1710;
inline constexpr std::size_t kBattlePaletteStride = 0x80;

using BattlePalette = std::array<uint8_t, kBattlePaletteColours>;

// Palette numbers are stored in bytes, so a record may name 0x80..0xFF; such
// a number addresses palette p & 0x7F, never the bytes after the table.
inline constexpr int BattlePaletteIndex(int palette) {
  return palette & (kBattlePaletteCount - 1);
}

// File offset of colour k (0..2) of `palette`; colour numbers outside 0..2
// give ConstRomView::npos.
std::size_t BattlePaletteColourOffset(int palette, int k);

// The stored bytes, unmasked: a byte above 0x3F is kept as it is until the
// user picks another colour; only display lookups mask it.
uint8_t BattlePaletteColour(const ConstRomView& rom, int palette, int k);
void SetBattlePaletteColour(const RomView& rom, int palette, int k, uint8_t colour);
BattlePalette ReadBattlePalette(const ConstRomView& rom, int palette);
std::array<BattlePalette, kBattlePaletteCount> ReadBattlePalettes(const ConstRomView& rom);

// Screen colours (opaque QRgb values) of a palette's three colours.
std::array<uint32_t, kBattlePaletteColours> BattlePaletteArgb(const MasterPalette& master,
                                                              const BattlePalette& palette);

// --- Picker geometry, in pixels from the drawn widget's own origin ---------

inline constexpr int kSwatchSize = 16;
inline constexpr int kNoHit = -1;

// A row of `count` swatches starting at the origin: the swatch under (x, y)
// or kNoHit.
int SwatchRowHit(int x, int y, int count = kBattlePaletteColours);

// "Select a new color": the current colour and the 64 colours, 16 across.
inline constexpr int kCurrentSwatchX = 84;
inline constexpr int kCurrentSwatchY = 10;
inline constexpr int kColourGridX = 8;
inline constexpr int kColourGridY = 40;
inline constexpr int kColourGridColumns = 16;
inline constexpr int kColourGridRows = 4;
inline constexpr int kColourGridWidth = kColourGridX * 2 + kColourGridColumns * kSwatchSize;
inline constexpr int kColourGridHeight = kColourGridY + kColourGridRows * kSwatchSize + 8;

struct SwatchPos {
  int x = 0;
  int y = 0;
  bool operator==(const SwatchPos&) const = default;
};

SwatchPos ColourGridSwatch(int colour);
// The colour (0..63) under (x, y), or kNoHit.
int ColourGridHit(int x, int y);

// "Palettes": the original and current palettes, then the 128 palettes in 8
// groups of 16 rows, each group three swatches and a gap slot wide.
inline constexpr int kOriginalSwatchesX = 120;
inline constexpr int kOriginalSwatchesY = 10;
inline constexpr int kCurrentSwatchesY = 36;
inline constexpr int kPaletteGridX = 24;
inline constexpr int kPaletteGridY = 60;
inline constexpr int kPaletteGroups = 8;
inline constexpr int kPaletteGroupRows = 16;
inline constexpr int kPaletteGroupSlots = 4;  // three colours and the gap
inline constexpr int kPaletteGridWidth =
    kPaletteGridX * 2 + kPaletteGroups * kPaletteGroupSlots * kSwatchSize;
inline constexpr int kPaletteGridHeight = kPaletteGridY + kPaletteGroupRows * kSwatchSize + 8;

// Colour k of palette p (0..127) in the grid.
SwatchPos PaletteGridSwatch(int palette, int k);
// The palette under (x, y), or kNoHit for a gap slot or a point outside the groups.
int PaletteGridHit(int x, int y);

}  // namespace kivo
