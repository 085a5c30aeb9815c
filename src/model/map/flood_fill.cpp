#include "model/map/flood_fill.h"

#include <vector>

namespace kivo {

std::size_t FloodFill(WorldMapGrid& grid, int x, int y, uint8_t metatile) {
  if (x < 0 || x >= kWorldMapSide || y < 0 || y >= kWorldMapSide)
    return 0;
  const std::size_t startCell = static_cast<std::size_t>(y) * kWorldMapSide + x;
  const uint8_t old = grid[startCell];
  if (old == metatile)
    return 0;

  // A cell is changed when pushed, so it is pushed once at most and the stack
  // never holds more than the map's cells.
  std::vector<uint16_t> stack;
  stack.reserve(1024);
  grid[startCell] = metatile;
  stack.push_back(static_cast<uint16_t>(startCell));
  std::size_t changed = 1;
  auto visit = [&](std::size_t cell) {
    if (grid[cell] != old)
      return;
    grid[cell] = metatile;
    stack.push_back(static_cast<uint16_t>(cell));
    ++changed;
  };
  while (!stack.empty()) {
    const std::size_t cell = stack.back();
    stack.pop_back();
    const std::size_t cx = cell % kWorldMapSide;
    const std::size_t cy = cell / kWorldMapSide;
    if (cx > 0)
      visit(cell - 1);
    if (cx + 1 < kWorldMapSide)
      visit(cell + 1);
    if (cy > 0)
      visit(cell - kWorldMapSide);
    if (cy + 1 < kWorldMapSide)
      visit(cell + kWorldMapSide);
  }
  return changed;
}

}  // namespace kivo
