#include <nlohmann/json.hpp>

#include <memory>

#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "demo/image_builder.h"
#include "demo/world_map_layout.h"
#include "model/map/world_map.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using nlohmann::json;
using test::QuoteArg;
using test::RunCli;

TEST(KivoCliMap, ReportsRoomAndRoundTrip) {
  test::TempDir dir;
  demo::ImageBuilder combination = demo::ImageBuilder::Combination();
  const WorldMapWrite placed = demo::PlaceWorldMap(combination, demo::DemoWorldMap());
  ASSERT_TRUE(placed.written);
  const std::string file = QuoteArg(dir.Write("c.nes", combination.Build()));
  const test::CliResult r = RunCli("map " + file + " --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j, (json{{"compressedSize", placed.compressedSize},
                     {"freeBytes", placed.freeBytes},
                     {"fits", true},
                     {"roundTrip", true}}));

  const test::CliResult plain = RunCli("map " + file);
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("Free bytes:      " + std::to_string(placed.freeBytes) + "\n"),
            std::string::npos)
      << plain.out;

  // Every row pointing at one row of 256 alternating literals: a map the
  // game's room cannot hold.
  demo::ImageBuilder crowded;
  std::vector<uint8_t> row;
  for (int c = 0; c < 256; ++c)
    row.push_back(c % 2 ? 0x21 : 0x22);
  row.push_back(0xFF);
  demo::PlaceMapRow(crowded, 0, kMapDataOffset, row);
  for (int r = 1; r < 256; ++r)
    crowded.Word(kRowPointerTableOffset + 2 * r, kMapDataAddress);
  const json c =
      json::parse(RunCli("map " + QuoteArg(dir.Write("w.nes", crowded.Build())) + " --json").out);
  EXPECT_EQ(c["compressedSize"], kEncodedMapCapacity);
  EXPECT_EQ(c["freeBytes"], 0);
  EXPECT_EQ(c["fits"], false);
  EXPECT_EQ(c["roundTrip"], true);
}

TEST(KivoCliMap, FilesWithoutAMapFail) {
  test::TempDir dir;
  EXPECT_EQ(RunCli("map " + QuoteArg(dir.File("missing.nes")) + " --json").status, 1);
  EXPECT_EQ(RunCli("map").status, 2);

  // A file that opens but is no image the program edits has no map to describe.
  for (const auto& [name, text] : {std::pair{"empty.nes", ""}, {"notes.txt", "not a rom\n"}}) {
    const test::CliResult none = RunCli("map " + QuoteArg(dir.Write(name, std::string(text))));
    EXPECT_EQ(none.status, 1) << name;
    EXPECT_TRUE(none.out.empty()) << none.out;
    EXPECT_EQ(none.err, "This image cannot be edited (too-small), so it has no world map.\n");
  }
}

}  // namespace
}  // namespace kivo
