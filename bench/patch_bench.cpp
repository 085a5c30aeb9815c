// Creating and applying a BPS patch between two images the size of the game,
// 1,000 scattered bytes and one moved 4 KiB block apart: creating beside a
// memcmp of the two images, applying beside the CRC32 of both (which every
// application computes).

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "model/core/crc32.h"
#include "model/patch/patch.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Pair {
  Bytes source;
  Bytes target;
  Bytes patch;
};

const Pair& Images() {
  static const Pair pair = [] {
    Pair p;
    std::mt19937 rng(11);
    p.source.resize(0x80010);
    for (auto& b : p.source)
      b = static_cast<uint8_t>(rng() % 3 ? rng() : 0);
    p.target = p.source;
    for (int i = 0; i < 1000; ++i)
      p.target[rng() % p.target.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
    std::memcpy(p.target.data() + 0x52000, p.source.data() + 0x11000, 4096);
    p.patch = kivo::CreateBps(p.source, p.target);
    return p;
  }();
  return pair;
}

// The whole length is compared: two images that differ early would stop a
// memcmp at their first difference.
void BM_FloorMemcmpImages(benchmark::State& state) {
  const Pair& p = Images();
  const Bytes copy = p.source;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memcmp(p.source.data(), copy.data(), copy.size()));
    benchmark::ClobberMemory();
  }
}

void BM_CreateBpsPatch(benchmark::State& state) {
  const Pair& p = Images();
  for (auto _ : state)
    benchmark::DoNotOptimize(kivo::CreateBps(p.source, p.target));
  state.counters["patch_bytes"] = static_cast<double>(p.patch.size());
}

void BM_FloorCrc32BothImages(benchmark::State& state) {
  const Pair& p = Images();
  for (auto _ : state) {
    benchmark::DoNotOptimize(kivo::Crc32(p.source));
    benchmark::DoNotOptimize(kivo::Crc32(p.target));
  }
}

void BM_ApplyBpsPatch(benchmark::State& state) {
  const Pair& p = Images();
  for (auto _ : state)
    benchmark::DoNotOptimize(kivo::ApplyBps(p.source, p.patch, false));
}

BENCHMARK(BM_FloorMemcmpImages);
BENCHMARK(BM_CreateBpsPatch);
BENCHMARK(BM_FloorCrc32BothImages);
BENCHMARK(BM_ApplyBpsPatch);

}  // namespace

BENCHMARK_MAIN();
