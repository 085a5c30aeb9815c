#include "model/map/world_map.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/world_map_layout.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using demo::PlaceMapRow;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kUntouched = 0x5A;

std::unique_ptr<WorldMapGrid> FilledGrid(uint8_t value) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(value);
  return grid;
}

uint8_t* Row(WorldMapGrid& grid, int r) {
  return grid.data() + r * kWorldMapSide;
}

// The encoded bytes of row `r`, terminator included.
Bytes EncodedRow(const WorldMapEncoding& e, int r) {
  const std::size_t end = r == 255 ? e.size : e.rowOffsets[r + 1];
  return Bytes(e.bytes.begin() + e.rowOffsets[r], e.bytes.begin() + end);
}

// Encodes a grid whose row 0 is `cells` and gives that row's bytes.
Bytes EncodeOneRow(const std::vector<uint8_t>& cells) {
  auto grid = FilledGrid(0);
  std::copy(cells.begin(), cells.end(), grid->begin());
  auto e = std::make_unique<WorldMapEncoding>();
  EncodeWorldMap(*grid, *e);
  return EncodedRow(*e, 0);
}

std::vector<uint8_t> Cells(std::initializer_list<std::pair<int, uint8_t>> runs) {
  std::vector<uint8_t> cells;
  for (auto [count, value] : runs)
    cells.insert(cells.end(), count, value);
  return cells;
}

// A map of exactly `size` encoded bytes (1024 <= size <= 65,792 - 253): each
// row is one run (4 bytes), or m alternating literals and one run (m + 3).
std::unique_ptr<WorldMapGrid> GridOfSize(std::size_t size) {
  auto grid = FilledGrid(0x10);
  for (std::size_t r = 0, remaining = size - 1024; remaining > 0; ++r) {
    const std::size_t m = std::min<std::size_t>(remaining, 253) + 1;
    for (std::size_t c = 0; c < kWorldMapSide; ++c)
      Row(*grid, static_cast<int>(r))[c] = c < m ? 1 + (c & 1) : 3;
    remaining -= m - 1;
  }
  return grid;
}

TEST(WorldMapEncode, RowShapes) {
  EXPECT_EQ(EncodeOneRow(Cells({{256, 0x24}})), (Bytes{0xA4, 0x00, 0x24, 0xFF}));

  Bytes all7F(256, 0x7F);
  all7F.push_back(0xFF);
  EXPECT_EQ(EncodeOneRow(Cells({{256, 0x7F}})), all7F);

  std::vector<uint8_t> alternating(256);
  for (int c = 0; c < 256; ++c)
    alternating[c] = c % 2 ? 0x11 : 0x22;
  Bytes alternatingBytes = alternating;
  alternatingBytes.push_back(0xFF);
  EXPECT_EQ(EncodeOneRow(alternating), alternatingBytes);

  const Bytes pairFirst = EncodeOneRow(Cells({{2, 0x05}, {1, 0x06}, {253, 0x07}}));
  EXPECT_EQ(pairFirst, (Bytes{0x85, 0x02, 0x06, 0x87, 0xFD, 0xFF}));

  std::vector<uint8_t> lastTwoEqual = alternating;
  lastTwoEqual[255] = lastTwoEqual[254];
  const Bytes equalEnd = EncodeOneRow(lastTwoEqual);
  EXPECT_EQ(Bytes(equalEnd.end() - 3, equalEnd.end()), (Bytes{0x80 + 0x22, 0x02, 0xFF}));
  EXPECT_EQ(equalEnd.size(), 254u + 3u);

  // Runs of 255 never get the length byte 0xFF, wherever they lie.
  EXPECT_EQ(EncodeOneRow(Cells({{1, 0x01}, {255, 0x02}})), (Bytes{0x01, 0x82, 0xFE, 0x02, 0xFF}));
  EXPECT_EQ(EncodeOneRow(Cells({{255, 0x02}, {1, 0x01}})), (Bytes{0x82, 0xFE, 0x02, 0x01, 0xFF}));
  EXPECT_EQ(EncodeOneRow(Cells({{254, 0x03}, {2, 0x04}})), (Bytes{0x83, 0xFE, 0x84, 0x02, 0xFF}));
  EXPECT_EQ(EncodeOneRow(Cells({{2, 0x7F}, {254, 0x09}})), (Bytes{0x7F, 0x7F, 0x89, 0xFE, 0xFF}));

  // Cells above 0x7F are metatile numbers too: they can never forge a row end.
  EXPECT_EQ(EncodeOneRow(Cells({{1, 0xFF}, {1, 0x85}, {254, 0x05}})),
            (Bytes{0x7F, 0x85, 0xFE, 0x05, 0xFF}));
}

TEST(WorldMapDecode, RunsLengthZeroAndRowLimits) {
  ImageBuilder builder;
  PlaceMapRow(builder, 0, 0x5000, {0x85, 0x00, 0x07, 0xFF});
  PlaceMapRow(builder, 1, 0x5010, {0x85, 0x00, 0xFF});
  PlaceMapRow(builder, 20, 0x5020, {0x01, 0x02, 0x86, 0x00, 0x09, 0xFF});
  Bytes passing(10, 0x03);
  passing.insert(passing.end(), {0x86, 0xFA, 0x44, 0x45, 0xFF});
  PlaceMapRow(builder, 30, 0x5030, passing);        // the rows after these two stay
  builder.Word(0x4010 + 2 * 255, 0x5030 + 0x3FF0);  // and the grid's end
  PlaceMapRow(builder, 4, 0x5050, {0x82, 0x03, 0x11, 0xFF, 0x12});
  // Row 5 shares row 4's data, as the game's pointers may.
  builder.Word(0x4010 + 2 * 5, 0x5050 + 0x3FF0);
  auto grid = FilledGrid(kUntouched);
  DecodeWorldMap(builder.view(), *grid);

  auto expectRow = [&](int r, const std::vector<uint8_t>& cells) {
    EXPECT_TRUE(std::equal(cells.begin(), cells.end(), Row(*grid, r))) << "row " << r;
  };
  expectRow(0, Cells({{255, 0x05}, {1, 0x07}}));
  expectRow(1, Cells({{255, 0x05}, {1, kUntouched}}));
  expectRow(20, Cells({{1, 0x01}, {1, 0x02}, {254, 0x06}}));
  expectRow(30, Cells({{10, 0x03}, {246, 0x06}}));
  expectRow(4, Cells({{3, 0x02}, {1, 0x11}, {252, kUntouched}}));
  expectRow(5, Cells({{3, 0x02}, {1, 0x11}, {252, kUntouched}}));
  // Rows whose pointer is still 0 lead before the game's data: left alone.
  expectRow(255, Cells({{10, 0x03}, {246, 0x06}}));
  for (int r : {6, 21, 31, 254})
    expectRow(r, Cells({{256, kUntouched}}));
}

TEST(WorldMapDecode, StaysInsideTheImage) {
  ImageBuilder builder(0x4300);
  // Four literals, then a run header as the image's last byte: no terminator.
  PlaceMapRow(builder, 0, 0x42FB, {0x01, 0x02, 0x03, 0x04, 0x83});
  PlaceMapRow(builder, 1, 0x42FF, {0x83});
  builder.Word(0x4010 + 2 * 2, 0xBFFF);  // past the image's end
  builder.Word(0x4010 + 2 * 3, 0x3FEF);  // before file offset 0
  builder.Word(0x4010 + 2 * 4, 0x3FF0);  // file offset 0, inside the image
  auto grid = FilledGrid(kUntouched);
  DecodeWorldMap(builder.view(), *grid);
  EXPECT_EQ(Bytes(Row(*grid, 0), Row(*grid, 0) + 5), (Bytes{1, 2, 3, 4, kUntouched}));
  EXPECT_TRUE(std::all_of(Row(*grid, 1), Row(*grid, 4), [](uint8_t b) { return b == kUntouched; }));
  EXPECT_EQ(Row(*grid, 4)[0], 'N');
}

TEST(WorldMapWrite, NeverPassesTheMapsRoom) {
  for (ImageBuilder builder : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    builder.Fill(0x4010, 0x8000 - 0x4010, 0xEE);
    const Bytes before = builder.Build();
    const uint32_t shift = builder.baseShift();

    const WorldMapWrite tooLarge = demo::PlaceWorldMap(builder, *GridOfSize(0x3C34));
    EXPECT_FALSE(tooLarge.written);
    EXPECT_EQ(tooLarge.compressedSize, 0x3C34u);
    EXPECT_EQ(tooLarge.excessBytes, 1u);
    EXPECT_EQ(builder.bytes(), before);

    const WorldMapWrite exact = demo::PlaceWorldMap(builder, *GridOfSize(0x3C33));
    EXPECT_TRUE(exact.written);
    EXPECT_EQ(exact.freeBytes, 0u);
    EXPECT_EQ(builder.bytes()[0x7E42 + shift], 0xFF);  // the last row's terminator
    EXPECT_TRUE(std::equal(before.begin() + 0x7E43 + shift, before.end(),
                           builder.bytes().begin() + 0x7E43 + shift));
    EXPECT_TRUE(
        std::equal(before.begin(), before.begin() + 0x4010 + shift, builder.bytes().begin()));

    auto e = std::make_unique<WorldMapEncoding>();
    EXPECT_EQ(FreeMapBytes(CompressedSize(*GridOfSize(0x3C32), *e)), 1u);
  }
  EXPECT_EQ(WorldMapTooLargeText(3),
            "The world map is 3 bytes too large to fit in the ROM. Nothing was saved.");
}

// Grids of runs of every length, 255 and 256 included, and of noise.
std::unique_ptr<WorldMapGrid> RandomGrid(std::mt19937& random, bool noisy) {
  auto grid = FilledGrid(0);
  std::uniform_int_distribution<int> metatile(0, 0x7F);
  std::uniform_int_distribution<int> length(1, 256);
  std::uniform_int_distribution<int> special(0, 3);
  for (int r = 0; r < 256; ++r) {
    int c = 0;
    while (c < 256) {
      int n = noisy ? 1 : length(random);
      if (!noisy && special(random) == 0)
        n = 253 + special(random);  // 253..256
      const uint8_t value = static_cast<uint8_t>(metatile(random));
      for (int i = 0; i < n && c < 256; ++i)
        Row(*grid, r)[c++] = value;
    }
  }
  return grid;
}

TEST(WorldMapCodec, RoundTripsRandomGrids) {
  std::mt19937 random(20240601);
  auto e = std::make_unique<WorldMapEncoding>();
  for (int i = 0; i < 24; ++i) {
    const auto grid = RandomGrid(random, i % 4 == 0);
    const std::size_t size = EncodeWorldMap(*grid, *e);
    // Rows are found by counting 0xFF bytes: each row holds exactly one, at its end.
    for (int r = 0; r < 256; ++r) {
      const Bytes row = EncodedRow(*e, r);
      ASSERT_EQ(std::count(row.begin(), row.end(), 0xFF), 1) << "grid " << i << " row " << r;
      ASSERT_EQ(row.back(), 0xFF);
    }
    auto decoded = FilledGrid(kUntouched);
    DecodeEncodedMap(*e, *decoded);
    ASSERT_EQ(*decoded, *grid) << "grid " << i;

    // Written: each row's pointer leads to its bytes, the other game's half
    // of a combination image stays as it was, and the map reads back.
    ImageBuilder builder = i % 2 ? ImageBuilder::Combination() : ImageBuilder::Standalone();
    const WorldMapWrite w = demo::PlaceWorldMap(builder, *grid);
    ASSERT_EQ(w.written, size <= kMapDataCapacity);
    if (!w.written)
      continue;
    EXPECT_EQ(w.freeBytes, kMapDataCapacity - size);
    for (int r = 0, o = 0; r < 256; o += static_cast<int>(EncodedRow(*e, r++).size()))
      ASSERT_EQ(builder.view().Word(0x4010 + 2 * r), 0x8200 + o) << "grid " << i << " row " << r;
    EXPECT_TRUE(std::all_of(builder.bytes().begin() + 0x4010, builder.bytes().begin() + 0x8000,
                            [&](uint8_t b) { return i % 2 == 0 || b == 0; }));
    auto fromRom = FilledGrid(kUntouched);
    DecodeWorldMap(builder.view(), *fromRom);
    ASSERT_EQ(*fromRom, *grid) << "grid " << i;
  }
}

}  // namespace
}  // namespace kivo
