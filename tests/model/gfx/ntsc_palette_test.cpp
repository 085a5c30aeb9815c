#include "model/gfx/ntsc_palette.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "model/gfx/palette.h"

namespace kivo {
namespace {

bool Black(Rgb c) {
  return c.red == 0 && c.green == 0 && c.blue == 0;
}
bool Grey(Rgb c) {
  return c.red == c.green && c.green == c.blue;
}
bool NearWhite(Rgb c) {
  return std::min({c.red, c.green, c.blue}) >= 240;
}
// `main` clearly above both others.
bool Dominant(uint8_t main, uint8_t a, uint8_t b) {
  return main > 2 * a && main > 2 * b;
}

TEST(NtscPalette, LooksLikeTheConsole) {
  const std::array<Rgb, 64> ntsc = NtscPalette();
  const MasterPalette palette;  // starts from the computed colours
  for (int n = 0; n < 64; ++n) {
    EXPECT_EQ(palette.Colour(static_cast<uint8_t>(n)), ntsc[n]) << n;
    EXPECT_EQ(palette[static_cast<uint8_t>(n)].reserved, 0xFF) << n;
  }

  EXPECT_TRUE(Black(ntsc[0x0F]));
  EXPECT_TRUE(Black(ntsc[0x0D]));
  for (int row = 0; row < 4; ++row) {  // hues 14 and 15 are black in every row
    EXPECT_TRUE(Black(ntsc[16 * row + 0x0E])) << row;
    EXPECT_TRUE(Black(ntsc[16 * row + 0x0F])) << row;
  }
  EXPECT_TRUE(NearWhite(ntsc[0x20]));
  EXPECT_TRUE(NearWhite(ntsc[0x30]));

  // Hue 0 is a grey that brightens with each row up to white.
  EXPECT_TRUE(Grey(ntsc[0x00]) && Grey(ntsc[0x10]) && Grey(ntsc[0x3D]));
  EXPECT_LT(ntsc[0x00].red, ntsc[0x10].red);
  EXPECT_LT(ntsc[0x10].red, ntsc[0x20].red);
  EXPECT_GT(ntsc[0x00].red, 0);

  const Rgb red = ntsc[0x16], blue = ntsc[0x12], green = ntsc[0x2A], yellow = ntsc[0x28];
  EXPECT_TRUE(Dominant(red.red, red.green, red.blue));
  EXPECT_TRUE(Dominant(blue.blue, blue.red, blue.green));
  EXPECT_TRUE(Dominant(green.green, green.red, green.blue));
  EXPECT_GT(std::min(yellow.red, yellow.green), 2 * yellow.blue);
  EXPECT_GT(10 * std::min(yellow.red, yellow.green), 6 * std::max(yellow.red, yellow.green));
}

}  // namespace
}  // namespace kivo
