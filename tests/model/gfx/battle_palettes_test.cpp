#include "model/gfx/battle_palettes.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "model/gfx/palette.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

// Reads and writes at the shifted offsets are pinned through the colour
// dialogs and the Formation and Equipment pages.
TEST(BattlePalettes, NumbersAndColoursOutsideTheTableStayInside) {
  ImageBuilder image;
  image.Byte(0x1710 + 0x05, 0x11).Byte(0x1810 + 0x7F, 0x22);
  const RomView rom = image.view();
  const std::vector<uint8_t> before = image.Build();

  // A byte-sized palette number wraps into the table.
  EXPECT_EQ(BattlePaletteColourOffset(0x85, 0), 0x1715u);
  EXPECT_EQ(BattlePaletteColour(rom, 0x85, 0), 0x11);
  EXPECT_EQ(BattlePaletteColourOffset(0xFF, 2), 0x188Fu);
  EXPECT_EQ(ReadBattlePalette(rom, 0xFF)[2], 0x22);

  // A colour number other than 0..2 addresses nothing and writes nothing.
  EXPECT_EQ(BattlePaletteColourOffset(0, 3), ConstRomView::npos);
  EXPECT_EQ(BattlePaletteColourOffset(0, -1), ConstRomView::npos);
  EXPECT_EQ(BattlePaletteColour(rom, 0, 3), 0);
  SetBattlePaletteColour(rom, 0x10, 3, 0x3F);
  SetBattlePaletteColour(rom, 0x10, -1, 0x3F);
  EXPECT_EQ(image.Build(), before);
}

TEST(PickerGeometry, ColourGridAndSwatchRow) {
  EXPECT_EQ(ColourGridHit(8, 40), 0x00);
  EXPECT_EQ(ColourGridHit(263, 103), 0x3F);
  EXPECT_EQ(ColourGridHit(50, 20), kNoHit);  // beside the current colour
  // Just outside each edge: truncating division must not pull these in.
  EXPECT_EQ(ColourGridHit(7, 45), kNoHit);
  EXPECT_EQ(ColourGridHit(20, 39), kNoHit);
  EXPECT_EQ(ColourGridHit(264, 50), kNoHit);
  EXPECT_EQ(ColourGridHit(100, 104), kNoHit);
  for (int n = 0; n < kNesColourCount; ++n) {
    const SwatchPos at = ColourGridSwatch(n);
    EXPECT_EQ(ColourGridHit(at.x, at.y), n);
    EXPECT_EQ(ColourGridHit(at.x + 15, at.y + 15), n);
  }

  EXPECT_EQ(SwatchRowHit(0, 0), 0);
  EXPECT_EQ(SwatchRowHit(16, 0), 1);
  EXPECT_EQ(SwatchRowHit(47, 8), 2);
  EXPECT_EQ(SwatchRowHit(48, 8), kNoHit);
  EXPECT_EQ(SwatchRowHit(8, 16), kNoHit);
  EXPECT_EQ(SwatchRowHit(-1, 8), kNoHit);
  EXPECT_EQ(SwatchRowHit(255, 0, 16), 15);
}

TEST(PickerGeometry, PaletteGridGroupsAndGaps) {
  EXPECT_EQ(PaletteGridHit(24 + 64 * 2 + 16, 60 + 16 * 5), 0x25);
  EXPECT_EQ(PaletteGridHit(24 + 48, 60), kNoHit);  // gap of group 0
  EXPECT_EQ(PaletteGridHit(24 + 64 * 7 + 47, 60 + 255), 0x7F);
  EXPECT_EQ(PaletteGridHit(24 + 64 * 7 + 48, 60 + 100), kNoHit);  // last gap
  // Left of and above the grid, and past its ends.
  EXPECT_EQ(PaletteGridHit(23, 70), kNoHit);
  EXPECT_EQ(PaletteGridHit(30, 59), kNoHit);
  EXPECT_EQ(PaletteGridHit(24 + 512, 70), kNoHit);
  EXPECT_EQ(PaletteGridHit(30, 60 + 256), kNoHit);

  for (int p = 0; p < kBattlePaletteCount; ++p) {
    for (int k = 0; k < kBattlePaletteColours; ++k) {
      const SwatchPos at = PaletteGridSwatch(p, k);
      EXPECT_EQ(PaletteGridHit(at.x, at.y), p);
      EXPECT_EQ(PaletteGridHit(at.x + 15, at.y + 15), p);
    }
  }
}

}  // namespace
}  // namespace kivo
