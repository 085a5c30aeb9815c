#include "model/map/flood_fill.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kivo {
namespace {

// One bit per cell of a row: bit x of word x / 64 stands for column x.
using RowBits = std::array<uint64_t, 4>;

RowBits CellsEqual(const uint8_t* row, uint8_t value) {
  RowBits bits{};
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
  for (int chunk = 0; chunk < kWorldMapSide / 16; ++chunk) {
    const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 16 * chunk));
    const uint64_t equal = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(cells, wanted)));
    bits[chunk / 4] |= equal << (16 * (chunk % 4));
  }
#else
  for (int x = 0; x < kWorldMapSide; ++x)
    bits[x / 64] |= uint64_t{row[x] == value} << (x % 64);
#endif
  return bits;
}

// The first column of the run of set bits that holds column x.
int RunStart(const RowBits& bits, int x) {
  int word = x / 64;
  uint64_t clear = ~bits[word] & ((uint64_t{1} << (x % 64)) - 1);
  while (clear == 0) {
    if (word == 0)
      return 0;
    clear = ~bits[--word];
  }
  return 64 * word + 64 - std::countl_zero(clear);
}

// The last column of the run of set bits that holds column x.
int RunEnd(const RowBits& bits, int x) {
  int word = x / 64;
  uint64_t clear = ~bits[word] & (~uint64_t{0} << (x % 64));
  while (clear == 0) {
    if (word == 3)
      return kWorldMapSide - 1;
    clear = ~bits[++word];
  }
  return 64 * word + std::countr_zero(clear) - 1;
}

// A cell whose run may still need filling, and the run of the row it was
// found from (parentDy is -1 for the row above, +1 for the row below, 0 for
// the first seed). That run is filled, so the row needs no second look there.
struct Seed {
  uint16_t cell;
  uint8_t parentLeft;
  uint8_t parentRight;
  int8_t parentDy;
};

// The columns left..right of a word of RowBits.
uint64_t ColumnRange(int word, int left, int right) {
  const int lo = left - 64 * word;
  const int hi = right - 64 * word;
  if (hi < 0 || lo > 63)
    return 0;
  const uint64_t fromLo = lo <= 0 ? ~uint64_t{0} : ~uint64_t{0} << lo;
  const uint64_t toHi = hi >= 63 ? ~uint64_t{0} : ~(~uint64_t{0} << (hi + 1));
  return fromLo & toHi;
}

// Pushes one cell of every run of `old` cells of row y that touches columns
// left..right of the row just filled, y + parentDy.
void PushRuns(const WorldMapGrid& grid, int y, int parentDy, uint8_t old, int left, int right,
              std::vector<Seed>& seeds) {
  const RowBits open = CellsEqual(grid.data() + y * kWorldMapSide, old);
  uint64_t carry = 0;  // whether the last column of the word before is a wanted one
  for (int word = 0; word < 4; ++word) {
    const uint64_t wanted = open[word] & ColumnRange(word, left, right);
    for (uint64_t starts = wanted & ~((wanted << 1) | carry); starts != 0; starts &= starts - 1) {
      const int cell = y * kWorldMapSide + 64 * word + std::countr_zero(starts);
      seeds.push_back({static_cast<uint16_t>(cell), static_cast<uint8_t>(left),
                       static_cast<uint8_t>(right), static_cast<int8_t>(parentDy)});
    }
    carry = wanted >> 63;
  }
}

}  // namespace

// Fills whole runs of a row at once and then looks for the runs in the rows
// above and below that touch it, comparing sixteen cells at a time.
std::size_t FloodFill(WorldMapGrid& grid, int x, int y, uint8_t metatile) {
  if (x < 0 || x >= kWorldMapSide || y < 0 || y >= kWorldMapSide)
    return 0;
  const std::size_t startCell = static_cast<std::size_t>(y) * kWorldMapSide + x;
  const uint8_t old = grid[startCell];
  if (old == metatile)
    return 0;

  // A seed already filled when it comes off the stack is skipped. A filled
  // run of w cells pushes at most w seeds for each neighbour row, so the
  // stack stays within twice the map's cells.
  std::vector<Seed> seeds;
  seeds.reserve(1024);
  seeds.push_back({static_cast<uint16_t>(startCell), 0, 0, 0});
  std::size_t changed = 0;
  while (!seeds.empty()) {
    const Seed seed = seeds.back();
    seeds.pop_back();
    const int cx = seed.cell % kWorldMapSide;
    const int cy = seed.cell / kWorldMapSide;
    uint8_t* const row = grid.data() + cy * kWorldMapSide;
    if (row[cx] != old)
      continue;
    const RowBits open = CellsEqual(row, old);
    const int left = RunStart(open, cx);
    const int right = RunEnd(open, cx);
    std::memset(row + left, metatile, static_cast<std::size_t>(right - left + 1));
    changed += static_cast<std::size_t>(right - left + 1);
    const bool insideParent = left >= seed.parentLeft && right <= seed.parentRight;
    if (cy > 0 && !(seed.parentDy == -1 && insideParent))
      PushRuns(grid, cy - 1, 1, old, left, right, seeds);
    if (cy + 1 < kWorldMapSide && !(seed.parentDy == 1 && insideParent))
      PushRuns(grid, cy + 1, -1, old, left, right, seeds);
  }
  return changed;
}

}  // namespace kivo
