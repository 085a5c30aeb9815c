// The world map codec and the flood fill over the whole map, beside a plain
// copy of the 64 KiB grid: the least any pass over the map can cost.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "demo/image_builder.h"
#include "demo/world_map_layout.h"
#include "model/map/flood_fill.h"
#include "model/map/world_map.h"

namespace {

using kivo::WorldMapEncoding;
using kivo::WorldMapGrid;

// The demo archipelago: coasts, forests and mountains, runs of every length.
const WorldMapGrid& DemoGrid() {
  static const auto grid = std::make_unique<WorldMapGrid>(kivo::demo::DemoWorldMap());
  return *grid;
}

// The encoder's worst case: no two neighbours equal, 257 bytes a row.
const WorldMapGrid& AlternatingGrid() {
  static const auto grid = [] {
    auto g = std::make_unique<WorldMapGrid>();
    for (std::size_t i = 0; i < g->size(); ++i)
      (*g)[i] = static_cast<uint8_t>(i & 1);
    return g;
  }();
  return *grid;
}

void BM_FloorMemcpyGrid(benchmark::State& state) {
  const WorldMapGrid& source = DemoGrid();
  auto target = std::make_unique<WorldMapGrid>();
  for (auto _ : state) {
    std::memcpy(target->data(), source.data(), source.size());
    benchmark::DoNotOptimize(target->data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kivo::kWorldMapCells);
}

void BM_DecodeWorldMap(benchmark::State& state) {
  kivo::demo::ImageBuilder builder;
  kivo::demo::PlaceWorldMap(builder, DemoGrid());
  auto grid = std::make_unique<WorldMapGrid>();
  for (auto _ : state) {
    kivo::DecodeWorldMap(builder.view(), *grid);
    benchmark::DoNotOptimize(grid->data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kivo::kWorldMapCells);
}

void Encode(benchmark::State& state, const WorldMapGrid& grid) {
  auto encoding = std::make_unique<WorldMapEncoding>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(kivo::EncodeWorldMap(grid, *encoding));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kivo::kWorldMapCells);
}

void BM_EncodeWorldMap(benchmark::State& state) {
  Encode(state, DemoGrid());
}
void BM_EncodeWorstCaseMap(benchmark::State& state) {
  Encode(state, AlternatingGrid());
}

// Fills the whole map, one metatile everywhere, taking turns between two
// metatiles so that every pass changes all 65,536 cells.
void BM_FloodFillWholeMap(benchmark::State& state) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0x10);
  uint8_t next = 0x11;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kivo::FloodFill(*grid, 128, 128, next));
    next ^= 0x01;
  }
  state.SetBytesProcessed(state.iterations() * kivo::kWorldMapCells);
}

BENCHMARK(BM_FloorMemcpyGrid);
BENCHMARK(BM_DecodeWorldMap);
BENCHMARK(BM_EncodeWorldMap);
BENCHMARK(BM_EncodeWorstCaseMap);
BENCHMARK(BM_FloodFillWholeMap);

}  // namespace

BENCHMARK_MAIN();
