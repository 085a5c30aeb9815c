#include "model/map/flood_fill.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace kivo {
namespace {

uint8_t& At(WorldMapGrid& grid, int x, int y) {
  return grid[y * kWorldMapSide + x];
}

TEST(FloodFill, ChangesNothingWhenThereIsNothingToFill) {
  auto grid = std::make_unique<WorldMapGrid>();
  for (std::size_t i = 0; i < grid->size(); ++i)
    (*grid)[i] = (i + i / 256) & 1;  // checkerboard
  const WorldMapGrid before = *grid;
  EXPECT_EQ(FloodFill(*grid, 10, 10, At(*grid, 10, 10)), 0u);
  EXPECT_EQ(*grid, before);
  // On a checkerboard no cell has a four-neighbour of its own value.
  EXPECT_EQ(FloodFill(*grid, 10, 10, 7), 1u);
}

TEST(FloodFill, StaysInsideWallsAndEdges) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0);
  // A diamond wall: its cells touch only diagonally, which does not connect.
  for (int i = 0; i <= 20; ++i) {
    At(*grid, 100 + i, 100 - i) = 1;
    At(*grid, 120 + i, 80 + i) = 1;
    At(*grid, 140 - i, 100 + i) = 1;
    At(*grid, 120 - i, 120 - i) = 1;
  }
  const WorldMapGrid before = *grid;
  const std::size_t inside = FloodFill(*grid, 120, 100, 2);
  EXPECT_GT(inside, 300u);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const bool within = std::abs(x - 120) + std::abs(y - 100) < 20;
      EXPECT_EQ(At(*grid, x, y), within ? 2 : before[y * 256 + x]) << x << "," << y;
    }
  }
  EXPECT_EQ(std::count(grid->begin(), grid->end(), 2), static_cast<long>(inside));

  // Column 255 does not lead on to column 0 of the next row.
  grid->fill(0);
  for (int y = 0; y < 256; ++y)
    At(*grid, 254, y) = 1;
  EXPECT_EQ(FloodFill(*grid, 255, 10, 3), 256u);
  for (int y = 0; y < 256; ++y) {
    EXPECT_EQ(At(*grid, 255, y), 3);
    EXPECT_EQ(At(*grid, 0, y), 0);
  }
}

TEST(FloodFill, FillsTheWholeMap) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0x24);
  EXPECT_EQ(FloodFill(*grid, 255, 255, 0x30), kWorldMapCells);
  EXPECT_TRUE(std::all_of(grid->begin(), grid->end(), [](uint8_t b) { return b == 0x30; }));
  // A serpentine of single-cell corridors, the deepest stack a fill can need.
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const bool wall = y % 2 == 1 && x != (y % 4 == 1 ? 255 : 0);
      At(*grid, x, y) = wall ? 1 : 0;
    }
  }
  const std::size_t open = std::count(grid->begin(), grid->end(), 0);
  EXPECT_EQ(FloodFill(*grid, 0, 0, 5), open);
  EXPECT_EQ(std::count(grid->begin(), grid->end(), 0), 0);
}

}  // namespace
}  // namespace kivo
