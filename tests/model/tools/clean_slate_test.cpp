#include "model/tools/clean_slate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "demo/image_builder.h"
#include "model/core/rom_document.h"
#include "model/map/world_map.h"
#include "model/tools/slate_checks.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using Bytes = std::vector<uint8_t>;

// n records of k bytes at a, each s further on, all getting `value`.
struct Range {
  std::size_t a;
  int n;
  std::size_t k;
  std::size_t s;
  uint8_t value = 0;
};

// An image with no zero byte in it, so every blanked byte shows.
ImageBuilder Patterned(std::size_t size = kStandaloneSize) {
  ImageBuilder b(size);
  for (std::size_t i = 0; i < b.size(); ++i)
    b.bytes()[i] = static_cast<uint8_t>(i % 251 + 1);
  return b;
}

// Points the list's n pointers at 3-byte strings 4 bytes apart from text
// base + 0x9000 and returns what blanking must change.
std::vector<Range> PlaceStrings(ImageBuilder& b, std::size_t table, int n, std::size_t base) {
  for (int i = 0; i < n; ++i) {
    b.Word(table + 2 * i, static_cast<uint16_t>(0x9000 + 4 * i));
    b.Byte(base + 0x9000 + 4 * i + 3, 0);
  }
  return {{base + 0x9000, n, 3, 4}};
}

// Cleans with only `id` checked and checks that exactly `expected` changed.
void ExpectOnly(int id, ImageBuilder image, const std::vector<Range>& ranges,
                const std::map<std::size_t, uint8_t>& extra = {}) {
  SCOPED_TRACE(id);
  Bytes expected = image.Build();
  for (const auto& [at, value] : extra)
    expected[at] = value;
  for (const Range& r : ranges) {
    for (int i = 0; i < r.n; ++i) {
      for (std::size_t j = 0; j < r.k; ++j)
        expected[r.a + r.s * i + j] = r.value;
    }
  }
  const int ids[] = {id};
  const SlateOutcome outcome = CleanSlate(image.view(), ids, kDefaultSlateTile);
  EXPECT_EQ(outcome.blanked, std::vector<int>{id});
  const Bytes& after = image.bytes();
  const auto wrong = std::mismatch(after.begin(), after.end(), expected.begin()).first;
  EXPECT_TRUE(wrong == after.end())
      << std::hex << "first wrong byte at 0x" << wrong - after.begin();
}

TEST(CleanSlate, EveryBoxChangesExactlyItsRange) {
  const std::vector<std::pair<int, std::vector<Range>>> fills = {
      {1311, {{0x0FA9, 9, 7, 0x80}}},
      {1312, {{0x0FC0, 9, 16, 0x80}, {0x0FE0, 9, 32, 0x80}}},
      {1314, {{0x0FD0, 9, 16, 0x80}}},
      {1366, {{0x1710, 1, 0x180, 0}}},
      {1341, {{0x30010, 1, 0x30105 - 0x30010 + 1, 0}}},
      {1342, {{0x30106, 1, 0x30345 - 0x30106 + 1, 0}}},
      {1354, {{0x2CD98, 1, 0x2CDCD - 0x2CD98 + 1, 0}}},
      {1329, {{0x305E9, 70, 5, 7}}},
      {1362, {{0x305EF, 70, 1, 7}}},
      {1363, {{0x305EE, 70, 1, 7}}},
      {1340, {{0x30346, 1, 0x305E8 - 0x30346 + 1, 0}}},
      {1372, {{0x38190, 1, 0x3820F - 0x38190 + 1, 0}}},
      {1373, {{0x38010, 1, 0x3818F - 0x38010 + 1, 0}}},
      {1374, {{0x3861D, 1, 0x386FC - 0x3861D + 1, 0}}},
      {1375, {{0x0B0C, 1, 3, 0}}},
      {1345, {{0x2C635, 128, 1, 8}}},
      {1344, {{0x2C636, 128, 2, 8}}},
      {1348, {{0x2CA30, 128, 1, 1}}},
      {1376, {{0x2CBB0, 1, 0x2CD97 - 0x2CBB0 + 1, 0}}},
      {1377, {{0x2CAB0, 1, 0x2CBAF - 0x2CAB0 + 1, 0}}},
      {1338, {{0x307D3, 1, 0x30CD2 - 0x307D3 + 1, 0}}},
      {1331, {{0x17790, 1, 0x17A0F - 0x17790 + 1, 0}}},
      {1351, {{0x30D53, 1, 16, 0}}},
      {1350, {{0x30D63, 1, 32, 0}}},
      {1358, {{0x30D83, 1, 0x30F52 - 0x30D83 + 1, 0}}},
      {1349, {{0x30D43, 1, 16, 0}}},
      {1370, {{0x30CD3, 1, 0x30D42 - 0x30CD3 + 1, 0}}},
      {1334, {{0x0F92, 9, 6, 0x80, 0xFF}}},
  };
  for (const auto& [id, ranges] : fills)
    ExpectOnly(id, Patterned(), ranges);

  // Character "Stats": the statistics are zeroed and bit 7 of byte 0 cleared.
  std::map<std::size_t, uint8_t> handBytes;
  ImageBuilder stats = Patterned();
  for (int k = 0; k < 9; ++k)
    handBytes[0x0F90 + 0x80 * k] = stats.bytes()[0x0F90 + 0x80 * k] & 0x7F;
  ExpectOnly(1313, stats, {{0x0F98, 9, 13, 0x80}, {0x0FB5, 9, 1, 0x80}, {0x1000, 9, 4, 0x80}},
             handBytes);

  const std::vector<std::tuple<int, std::size_t, int, std::size_t>> lists = {
      {1324, 0x28390, 40, 0x20010},  {1325, 0x170CB, 70, 0xC010},  {1335, 0x16C54, 128, 0xC010},
      {1328, 0x28212, 15, 0x20010},  {1333, 0x28230, 31, 0x20010}, {1361, 0x28272, 63, 0x20010},
      {1360, 0x282F0, 40, 0x20010},  {1365, 0x28340, 40, 0x20010}, {1315, 0x18010, 256, 0x10010},
      {1316, 0x28012, 256, 0x20010}, {1320, 0x37F12, 80, 0x2C010}, {1359, 0x283F2, 15, 0x20010},
      {1378, 0x172B7, 99, 0xC010},
  };
  for (const auto& [id, table, n, base] : lists) {
    ImageBuilder image = Patterned();
    const std::vector<Range> strings = PlaceStrings(image, table, n, base);
    ExpectOnly(id, image, strings);
  }
}

TEST(CleanSlate, ReportsAndNotices) {
  ImageBuilder combination = ImageBuilder::Combination();
  combination.Fill(0x0B0A, 6, 0x77);
  const int gil[] = {1375};
  SlateOutcome outcome = CleanSlate(combination.view(), gil, kDefaultSlateTile);
  EXPECT_EQ(outcome.messages, (Messages{{kSlateCleanedText, MessageIcon::None}}));
  const Bytes& after = combination.bytes();
  const Bytes expected = {0x77, 0x77, 0, 0, 0, 0x77};
  EXPECT_EQ(Bytes(after.begin() + 0x40B0A, after.begin() + 0x40B10), expected);

  ImageBuilder plain = Patterned();
  const Bytes untouched = plain.Build();
  const int prologue[] = {1322};
  outcome = CleanSlate(plain.view(), prologue, kDefaultSlateTile);
  EXPECT_EQ(outcome.messages,
            (Messages{{"Sorry, the Prologue will not yet be blanked.", MessageIcon::Warning},
                      {kSlateNotCleanedText, MessageIcon::Warning}}));
  EXPECT_FALSE(outcome.cleaned);
  const int notices[] = {1321, 1353, 1352, 1367, 1368};  // parents and locked boxes do nothing
  outcome = CleanSlate(plain.view(), notices, kDefaultSlateTile);
  EXPECT_EQ(outcome.messages,
            (Messages{{"Sorry, but weapon graphics will not yet be blanked.", MessageIcon::Warning},
                      {"Sorry, the Epilogue will not yet be blanked.", MessageIcon::Warning},
                      {kSlateNotCleanedText, MessageIcon::Warning}}));
  EXPECT_EQ(plain.bytes(), untouched);
  EXPECT_FALSE(CleanSlate(plain.view(), {}, kDefaultSlateTile).cleaned);
}

TEST(CleanSlate, WorldMapBecomesOneTileEverywhere) {
  for (ImageBuilder image : {Patterned(), Patterned(kCombinationSize)}) {
    const Bytes before = image.Build();
    const std::size_t shift = image.baseShift();
    const int ids[] = {1317};
    CleanSlate(image.view(), ids, 0x1E);
    // The rows' bytes are pinned in world_map_test; the rest up to 0x7C4D is 0.
    const Bytes& after = image.bytes();
    for (std::size_t i = 0x4610; i <= 0x7C4D; ++i)
      ASSERT_EQ(after[shift + i], 0) << std::hex << i;
    // Nothing before the pointers or from 0x7C4E on changes: what other tools
    // keep at the end of the map's room stays.
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + shift + 0x4010, before.begin()));
    EXPECT_TRUE(
        std::equal(after.begin() + shift + 0x7C4E, after.end(), before.begin() + shift + 0x7C4E));

    auto grid = std::make_unique<WorldMapGrid>();
    grid->fill(0x55);
    DecodeWorldMap(image.view(), *grid);
    EXPECT_TRUE(std::all_of(grid->begin(), grid->end(), [](uint8_t c) { return c == 0x1E; }));
  }
  // 0x7F would make a run header read as a row end: the default tile is used.
  ImageBuilder image;
  const int ids[] = {1317};
  CleanSlate(image.view(), ids, 0x7F);
  EXPECT_EQ(image.bytes()[0x4210], 0x9E);
  CleanSlate(image.view(), ids, 0x7E);
  EXPECT_EQ(image.bytes()[0x4210], 0xFE);
}

TEST(CleanSlate, TextBlankingStaysInsideTheImage) {
  // An empty string changes nothing; a string with no end is blanked to the
  // image's end; a pointer leading past the end is skipped.
  const PointerTable list{0x100, 3, 0x1000};
  ImageBuilder b(0x2000);
  b.Word(0x100, 0x0800).Word(0x102, 0x0F00).Word(0x104, 0xF000);
  b.Byte(0x1800, 0).Byte(0x1801, 0x42).Fill(0x1F00, 0x100, 0x33);
  const Bytes before = b.Build();
  BlankTextList(b.view(), list);
  Bytes expected = before;
  std::fill(expected.begin() + 0x1F00, expected.end(), 0);
  EXPECT_EQ(b.bytes(), expected);
}

TEST(SlateChecks, ParentsChildrenAndTheToggle) {
  SlateChecks checks;
  EXPECT_EQ(checks.toggleCaption(), kDeselectAllText);
  EXPECT_TRUE(checks.checked(1378) && checks.checked(1352) && checks.tileListEnabled());
  EXPECT_FALSE(checks.checked(1367) || checks.enabled(1367) || checks.checked(1368));

  // Set 1 and Set 2 off: Spells off and both disabled; Names stays while others are on.
  checks.Click(1324, false);
  EXPECT_TRUE(checks.checked(1336) && checks.enabled(1325));
  checks.Click(1325, false);
  EXPECT_FALSE(checks.checked(1336) || checks.enabled(1324) || checks.enabled(1325));
  EXPECT_TRUE(checks.enabled(1336) && checks.checked(1352));
  checks.Click(1347, false);  // Items takes its five children with it
  EXPECT_FALSE(checks.checked(1328) || checks.enabled(1365));
  checks.Click(1334, false);
  EXPECT_TRUE(checks.checked(1352));
  checks.Click(1335, false);
  EXPECT_FALSE(checks.checked(1352));
  EXPECT_TRUE(checks.enabled(1352));
  checks.Click(1352, true);  // a parent sets and enables everything below it
  for (int id : {1347, 1324, 1335, 1365})
    EXPECT_TRUE(checks.checked(id) && checks.enabled(id)) << id;

  // The monster "Stats" chain: Indexes' set empty, then Values and Spoils.
  for (int id : {1351, 1350, 1358, 1349, 1370})
    checks.Click(id, false);
  EXPECT_FALSE(checks.checked(1337) || checks.enabled(1370));
  EXPECT_TRUE(checks.checked(1332));
  checks.Click(1338, false);
  checks.Click(1331, false);
  EXPECT_FALSE(checks.checked(1332) || checks.enabled(1338));

  checks.Click(1332, true);
  checks.Click(1332, false);  // the whole monster tree, its grandchild "Stats" included
  for (int id : {1338, 1331, 1337, 1351, 1350, 1358, 1349, 1370})
    EXPECT_FALSE(checks.checked(id) || checks.enabled(id)) << id;

  checks.Toggle();  // everything off; only the top boxes stay enabled
  EXPECT_EQ(checks.CheckedIds(), std::vector<int>{});
  EXPECT_EQ(checks.toggleCaption(), kSelectAllText);
  EXPECT_TRUE(checks.enabled(1352) && checks.enabled(1375));
  EXPECT_FALSE(checks.enabled(1347) || checks.enabled(1372) || checks.tileListEnabled());
  checks.Toggle();
  EXPECT_EQ(checks.CheckedIds().size(), SlateBoxes().size() - 2);
  EXPECT_TRUE(checks.enabled(1324) && checks.tileListEnabled());
}

}  // namespace
}  // namespace kivo
