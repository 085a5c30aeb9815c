#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/world_map_layout.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/core/version.h"
#include "model/map/world_map.h"
#include "model/text/codec.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::QuoteArg;
using test::RunCli;

TEST(DemoCli, WritesAWorkspaceKivoOpensAsItIs) {
  test::TempDir dir;
  // A folder that does not exist yet, named with a detour the settings must not keep.
  const std::string given = dir.File("made/../workspace");
  const fs::path workspace = dir.path() / "workspace";
  const test::CliResult r = RunCli("demo " + QuoteArg(given));
  ASSERT_EQ(r.status, 0) << r.err;

  // Kivo.dat is whole and points at the three files by absolute paths.
  SettingsBlock settings;
  const SettingsLoadResult loaded = LoadSettings(settings, workspace.string());
  EXPECT_TRUE(loaded.messages.empty());
  const std::string rom = settings.Path(PathField::Rom);
  const std::string standard = settings.Path(PathField::Ff2StandardTable);
  const std::string dte = settings.Path(PathField::Ff2StandardDteTable);
  EXPECT_TRUE(fs::equivalent(rom, workspace / "demo.nes"));
  EXPECT_TRUE(fs::equivalent(standard, workspace / "standard.tbl"));
  EXPECT_TRUE(fs::equivalent(dte, workspace / "dte.tbl"));
  for (const std::string& path : {rom, standard, dte}) {
    EXPECT_TRUE(fs::path(path).is_absolute()) << path;
    EXPECT_EQ(path.find(".."), std::string::npos) << path;
  }
  EXPECT_EQ(settings.Path(PathField::Palette), "");
  EXPECT_EQ(settings.Field(settings::kDialogueLabels1, 1), demo::DemoDialogueLabel(1, 1));

  // A second demo leaves the workspace alone; --force writes it again.
  const auto before = test::TempDir::Read(rom);
  settings.SetPath(PathField::Palette, "/somewhere/my.pal");
  ASSERT_TRUE(SaveSettings(settings, loaded.dataFilePath).empty());
  const test::CliResult again = RunCli("demo " + QuoteArg(workspace.string()));
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("Kivo.dat already exists"), std::string::npos) << again.err;
  LoadSettings(settings, workspace.string());
  EXPECT_EQ(settings.Path(PathField::Palette), "/somewhere/my.pal");

  fs::remove(rom);
  EXPECT_EQ(RunCli("demo --force " + QuoteArg(workspace.string())).status, 0);
  EXPECT_EQ(test::TempDir::Read(rom), before);
  LoadSettings(settings, workspace.string());
  EXPECT_EQ(settings.Path(PathField::Palette), "");

  EXPECT_EQ(RunCli("demo a b").status, 2);
}

TEST(DemoCli, RefusesAFolderItCannotWrite) {
  test::TempDir dir;
  // A plain file where the folder should be.
  const std::string file = dir.Write("taken", std::string("x"));
  const test::CliResult r = RunCli("demo " + QuoteArg(file));
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_EQ(test::TempDir::Read(file), std::vector<uint8_t>{'x'});

  // A folder whose paths the settings block cannot hold is refused before
  // anything is written.
  const std::string deep = dir.File(std::string(250, 'd'));
  const test::CliResult tooLong = RunCli("demo " + QuoteArg(deep));
  EXPECT_EQ(tooLong.status, 1);
  EXPECT_NE(tooLong.err.find(kPathTooLongText), std::string::npos) << tooLong.err;
  EXPECT_FALSE(fs::exists(deep));
}

// Every text the demo image holds decodes as placed, through the demo DTE
// table, so no region overran another and no character was dropped.
TEST(DemoImage, HoldsEveryTextAndTheWorldMapAsPlaced) {
  const std::vector<uint8_t> image = demo::BuildDemoImage();
  ASSERT_EQ(image.size(), kStandaloneSize);
  EXPECT_EQ(MatchRelease(image, 0), demo::kDemoRelease);

  const CharTable dte = demo::DemoDteTable();
  const std::vector<std::string> items = DecodeNames(image, 0, kItemNameTable, dte);
  for (int id = 0; id < kItemNameTable.count; ++id)
    EXPECT_EQ(items[id], demo::DemoItemName(id)) << id;

  const std::pair<const PointerTable*, std::string (*)(int)> lists[] = {
      {&kSpellNameTable, demo::DemoSpellName},
      {&kMonsterNameTable, demo::DemoMonsterName},
      {&kBattleMessageTable, demo::DemoBattleMessage}};
  for (const auto& [table, name] : lists) {
    const std::vector<std::string> names = DecodeNames(image, 0, *table, dte);
    for (int row = 0; row < table->count; ++row)
      EXPECT_EQ(names[row], name(row)) << table->offset << " " << row;
  }

  SettingsBlock settings;
  BuildKeywordNames(image, 0, dte, settings);
  const KeywordNames keywords = ReadKeywordNames(settings);

  for (int set = 1; set <= 3; ++set) {
    const int category = kFirstDialogueCategory + set - 1;
    for (int row = 0; row < GetTextCategory(category).rows; ++row) {
      EXPECT_EQ(ReadTextEntry(image, 0, category, row, dte, keywords).text,
                demo::DemoDialogue(set, row))
          << set << ':' << row;
    }
  }
  // Item names in dialogue went in as keyword pairs, as the Text page stores them.
  const EntryLocation harbor = LocateEntry(image, 0, kFirstDialogueCategory, 1);
  EXPECT_EQ(image[harbor.textLocation], kKeywordCode);
  EXPECT_EQ(image[harbor.textLocation + 1], 0xF1);  // "Harbor"

  auto grid = std::make_unique<WorldMapGrid>();
  DecodeWorldMap(ConstRomView(image, 0), *grid);
  EXPECT_TRUE(*grid == demo::DemoWorldMap());

  // Names fit the slots the game allows: what is held in both hands is no
  // shield, and head gear, body armour and gloves lie in their own ranges.
  auto named = [&items](int first, int last, std::initializer_list<std::string_view> kinds) {
    for (int id = first; id <= last; ++id) {
      const bool fits = std::any_of(kinds.begin(), kinds.end(),
                                    [&](std::string_view kind) { return items[id].ends_with(kind); });
      EXPECT_TRUE(fits) << std::hex << id << " " << items[id];
    }
  };
  named(0x68, 0x6F, {"Glaive"});
  named(0x70, 0x79, {"Cap", "Helm"});
  named(0x7A, 0x8D, {"Robe", "Mail"});
  named(0x8E, 0x97, {"Gloves"});
}

}  // namespace
}  // namespace kivo
