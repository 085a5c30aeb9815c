// The world map both ways. Any grid encodes to rows that decode to the same
// grid, and is written whole or refused as too large; any bytes at the map's
// location decode as a plain reading of the row rules says, never leaving a
// row or the grid.

#include <algorithm>
#include <memory>
#include <vector>

#include "model/core/bytes.h"
#include "model/core/rom_document.h"
#include "model/map/world_map.h"
#include "support.h"

using namespace kivo;

namespace {

// A cell value no decoder produces, to see which cells were left alone.
constexpr uint8_t kUntouched = 0xEE;

// Metatile, run length pairs taken round and round the input until the grid
// is full, so a short input still makes a whole map of any texture.
void FillGrid(std::span<const uint8_t> data, WorldMapGrid& grid) {
  if (data.size() < 2) {
    grid.fill(data.empty() ? 0 : data[0]);
    return;
  }
  std::size_t cell = 0;
  for (std::size_t at = 0; cell < grid.size(); at = (at + 2) % (data.size() & ~std::size_t{1})) {
    const std::size_t run = std::min<std::size_t>(data[at + 1] + 1u, grid.size() - cell);
    std::fill_n(grid.begin() + static_cast<std::ptrdiff_t>(cell), run, data[at]);
    cell += run;
  }
}

// The image the grid is written into, made once for each size.
const std::vector<uint8_t>& PatternImage(uint32_t shift) {
  static const auto make = [](std::size_t size) {
    std::vector<uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i)
      image[i] = static_cast<uint8_t>(i * 31 + 7);
    return image;
  };
  static const std::vector<uint8_t> standalone = make(kStandaloneSize);
  static const std::vector<uint8_t> combination = make(kCombinationSize);
  return shift == 0 ? standalone : combination;
}

void CheckGrid(std::span<const uint8_t> data, uint32_t shift) {
  auto grid = std::make_unique<WorldMapGrid>();
  FillGrid(data, *grid);
  auto masked = std::make_unique<WorldMapGrid>(*grid);
  for (uint8_t& cell : *masked)
    cell &= kMetatileMask;

  auto encoding = std::make_unique<WorldMapEncoding>();
  const std::size_t size = EncodeWorldMap(*grid, *encoding);
  KIVO_FUZZ_CHECK(size == encoding->size && size <= kEncodedMapCapacity);
  for (int r = 0; r < kWorldMapSide; ++r) {
    const std::size_t end = r + 1 < kWorldMapSide ? encoding->rowOffsets[r + 1] : size;
    KIVO_FUZZ_CHECK(end > encoding->rowOffsets[r] && encoding->bytes[end - 1] == kRowEnd);
  }
  auto decoded = std::make_unique<WorldMapGrid>();
  decoded->fill(kUntouched);
  DecodeEncodedMap(*encoding, *decoded);
  KIVO_FUZZ_CHECK(*decoded == *masked);

  const std::vector<uint8_t>& before = PatternImage(shift);
  std::vector<uint8_t> image = before;
  const RomView view(image, shift);
  const WorldMapWrite written = WriteWorldMap(view, *grid, *encoding);
  KIVO_FUZZ_CHECK(written.compressedSize == size);
  if (!written.written) {
    // Refused whole: nothing written, and the message says by how much.
    KIVO_FUZZ_CHECK(size > kMapDataCapacity && written.excessBytes == size - kMapDataCapacity);
    KIVO_FUZZ_CHECK(written.freeBytes == 0);
    KIVO_FUZZ_CHECK(image == before);
    KIVO_FUZZ_CHECK(!WorldMapTooLargeText(written.excessBytes).empty());
    return;
  }
  KIVO_FUZZ_CHECK(size <= kMapDataCapacity && written.excessBytes == 0);
  KIVO_FUZZ_CHECK(written.freeBytes == FreeMapBytes(size));
  // Only the row pointers and the rows change.
  const std::size_t from = shift + kRowPointerTableOffset, to = shift + kMapDataOffset + size;
  KIVO_FUZZ_CHECK(std::equal(image.begin(), image.begin() + from, before.begin()));
  KIVO_FUZZ_CHECK(std::equal(image.begin() + to, image.end(), before.begin() + to));
  auto reread = std::make_unique<WorldMapGrid>();
  reread->fill(kUntouched);
  DecodeWorldMap(view, *reread);
  KIVO_FUZZ_CHECK(*reread == *masked);
}

// The row rules read plainly, one row at a time: a row pointer below the
// data or leading outside the image leaves the row alone; a row ends at
// 0xFF, after 256 cells or at the end of the image; a run whose length byte
// lies past the end ends the row; a length of 0 means 255 cells.
void ReferenceRow(std::span<const uint8_t> image, uint32_t shift, int r, uint8_t* row) {
  const std::size_t pointerAt = shift + kRowPointerTableOffset + 2 * std::size_t(r);
  if (pointerAt + 2 > image.size())
    return;
  const uint16_t pointer = ReadLe16(image, pointerAt);
  if (pointer < kPointerToOffset)
    return;
  std::size_t at = shift + (pointer - kPointerToOffset);
  int column = 0;
  while (column < kWorldMapSide && at < image.size() && image[at] != kRowEnd) {
    if (image[at] < kRunFlag) {
      row[column++] = image[at++];
      continue;
    }
    if (at + 1 >= image.size())
      break;
    const int length = image[at + 1] == 0 ? 255 : image[at + 1];
    for (int i = 0; i < length && column < kWorldMapSide; ++i)
      row[column++] = static_cast<uint8_t>(image[at] - kRunFlag);
    at += 2;
  }
}

void CheckBytes(std::span<const uint8_t> data, uint32_t shift) {
  // The image ends where the input does, so rows also meet the image's end.
  std::vector<uint8_t> image(shift + kRowPointerTableOffset, 0);
  image.insert(image.end(), data.begin(), data.end());
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(kUntouched);
  DecodeWorldMap(ConstRomView(image, shift), *grid);

  auto expected = std::make_unique<WorldMapGrid>();
  expected->fill(kUntouched);
  for (int r = 0; r < kWorldMapSide; ++r)
    ReferenceRow(image, shift, r, expected->data() + r * kWorldMapSide);
  KIVO_FUZZ_CHECK(*grid == *expected);
}

}  // namespace

// The mode byte and the bytes from the row pointers to the end of the map's
// room, a little more so that rows run past it.
KIVO_FUZZ_MAX_LEN(1 + kMapDataEnd - kRowPointerTableOffset + 0x100)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  const uint32_t shift = (data[0] & fuzz::kMapCombinationFlag) ? kCombinationShift : 0;
  if (static_cast<fuzz::MapMode>((data[0] & 0x7F) % fuzz::kMapModeCount) == fuzz::MapMode::Grid)
    CheckGrid(rest, shift);
  else
    CheckBytes(rest, shift);
  return 0;
}
