#pragma once
// The map view's Fill mode.

#include <cstddef>
#include <cstdint>

#include "model/map/world_map.h"

namespace kivo {

// Replaces the four-connected area of equal cells around (x, y) with
// `metatile`, never crossing the map's edges (column 255 does not touch the
// next row's column 0). Nothing happens when (x, y) lies outside 0..255 or
// already holds `metatile`. Returns the number of cells changed.
std::size_t FloodFill(WorldMapGrid& grid, int x, int y, uint8_t metatile);

}  // namespace kivo
