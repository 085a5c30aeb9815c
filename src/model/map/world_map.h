#pragma once
// The world map: 256 x 256 metatile numbers, stored in the ROM image row by
// row as literals and runs behind a table of 256 row pointers. Offsets here
// are file offsets of a standalone image; the view adds the base shift.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/core/rom_view.h"

namespace kivo {

inline constexpr int kWorldMapSide = 256;
inline constexpr std::size_t kWorldMapCells = 256 * 256;

// Cell (x, y) is at y * 256 + x.
using WorldMapGrid = std::array<uint8_t, kWorldMapCells>;

inline constexpr std::size_t kRowPointerTableOffset = 0x4010;
inline constexpr std::size_t kMapDataOffset = 0x4210;
// The room the game gives the rows; its last byte is at 0x7E42.
inline constexpr std::size_t kMapDataCapacity = 0x3C33;
inline constexpr std::size_t kMapDataEnd = kMapDataOffset + kMapDataCapacity;
// A row pointer is an address in the bank mapped at 0x8000, whose first byte
// is file offset 0x4010: offset = pointer - 0x3FF0.
inline constexpr uint16_t kPointerToOffset = 0x3FF0;
inline constexpr uint16_t kMapDataAddress = 0x8200;

inline constexpr uint8_t kRowEnd = 0xFF;
inline constexpr uint8_t kRunFlag = 0x80;
// 0x7F + 0x80 would be the row end, so this metatile is only ever a literal.
inline constexpr uint8_t kLiteralOnlyMetatile = 0x7F;
inline constexpr uint8_t kMetatileMask = 0x7F;

// Worst case: every row 256 literals and its terminator.
inline constexpr std::size_t kEncodedMapCapacity = 256 * 257;

// The encoder's output. It is large, so its owner keeps one and reuses it:
// encoding then never allocates.
struct WorldMapEncoding {
  std::array<uint8_t, kEncodedMapCapacity> bytes;
  std::array<std::size_t, 256> rowOffsets;  // first byte of each row in `bytes`
  std::size_t size = 0;
};

// Fills the grid from the ROM image. Cells a short row does not reach keep
// their contents. A row ends at 0xFF, after 256 cells or at the end of the
// image; a run is cut at column 255; a row whose pointer leads outside the
// image is left as it is. A run length byte of 0 stands for 255 cells.
void DecodeWorldMap(ConstRomView rom, WorldMapGrid& grid);

// Decodes the rows of an encoding by the same rules.
void DecodeEncodedMap(const WorldMapEncoding& encoding, WorldMapGrid& grid);

// Encodes every row, each ended by 0xFF, into `out`; returns the size. Cells
// are taken as 7-bit metatile numbers, so no cell can forge a row end. A
// whole row of one metatile is the run header, 0x00, the metatile as a
// literal, 0xFF; a run of 255 cells is a run of 254 and one literal, so no
// length byte is ever 0xFF.
std::size_t EncodeWorldMap(const WorldMapGrid& grid, WorldMapEncoding& out);

// The encoded size of the grid (encodes into `scratch`).
std::size_t CompressedSize(const WorldMapGrid& grid, WorldMapEncoding& scratch);

// The bytes left of the map's room for a map of this encoded size; 0 when it
// does not fit.
inline std::size_t FreeMapBytes(std::size_t compressedSize) {
  return compressedSize < kMapDataCapacity ? kMapDataCapacity - compressedSize : 0;
}

struct WorldMapWrite {
  bool written = false;
  std::size_t compressedSize = 0;
  std::size_t freeBytes = 0;    // what "KAB:" shows
  std::size_t excessBytes = 0;  // how much too large, when nothing was written
};

// Encodes the grid and writes the row pointers and the rows. A map larger
// than its room is not written at all (the bytes behind the room belong to
// other game data); the result says by how much it is too large.
WorldMapWrite WriteWorldMap(RomView rom, const WorldMapGrid& grid, WorldMapEncoding& scratch);

// Why a save refuses a map that does not fit.
std::string WorldMapTooLargeText(std::size_t excessBytes);

}  // namespace kivo
