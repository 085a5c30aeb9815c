#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_cli.h"
#include "demo/image_builder.h"
#include "model/core/crc32.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using nlohmann::json;
using test::QuoteArg;
using test::RunCli;

TEST(KivoCliPatch, CreateApplyAndInfoForBothFormats) {
  test::TempDir dir;
  const std::vector<uint8_t> original = demo::ImageBuilder().Build();
  std::vector<uint8_t> modified = original;
  modified[0x1234] ^= 0xFF;
  modified[0x30000] = 7;
  const std::string a = QuoteArg(dir.Write("a.nes", original));
  const std::string b = QuoteArg(dir.Write("b.nes", modified));
  for (const char* name : {"p.bps", "p.ips"}) {
    SCOPED_TRACE(name);
    const std::string patch = QuoteArg(dir.File(name));
    ASSERT_EQ(RunCli("patch create " + a + " " + b + " " + patch).status, 0);
    const test::CliResult applied =
        RunCli("patch apply " + a + " " + patch + " " + QuoteArg(dir.File("out.nes")));
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(test::TempDir::Read(dir.File("out.nes")), modified);
  }
  const json bps = json::parse(RunCli("patch info " + QuoteArg(dir.File("p.bps")) + " --json").out);
  EXPECT_EQ(bps, json::parse(R"({"format": "bps", "sourceSize": )" +
                             std::to_string(original.size()) + R"(, "targetSize": )" +
                             std::to_string(modified.size()) + R"(, "sourceCrc32": ")" +
                             Crc32Text(Crc32(original)) + R"(", "targetCrc32": ")" +
                             Crc32Text(Crc32(modified)) +
                             R"(", "patchCrc32Ok": true, "metadata": "", "records": 5})"));
  const json ips = json::parse(RunCli("patch info --json " + QuoteArg(dir.File("p.ips"))).out);
  EXPECT_EQ(ips, json::parse(R"({"format": "ips", "sourceSize": null, "targetSize": null,
      "sourceCrc32": null, "targetCrc32": null, "patchCrc32Ok": null, "metadata": null,
      "records": 2})"));
}

TEST(KivoCliPatch, FailuresNameTheFileAndLeaveTheOutputAlone) {
  test::TempDir dir;
  const std::vector<uint8_t> original = demo::ImageBuilder().Build();
  std::vector<uint8_t> other = original;
  other[0x20] ^= 1;
  const std::string a = QuoteArg(dir.Write("a.nes", original));
  const std::string o = QuoteArg(dir.Write("o.nes", other));
  const std::string patch = dir.File("p.bps");
  ASSERT_EQ(RunCli("patch create " + a + " " + o + " " + QuoteArg(patch)).status, 0);

  const std::string kept = dir.Write("kept.nes", std::vector<uint8_t>{1, 2, 3});
  const test::CliResult wrong =
      RunCli("patch apply " + o + " " + QuoteArg(patch) + " " + QuoteArg(kept));
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.err, patch + ": This patch was made for another ROM: it expects CRC32 " +
                           Crc32Text(Crc32(original)) + ", this file has " +
                           Crc32Text(Crc32(other)) + ".\n");
  EXPECT_EQ(test::TempDir::Read(kept), (std::vector<uint8_t>{1, 2, 3}));
  const std::string fresh = dir.File("fresh.nes");
  EXPECT_EQ(RunCli("patch apply " + a + " " + a + " " + QuoteArg(fresh)).status, 1);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(RunCli("patch apply " + o + " " + QuoteArg(patch) + " " + QuoteArg(fresh) +
                   " --ignore-checksums")
                .status,
            0);

  const test::CliResult extension =
      RunCli("patch create " + a + " " + o + " " + QuoteArg(dir.File("p.zip")));
  EXPECT_EQ(extension.status, 1);
  EXPECT_NE(extension.err.find("p.zip"), std::string::npos);
  EXPECT_EQ(RunCli("patch frob").status, 2);
}

}  // namespace
}  // namespace kivo
