#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/run_cli.h"
#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "model/core/rom_document.h"
#include "model/text/name_tables.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using demo::TextLayout;
using nlohmann::json;
using test::QuoteArg;
using test::RunCli;

struct Files {
  test::TempDir dir;
  std::string rom, standard, dte;

  explicit Files(ImageBuilder builder) {
    CharTable dteTable = demo::FixtureDteTable();
    dteTable[0x16] = "[F]";
    KeywordNames keywords{};
    keywords[0xF1] = "Wild rose";

    TextLayout names(builder, dteTable);
    names.Strings(kItemNameTable.offset, kItemTextBase, 0x28500, {"Potion", "Ether"}, 1);
    names.Strings(kItemNameTable.offset, kItemTextBase, 0x28600, {"Wild rose"}, 0xF1);
    names.Fixed(0xF92, 6, "Firion");
    TextLayout dialogue(builder, dteTable);
    dialogue.Keywords(&keywords, 0x2A);
    dialogue.Strings(0x18010, 0x10010, 0x18300, {"Hi [F]you\r\nthe Wild rose!", "Plain"});

    rom = dir.Write("fixture.nes", builder.Build());
    standard = dir.Write("standard.tbl", demo::TableFileText(demo::FixtureTable()));
    dte = dir.Write("dte.tbl", demo::TableFileText(dteTable));
  }

  std::string Args(const std::string& extra = "") const {
    return "text " + QuoteArg(rom) + " --standard " + QuoteArg(standard) + " --dte " +
           QuoteArg(dte) + extra;
  }
};

TEST(TextCli, JsonListsEveryEntryOfCategoriesZeroToThirteen) {
  const Files files(ImageBuilder::Combination());
  const test::CliResult r = RunCli(files.Args(" --json"));
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  const json& categories = j.at("categories");
  ASSERT_EQ(categories.size(), 14u);
  EXPECT_EQ(categories[9].at("name"), "Characters");
  EXPECT_EQ(categories[13].at("entries").size(), 80u);

  const std::size_t shift = 0x40000;
  const json& potion = categories[0].at("entries")[0];
  EXPECT_EQ(potion.at("pointer"), 0x28212 + shift);
  EXPECT_EQ(potion.at("value"), 0x28500 - 0x20010);
  EXPECT_EQ(potion.at("location"), 0x28500 + shift);
  EXPECT_EQ(potion.at("text"), "Potion");
  EXPECT_EQ(categories[0].at("entries")[1].at("text"), "Ether");
  EXPECT_EQ(categories[6].at("entries")[0].at("text"), "Wild rose");

  const json& firion = categories[9].at("entries")[0];
  EXPECT_TRUE(firion.at("pointer").is_null());
  EXPECT_EQ(firion.at("location"), 0xF92 + shift);
  EXPECT_EQ(firion.at("text"), "Firion");

  // Dialogue: the ROM's text (not a label), keyword names from the item
  // table, CR LF line breaks and the finger value.
  const json& hi = categories[11].at("entries")[0];
  EXPECT_EQ(hi.at("text"), "Hi [F]you\r\nthe Wild rose!");
  EXPECT_EQ(hi.at("finger"), 0x2A);
  EXPECT_EQ(hi.at("location"), 0x18300 + shift);
  const json& plain = categories[11].at("entries")[1];
  EXPECT_EQ(plain.at("text"), "Plain");
  EXPECT_TRUE(plain.at("finger").is_null());

  // The four text banks, the items' first, with their room.
  const json& banks = j.at("banks");
  ASSERT_EQ(banks.size(), 4u);
  EXPECT_EQ(banks[0].at("base"), 0x20010);
  EXPECT_EQ(banks[0].at("categories"), json({0, 1, 2, 3, 5, 6, 10, 12}));
  EXPECT_EQ(banks[1].at("categories"), json({4, 7, 8}));
  for (const json& bank : banks)
    EXPECT_EQ(bank.at("free"), bank.at("space").get<int>() - bank.at("used").get<int>());
}

TEST(TextCli, FailuresSayWhyOnStandardError) {
  const Files files(ImageBuilder::Standalone());
  test::CliResult r = RunCli("text " + QuoteArg(files.dir.File("missing.nes")) + " --standard " +
                             QuoteArg(files.standard) + " --dte " + QuoteArg(files.dte));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, std::string(kOpenFailedText) + "\n" + files.dir.File("missing.nes") +
                       ": No such file or directory\n");
  EXPECT_TRUE(r.out.empty());

  // The message names the file that could not be read, and why.
  r = RunCli("text " + QuoteArg(files.rom) + " --standard " + QuoteArg(files.standard) + " --dte " +
             QuoteArg(files.dir.File("missing.tbl")) + " --json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Could not load the standard DTE table.\nSome of the text will not display.\n" +
                       files.dir.File("missing.tbl") + ": No such file or directory\n");
  EXPECT_TRUE(r.out.empty());

  // An image the program would not edit has no Text page to show.
  const std::string small = files.dir.Write("small.nes", std::vector<uint8_t>(0x100, 0));
  r = RunCli("text " + QuoteArg(small) + " --standard " + QuoteArg(files.standard) + " --dte " +
             QuoteArg(files.dte));
  EXPECT_EQ(r.status, 1);

  EXPECT_EQ(RunCli("text " + QuoteArg(files.rom) + " --dte " + QuoteArg(files.dte)).status, 2);
  EXPECT_EQ(RunCli("text " + QuoteArg(files.rom) + " --standard").status, 2);
}

}  // namespace
}  // namespace kivo
