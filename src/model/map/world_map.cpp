#include "model/map/world_map.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/core/bytes.h"

namespace kivo {
namespace {

// A length byte of 0 reads as 255 cells: then the literal Kivo writes after
// it fills column 255, and a reader taking 0 as 256 cells stops at the row's
// end before that literal. Either reading gives the same row.
constexpr int kZeroLengthCells = 255;
// The longest run whose length byte is neither 0 nor the row end.
constexpr int kLongestPlainRun = 254;
// The most bytes one row can take: 256 runs of one cell, two bytes each.
constexpr std::size_t kLongestEncodedRow = 2 * kWorldMapSide;

// Reads one row from data[at], never past the data's end or the row's end.
void DecodeRowNearEnd(std::span<const uint8_t> data, std::size_t at, uint8_t* row) {
  int column = 0;
  while (column < kWorldMapSide && at < data.size()) {
    const uint8_t b = data[at];
    if (b == kRowEnd)
      return;
    if (b < kRunFlag) {
      row[column++] = b;
      ++at;
      continue;
    }
    if (at + 1 >= data.size())
      return;  // a header whose length byte lies past the end
    int count = data[at + 1] == 0 ? kZeroLengthCells : data[at + 1];
    count = std::min(count, kWorldMapSide - column);
    std::memset(row + column, b - kRunFlag, static_cast<std::size_t>(count));
    column += count;
    at += 2;
  }
}

// Sixteen cells of each metatile: runs are written sixteen cells at a time.
struct RunPatterns {
  alignas(16) uint8_t cells[kRunFlag][16];
};
constexpr RunPatterns MakeRunPatterns() {
  RunPatterns patterns{};
  for (int metatile = 0; metatile < kRunFlag; ++metatile) {
    for (uint8_t& cell : patterns.cells[metatile])
      cell = static_cast<uint8_t>(metatile);
  }
  return patterns;
}
constexpr RunPatterns kRunPatterns = MakeRunPatterns();

// The same as DecodeRowNearEnd for a row whose longest possible encoding lies
// inside the data, so only the row's end needs watching. Runs are written 64
// cells at a time into a scratch row with room for the overshoot and for a
// last run of 255 cells from column 255: most runs then cost no branch at
// all. Afterwards the cells the row reached are copied, so cells it did not
// reach keep their contents.
inline void DecodeRowInside(const uint8_t* p, uint8_t* row) {
  constexpr int kStride = 64;
  uint8_t cells[2 * kWorldMapSide + kStride];
  int column = 0;
  while (column < kWorldMapSide) {
    const uint8_t b = *p;
    if (b < kRunFlag) {
      cells[column++] = b;
      ++p;
      continue;
    }
    if (b == kRowEnd)
      break;
    const int count = p[1] == 0 ? kZeroLengthCells : p[1];
    const uint8_t* const pattern = kRunPatterns.cells[b - kRunFlag];
    uint8_t* const run = cells + column;
    for (int i = 0; i < kStride; i += 16)
      std::memcpy(run + i, pattern, 16);
    if (count > kStride) {
      for (int i = kStride; i < count; i += 16)
        std::memcpy(run + i, pattern, 16);
    }
    column += count;
    p += 2;
  }
  if (column >= kWorldMapSide)
    std::memcpy(row, cells, kWorldMapSide);
  else
    std::memcpy(row, cells, static_cast<std::size_t>(column));
}

inline void DecodeRow(std::span<const uint8_t> data, std::size_t at, uint8_t* row) {
  if (at < data.size() && data.size() - at >= kLongestEncodedRow)
    DecodeRowInside(data.data() + at, row);
  else
    DecodeRowNearEnd(data, at, row);
}

// Bit i of the result (word i / 64) is set where a run starts: at cell 0 and
// at every cell whose metatile differs from the one on its left.
std::array<uint64_t, 4> RunStarts(const uint8_t* row) {
  std::array<uint64_t, 4> starts{};
#if defined(__SSE2__)
  const __m128i metatileMask = _mm_set1_epi8(kMetatileMask);
  const __m128i zero = _mm_setzero_si128();
  for (int chunk = 0; chunk < kWorldMapSide / 16; ++chunk) {
    const uint8_t* const at = row + 16 * chunk;
    const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // The first chunk has no cell on its left: shifted in is a 0 that bit 0
    // below overrides.
    const __m128i left = chunk == 0 ? _mm_slli_si128(cells, 1)
                                    : _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    const __m128i same =
        _mm_cmpeq_epi8(_mm_and_si128(_mm_xor_si128(cells, left), metatileMask), zero);
    const uint64_t differ = ~static_cast<uint32_t>(_mm_movemask_epi8(same)) & 0xFFFFu;
    starts[chunk / 4] |= differ << (16 * (chunk % 4));
  }
#else
  for (int column = 1; column < kWorldMapSide; ++column) {
    const bool differ = ((row[column] ^ row[column - 1]) & kMetatileMask) != 0;
    starts[column / 64] |= uint64_t{differ} << (column % 64);
  }
#endif
  starts[0] |= 1;
  return starts;
}

// Appends a run of `length` cells of metatile t, 1..256 cells.
inline std::size_t EncodeRun(uint8_t* bytes, std::size_t n, uint8_t t, int length) {
  if (length == 1) {
    bytes[n++] = t;
  } else if (t == kLiteralOnlyMetatile) {
    std::memset(bytes + n, t, static_cast<std::size_t>(length));
    n += static_cast<std::size_t>(length);
  } else if (length == kWorldMapSide) {
    bytes[n++] = static_cast<uint8_t>(t + kRunFlag);
    bytes[n++] = 0;
    bytes[n++] = t;
  } else if (length > kLongestPlainRun) {
    bytes[n++] = static_cast<uint8_t>(t + kRunFlag);
    bytes[n++] = kLongestPlainRun;
    bytes[n++] = t;
  } else {
    bytes[n++] = static_cast<uint8_t>(t + kRunFlag);
    bytes[n++] = static_cast<uint8_t>(length);
  }
  return n;
}

}  // namespace

void DecodeWorldMap(ConstRomView rom, WorldMapGrid& grid) {
  const std::span<const uint8_t> image = rom.image();
  // Any image but a truncated one holds the whole pointer table: then the
  // pointers are read without a bounds check each.
  const std::size_t table = rom.IndexOf(kRowPointerTableOffset, 2 * kWorldMapSide);
  if (table != ConstRomView::npos) {
    for (int r = 0; r < kWorldMapSide; ++r) {
      const uint16_t pointer = ReadLe16(image, table + 2 * r);
      const std::size_t start = pointer - std::size_t{kPointerToOffset};
      if (pointer < kPointerToOffset || start + rom.baseShift() >= image.size())
        continue;
      DecodeRow(image, start + rom.baseShift(), grid.data() + r * kWorldMapSide);
    }
    return;
  }
  for (int r = 0; r < kWorldMapSide; ++r) {
    const std::size_t pointerAt = rom.IndexOf(kRowPointerTableOffset + 2 * r, 2);
    if (pointerAt == ConstRomView::npos)
      continue;
    const uint16_t pointer = ReadLe16(image, pointerAt);
    if (pointer < kPointerToOffset)
      continue;  // before the start of the game's data
    const std::size_t start = rom.IndexOf(pointer - kPointerToOffset);
    if (start == ConstRomView::npos)
      continue;
    DecodeRow(image, start, grid.data() + r * kWorldMapSide);
  }
}

void DecodeEncodedMap(const WorldMapEncoding& encoding, WorldMapGrid& grid) {
  const std::span<const uint8_t> data(encoding.bytes.data(), encoding.size);
  for (int r = 0; r < kWorldMapSide; ++r) {
    DecodeRow(data, encoding.rowOffsets[r], grid.data() + r * kWorldMapSide);
  }
}

// Finds the runs of a row from a bit mask of where they start, so the cells
// are compared sixteen at a time rather than one by one.
std::size_t EncodeWorldMap(const WorldMapGrid& grid, WorldMapEncoding& out) {
  uint8_t* const bytes = out.bytes.data();
  std::size_t n = 0;
  for (int r = 0; r < kWorldMapSide; ++r) {
    out.rowOffsets[r] = n;
    const uint8_t* const row = grid.data() + r * kWorldMapSide;
    std::array<uint64_t, 4> starts = RunStarts(row);
    starts[0] &= ~uint64_t{1};  // the first run's start is column 0
    int start = 0;
    for (int word = 0; word < 4; ++word) {
      for (uint64_t bits = starts[word]; bits != 0; bits &= bits - 1) {
        const int next = 64 * word + std::countr_zero(bits);
        n = EncodeRun(bytes, n, row[start] & kMetatileMask, next - start);
        start = next;
      }
    }
    n = EncodeRun(bytes, n, row[start] & kMetatileMask, kWorldMapSide - start);
    bytes[n++] = kRowEnd;
  }
  out.size = n;
  return n;
}

std::size_t CompressedSize(const WorldMapGrid& grid, WorldMapEncoding& scratch) {
  return EncodeWorldMap(grid, scratch);
}

WorldMapWrite WriteWorldMap(RomView rom, const WorldMapGrid& grid, WorldMapEncoding& scratch) {
  WorldMapWrite result;
  result.compressedSize = EncodeWorldMap(grid, scratch);
  result.freeBytes = FreeMapBytes(result.compressedSize);
  if (result.compressedSize > kMapDataCapacity) {
    result.excessBytes = result.compressedSize - kMapDataCapacity;
    return result;
  }
  for (int r = 0; r < kWorldMapSide; ++r) {
    rom.SetWord(kRowPointerTableOffset + 2 * r,
                static_cast<uint16_t>(kMapDataAddress + scratch.rowOffsets[r]));
  }
  rom.SetBytes(kMapDataOffset, std::span(scratch.bytes.data(), result.compressedSize));
  result.written = true;
  return result;
}

std::string WorldMapTooLargeText(std::size_t excessBytes) {
  return "The world map is " + std::to_string(excessBytes) +
         " bytes too large to fit in the ROM. Nothing was saved.";
}

}  // namespace kivo
