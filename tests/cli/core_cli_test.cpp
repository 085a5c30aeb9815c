#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "demo/image_builder.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using nlohmann::json;
using test::QuoteArg;
using test::RunCli;

TEST(KivoCli, IdentifyGivesOneJsonObject) {
  test::TempDir dir;
  demo::ImageBuilder vask;
  vask.Release(3);
  const test::CliResult r =
      RunCli("identify " + QuoteArg(dir.Write("v.nes", vask.Build())) + " --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["kind"], "standalone");
  EXPECT_EQ(j["editable"], true);
  EXPECT_EQ(j["tablePair"], "standard");
  // Which release says what: IdentifyVersion (version_test).
  EXPECT_EQ(j["release"]["caption"], "Kivo");
  EXPECT_EQ(j["release"]["icon"], "none");

  const auto identify = [&](const std::string& name, const std::vector<uint8_t>& image) {
    return json::parse(RunCli("identify " + QuoteArg(dir.Write(name, image)) + " --json").out);
  };
  demo::ImageBuilder proto = demo::ImageBuilder::Combination();
  proto.Release(6);
  const json c = identify("c.nes", proto.Build());
  EXPECT_EQ(c["kind"], "combination");
  EXPECT_EQ(c["baseShift"], 0x40000);
  EXPECT_EQ(c["tablePair"], "prototype");
  const json small = identify("s.nes", std::vector<uint8_t>(100));
  EXPECT_EQ(small["kind"], "too-small");
  EXPECT_EQ(small["tablePair"], "none");
  const json gba = identify("g.gba", std::vector<uint8_t>(0x1000000));
  EXPECT_EQ(gba["kind"], "gba");
  EXPECT_TRUE(gba["release"].is_null());
}

TEST(KivoCli, HeaderAndFailures) {
  test::TempDir dir;
  std::vector<uint8_t> image = demo::ImageBuilder().Build();
  image[6] = 0x0B;
  const test::CliResult r = RunCli("header --json " + QuoteArg(dir.Write("h.nes", image)));
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["magic"], true);
  EXPECT_TRUE(j["warning"].is_null());
  EXPECT_EQ(j["mapper"], 0);
  EXPECT_EQ(j["mapperName"], "0 - UnROM");
  EXPECT_EQ(j["mirroring"], "Four-screen");
  EXPECT_EQ(j["prgRomBanks"], 16);
  EXPECT_EQ(j["sram"], true);
  EXPECT_EQ(j["sizeMatches"], true);

  const json bad =
      json::parse(RunCli("header " + QuoteArg(dir.Write("b.nes", "NX")) + " --json").out);
  EXPECT_EQ(bad["magic"], false);
  EXPECT_EQ(bad["warning"], "Possibility exists that this isn't a valid header!");

  // A file that cannot be read: text_cli_test.
  EXPECT_EQ(RunCli("identify " + QuoteArg(dir.File("none.nes"))).status, 1);

  EXPECT_EQ(RunCli("identify").status, 2);
  EXPECT_EQ(RunCli("frobnicate x").status, 2);
  EXPECT_EQ(RunCli("--help").status, 0);
}

}  // namespace
}  // namespace kivo
