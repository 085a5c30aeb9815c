#include "model/core/settings_reset.h"

#include <array>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;

struct Write {
  std::size_t offset;
  Bytes bytes;
};

Bytes Zeros(std::size_t n) {
  return Bytes(n, 0);
}

// What each box must write, from the documented layout of Kivo.dat (written
// out here rather than taken from the code's constants).
std::map<int, std::vector<Write>> ExpectedWrites() {
  std::map<int, std::vector<Write>> w;
  const std::pair<int, std::size_t> paths[] = {{1627, 0x010}, {1628, 0x114}, {1629, 0x218},
                                               {1630, 0x31C}, {1631, 0x420}, {1632, 0x524},
                                               {1633, 0x628}, {1634, 0x72C}};
  for (auto [id, at] : paths)
    w[id] = {{at, Zeros(260)}};
  w[1643] = {{0x80A8, Zeros(128 * 40)}};
  w[1644] = {{0xA218, Zeros(7 * 30)}};
  w[1645] = {{0x94A8, Zeros(58 * 40)}};
  w[1646] = {{0x9DB8, Zeros(28 * 40)}};
  w[1647] = {{0xD003, Zeros(8 * 13)}};
  w[1648] = {{0xD06B, Zeros(16 * 30)}};
  w[1660] = {{0x08A8, Zeros(256 * 40)}};
  w[1659] = {{0x30A8, Zeros(256 * 40)}};
  w[1651] = {{0x58A8, Zeros(256 * 40)}};
  const std::pair<int, std::size_t> cursors[] = {{1635, 0xD254}, {1619, 0xD250}, {1642, 0xD2A0},
                                                 {1636, 0xD258}, {1637, 0xD25C}, {1638, 0xD290},
                                                 {1639, 0xD294}, {1640, 0xD298}, {1657, 0xD29C}};
  for (auto [id, at] : cursors)
    w[id] = {{at, Zeros(4)}};
  w[1623] = {{0x89C, {0xFF, 0x00, 0x00}}};
  w[1624] = {{0x89F, {0x00, 0x00, 0xFF}}};
  w[1625] = {{0x8A2, {0x00, 0xFF, 0x00}}};
  w[1626] = {{0x8A5, {0xFF, 0x00, 0xFF}}};
  w[1653] = {{0xD264, {0x40, 0x01, 0, 0}}, {0xD268, {0x03, 0x01, 0, 0}}};
  w[1654] = {{0xD26C, Zeros(4)}, {0xD270, Zeros(4)}};
  w[1655] = {{0xD278, Zeros(4)}};
  w[1656] = {{0xD27C, Zeros(4)}};
  w[1685] = {{0xD260, {1, 0, 0, 0}}};
  w[1683] = {{0x844, Zeros(80)}};
  w[1684] = {{0x830, Zeros(4)}};
  return w;
}

// A block where no byte holds its default, so every write shows.
SettingsBlock Scribbled() {
  SettingsBlock block;
  std::fill(block.bytes().begin(), block.bytes().end(), uint8_t{0xA5});
  return block;
}

Bytes Of(const SettingsBlock& block) {
  return {block.bytes().begin(), block.bytes().end()};
}

TEST(SettingsReset, EachResetWritesExactlyItsDefaultsIntoItsOwnFields) {
  const auto expected = ExpectedWrites();
  ASSERT_EQ(SettingsResets().size(), 37u);
  std::set<int> ids;
  for (const SettingsReset& reset : SettingsResets()) {
    SCOPED_TRACE(reset.id);
    ASSERT_TRUE(expected.count(reset.id));
    EXPECT_TRUE(ids.insert(reset.id).second);
    SettingsBlock block = Scribbled();
    Bytes want = Of(block);
    for (const Write& write : expected.at(reset.id)) {
      std::copy(write.bytes.begin(), write.bytes.end(), want.begin() + write.offset);
    }
    ApplyReset(block, reset);
    EXPECT_EQ(Of(block), want);  // the whole block: neighbours untouched
  }
}

// Which boxes act, the reports and the written file are pinned through the
// dialog (clean_data_dialog_test); here, that every box together resets the
// whole block bar the fields no box covers.
TEST(SettingsReset, CleaningEverythingLeavesOnlyUncoveredFields) {
  test::TempDir dir;
  const std::string dataFile = dir.File("Kivo.dat");
  std::array<bool, kSettingsResetCount> ticked{};
  ticked.fill(true);
  SettingsBlock all = Scribbled();
  const CleanOutcome outcome = CleanSettings(all, ticked, dataFile);
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(test::TempDir::Read(dataFile), Of(all));
  EXPECT_EQ(all.Path(PathField::Rom), "");
  EXPECT_EQ(all.CustomColour(3), (Rgb{0xFF, 0x00, 0xFF}));
  EXPECT_EQ(all.Int(settings::kMapWindowHeight), 259);
  EXPECT_EQ(all.Int(settings::kEncounterIndex), static_cast<int32_t>(0xA5A5A5A5));
  EXPECT_EQ(all.Int(settings::kConfigDumpRow), static_cast<int32_t>(0xA5A5A5A5));
}

}  // namespace
}  // namespace kivo
