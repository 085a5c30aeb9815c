#include "model/gfx/tile_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kivo {
namespace {

using Tile = std::array<uint8_t, kTileBytes>;

TEST(TileCodec, EncodingUndoesDecodingForEveryTile) {
  std::mt19937 random(9);
  std::vector<uint8_t> sheet(kSheetTileCount * kTileBytes);
  for (uint8_t& b : sheet)
    b = static_cast<uint8_t>(random());
  for (int t = 0; t < kSheetTileCount; ++t) {
    const Tile tile = SheetTile(sheet, t);
    EXPECT_EQ(EncodeTile(DecodeTile(tile)), tile) << t;
  }
}

TEST(TileCodec, SwapExchangesTwoColoursOnly) {
  std::mt19937 random(2);
  Tile tile{};
  for (uint8_t& b : tile)
    b = static_cast<uint8_t>(random());
  const TilePixels before = DecodeTile(tile);
  SwapTileColours(tile, 1, 3);
  const TilePixels after = DecodeTile(tile);
  for (int i = 0; i < kTilePixelCount; ++i) {
    const uint8_t expected = before[i] == 1 ? 3 : before[i] == 3 ? 1 : before[i];
    EXPECT_EQ(after[i], expected) << i;
  }

  // In a sheet only tile t changes.
  std::vector<uint8_t> sheet(3 * kTileBytes + 5, 0x00);
  std::vector<uint8_t> expected = sheet;
  EXPECT_TRUE(SwapSheetTileColours(sheet, 1, 0, 2));
  std::fill(expected.begin() + kTileBytes + kTileSize, expected.begin() + 2 * kTileBytes, 0xFF);
  EXPECT_EQ(sheet, expected);
  EXPECT_EQ(sheet, expected);
}

}  // namespace
}  // namespace kivo
