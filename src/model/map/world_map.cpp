#include "model/map/world_map.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "model/core/bytes.h"

namespace kivo {
namespace {

// A length byte of 0 reads as 255 cells: then the literal Kivo writes after
// it fills column 255, and a reader taking 0 as 256 cells stops at the row's
// end before that literal. Either reading gives the same row.
constexpr int kZeroLengthCells = 255;
// The longest run whose length byte is neither 0 nor the row end.
constexpr int kLongestPlainRun = 254;

// Reads one row from data[at], never past the data's end or the row's end.
void DecodeRow(std::span<const uint8_t> data, std::size_t at, uint8_t* row) {
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

}  // namespace

void DecodeWorldMap(ConstRomView rom, WorldMapGrid& grid) {
  const std::span<const uint8_t> image = rom.image();
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

std::size_t EncodeWorldMap(const WorldMapGrid& grid, WorldMapEncoding& out) {
  uint8_t* const bytes = out.bytes.data();
  std::size_t n = 0;
  for (int r = 0; r < kWorldMapSide; ++r) {
    out.rowOffsets[r] = n;
    const uint8_t* const row = grid.data() + r * kWorldMapSide;
    int column = 0;
    while (column < kWorldMapSide) {
      const uint8_t t = row[column] & kMetatileMask;
      int end = column + 1;
      if (t != kLiteralOnlyMetatile) {
        while (end < kWorldMapSide && (row[end] & kMetatileMask) == t)
          ++end;
      }
      const int run = end - column;
      column = end;
      if (run == 1) {
        bytes[n++] = t;
        continue;
      }
      bytes[n++] = static_cast<uint8_t>(t + kRunFlag);
      if (run == kWorldMapSide) {
        bytes[n++] = 0;
        bytes[n++] = t;
      } else if (run > kLongestPlainRun) {
        bytes[n++] = kLongestPlainRun;
        bytes[n++] = t;
      } else {
        bytes[n++] = static_cast<uint8_t>(run);
      }
    }
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
  return "The world map does not fit in the ROM: it is " + std::to_string(excessBytes) +
         (excessBytes == 1 ? " byte" : " bytes") + " too large. Simplify the map and save again.";
}

}  // namespace kivo
