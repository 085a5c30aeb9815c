#include "demo/world_map_layout.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace kivo::demo {
namespace {

struct Island {
  double x, y, radius;
};

constexpr Island kIslands[] = {
    {70, 60, 42}, {180, 80, 55}, {110, 170, 48}, {205, 200, 30}, {35, 200, 22},
};

// Smooth pseudo-random relief in -1..1: hashed values on a lattice of
// `spacing` cells, blended between lattice points.
double LatticeValue(int ix, int iy, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(ix) * 374761393u + static_cast<uint32_t>(iy) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 32767.5 - 1.0;
}

double Relief(double x, double y, double spacing, uint32_t seed) {
  const double gx = x / spacing, gy = y / spacing;
  const int ix = static_cast<int>(gx), iy = static_cast<int>(gy);
  const double fx = gx - ix, fy = gy - iy;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double top = LatticeValue(ix, iy, seed) * (1 - sx) + LatticeValue(ix + 1, iy, seed) * sx;
  const double bottom =
      LatticeValue(ix, iy + 1, seed) * (1 - sx) + LatticeValue(ix + 1, iy + 1, seed) * sx;
  return top * (1 - sy) + bottom * sy;
}

}  // namespace

WorldMapWrite PlaceWorldMap(ImageBuilder& builder, const WorldMapGrid& grid) {
  auto scratch = std::make_unique<WorldMapEncoding>();
  return WriteWorldMap(builder.view(), grid, *scratch);
}

ImageBuilder& PlaceMapRow(ImageBuilder& builder, int row, std::size_t offset,
                          std::span<const uint8_t> bytes) {
  builder.Word(kRowPointerTableOffset + 2 * static_cast<std::size_t>(row),
               static_cast<uint16_t>(offset + kPointerToOffset));
  return builder.Bytes(offset, bytes);
}

ImageBuilder& PlaceMapRow(ImageBuilder& builder, int row, std::size_t offset,
                          std::initializer_list<uint8_t> bytes) {
  return PlaceMapRow(builder, row, offset, std::span(bytes.begin(), bytes.size()));
}

WorldMapGrid DemoWorldMap() {
  WorldMapGrid grid{};
  for (int y = 0; y < kWorldMapSide; ++y) {
    for (int x = 0; x < kWorldMapSide; ++x) {
      double height = -1;
      for (const Island& i : kIslands) {
        const double d = std::hypot(x - i.x, y - i.y) / i.radius;
        height = std::max(height, 1 - d);
      }
      height += 0.25 * Relief(x, y, 24, 1);
      uint8_t cell = kDemoSea;
      if (height > 0.62) {
        cell = kDemoMountain;
      } else if (height > 0.1) {
        cell = Relief(x, y, 16, 2) > 0.2 ? kDemoForest : kDemoGrass;
      } else if (height > 0) {
        cell = kDemoShore;
      }
      grid[y * kWorldMapSide + x] = cell;
    }
  }
  // A town south of each island's middle.
  for (const Island& i : kIslands) {
    const int tx = static_cast<int>(i.x) + 4, ty = static_cast<int>(i.y + i.radius / 3);
    grid[ty * kWorldMapSide + tx] = kDemoTown;
    grid[ty * kWorldMapSide + tx + 1] = kDemoTown;
  }
  return grid;
}

}  // namespace kivo::demo
