#include "model/gfx/battle_palettes.h"

#include "model/gfx/palette.h"

namespace kivo {

std::size_t BattlePaletteColourOffset(int palette, int k) {
  if (k < 0 || k >= kBattlePaletteColours)
    return ConstRomView::npos;
  return kBattlePalettesOffset + kBattlePaletteStride * static_cast<std::size_t>(k) +
         static_cast<std::size_t>(BattlePaletteIndex(palette));
}

uint8_t BattlePaletteColour(const ConstRomView& rom, int palette, int k) {
  const std::size_t offset = BattlePaletteColourOffset(palette, k);
  return offset == ConstRomView::npos ? 0 : rom.Byte(offset);
}

void SetBattlePaletteColour(const RomView& rom, int palette, int k, uint8_t colour) {
  const std::size_t offset = BattlePaletteColourOffset(palette, k);
  if (offset != ConstRomView::npos)
    rom.SetByte(offset, colour);
}

BattlePalette ReadBattlePalette(const ConstRomView& rom, int palette) {
  BattlePalette colours{};
  for (int k = 0; k < kBattlePaletteColours; ++k)
    colours[k] = BattlePaletteColour(rom, palette, k);
  return colours;
}

std::array<BattlePalette, kBattlePaletteCount> ReadBattlePalettes(const ConstRomView& rom) {
  std::array<BattlePalette, kBattlePaletteCount> palettes{};
  for (int p = 0; p < kBattlePaletteCount; ++p)
    palettes[p] = ReadBattlePalette(rom, p);
  return palettes;
}

std::array<uint32_t, kBattlePaletteColours> BattlePaletteArgb(const MasterPalette& master,
                                                              const BattlePalette& palette) {
  std::array<uint32_t, kBattlePaletteColours> argb{};
  for (int k = 0; k < kBattlePaletteColours; ++k)
    argb[k] = master.Argb(palette[k]);  // the master palette masks to 0x3F
  return argb;
}

int SwatchRowHit(int x, int y, int count) {
  if (x < 0 || y < 0 || y >= kSwatchSize || x >= count * kSwatchSize)
    return kNoHit;
  return x / kSwatchSize;
}

SwatchPos ColourGridSwatch(int colour) {
  const int n = colour & kNesColourMask;
  return {kColourGridX + kSwatchSize * (n % kColourGridColumns),
          kColourGridY + kSwatchSize * (n / kColourGridColumns)};
}

int ColourGridHit(int x, int y) {
  // Checked before dividing: division truncates towards zero, so a point
  // just left of or above the grid would otherwise land in column or row 0.
  const int dx = x - kColourGridX;
  const int dy = y - kColourGridY;
  if (dx < 0 || dy < 0 || dx >= kColourGridColumns * kSwatchSize ||
      dy >= kColourGridRows * kSwatchSize)
    return kNoHit;
  return (dy / kSwatchSize) * kColourGridColumns + dx / kSwatchSize;
}

SwatchPos PaletteGridSwatch(int palette, int k) {
  const int p = BattlePaletteIndex(palette);
  const int group = p / kPaletteGroupRows;
  const int row = p % kPaletteGroupRows;
  return {kPaletteGridX + kPaletteGroupSlots * kSwatchSize * group + kSwatchSize * k,
          kPaletteGridY + kSwatchSize * row};
}

int PaletteGridHit(int x, int y) {
  const int dx = x - kPaletteGridX;
  const int dy = y - kPaletteGridY;
  if (dx < 0 || dy < 0 || dx >= kPaletteGroups * kPaletteGroupSlots * kSwatchSize ||
      dy >= kPaletteGroupRows * kSwatchSize)
    return kNoHit;
  const int column = dx / kSwatchSize;
  if (column % kPaletteGroupSlots == kPaletteGroupSlots - 1)
    return kNoHit;  // the gap between two groups
  return kPaletteGroupRows * (column / kPaletteGroupSlots) + dy / kSwatchSize;
}

}  // namespace kivo
