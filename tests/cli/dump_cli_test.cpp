#include <gtest/gtest.h>

#include <regex>

#include "cli/run_cli.h"
#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using test::QuoteArg;
using test::RunCli;
using test::TempDir;

struct Workspace {
  TempDir dir;
  std::vector<uint8_t> image = demo::BuildDemoImage();
  std::string rom = dir.Write("demo.nes", image);
  std::string tables = " --standard " +
                       QuoteArg(dir.Write("s.tbl", demo::DemoStandardTableFile())) + " --dte " +
                       QuoteArg(dir.Write("d.tbl", demo::DemoDteTableFile()));
  std::string File(const std::string& name) const { return QuoteArg(dir.File(name)); }
};

TEST(DumpCli, DumpsAndLoadsBackByteForByte) {
  const Workspace w;
  const test::CliResult dump = RunCli("dump " + QuoteArg(w.rom) + w.tables);
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_NE(dump.out.find("\n  \"weapon\": {\n    \"records\": [\n      {\"index\": 0"),
            std::string::npos);
  w.dir.Write("all.json", dump.out);
  const test::CliResult load = RunCli("load " + QuoteArg(w.rom) + " " + w.File("all.json") +
                                      " -o " + w.File("out.nes") + w.tables);
  ASSERT_EQ(load.status, 0) << load.err;
  EXPECT_TRUE(std::regex_match(load.out,
                               std::regex("Load 9 kinds: 41 armor records, .*: 0 bytes change.\n")))
      << load.out;
  EXPECT_TRUE(TempDir::Read(w.dir.File("out.nes")) == w.image);

  // One kind's bytes; names need tables, the numbers do not.
  ASSERT_EQ(
      RunCli("dump " + QuoteArg(w.rom) + " --kind armor --binary -o " + w.File("a.bin")).status, 0);
  EXPECT_EQ(TempDir::Read(w.dir.File("a.bin")).size(), 41u * 6u);
  const test::CliResult bare = RunCli("dump " + QuoteArg(w.rom) + " --kind shop");
  EXPECT_EQ(bare.status, 0);
  EXPECT_EQ(bare.out.find("_name"), std::string::npos);
  EXPECT_EQ(RunCli("dump " + QuoteArg(w.rom) + " --kind text").status, 1);
  EXPECT_EQ(RunCli("dump " + QuoteArg(w.rom) + " --binary").status, 2);
  EXPECT_EQ(RunCli("dump " + QuoteArg(w.rom) + " --kind armour").status, 2);
}

TEST(DumpCli, ARefusedLoadListsItsProblemsAndWritesNothing) {
  const Workspace w;
  std::string text = RunCli("dump " + QuoteArg(w.rom) + " --kind monster").out;
  text = std::regex_replace(text, std::regex("\"hp_index\": \\d+"), "\"hp_index\": 40",
                            std::regex_constants::format_first_only);
  w.dir.Write("bad.json", text);
  const auto before = w.dir.Snapshot();
  const test::CliResult load =
      RunCli("load " + QuoteArg(w.rom) + " " + w.File("bad.json") + " -o " + w.File("out.nes"));
  EXPECT_EQ(load.status, 1);
  EXPECT_NE(load.err.find("monster.records[0].hp_index: 40 is outside 0..31\n"), std::string::npos)
      << load.err;
  EXPECT_TRUE(w.dir.Snapshot() == before);
}

}  // namespace
}  // namespace kivo
