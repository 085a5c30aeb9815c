// Writes the seed corpora of every harness, made by the fixture builder:
//   kivo-fuzz-seeds FOLDER   ->  FOLDER/<harness>/<seed>
// Nothing binary is kept in the repository; the seeds are remade each run.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bad_images.h"
#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/gfx_layout.h"
#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "demo/world_map_layout.h"
#include "model/core/settings.h"
#include "model/gfx/ntsc_palette.h"
#include "model/gfx/palette.h"
#include "model/map/world_map.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "model/tools/clean_slate.h"
#include "support.h"

namespace kivo::fuzz {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

Bytes Of(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

class SeedWriter {
 public:
  explicit SeedWriter(fs::path root) : root_(std::move(root)) {}

  void Write(const std::string& harness, const std::string& name, const Bytes& bytes) {
    const fs::path folder = root_ / harness;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
      throw std::runtime_error("cannot write seed " + (folder / name).string());
  }

 private:
  fs::path root_;
};

Bytes NtscPaletteFile() {
  Bytes bytes;
  for (const Rgb& c : NtscPalette()) {
    bytes.insert(bytes.end(), {c.red, c.green, c.blue});
  }
  return bytes;
}

// Names, dialogue with finger and keyword pairs, character names, the world
// map and its graphics, laid out through the fixture DTE table.
Bytes FixtureImage(demo::ImageBuilder builder, bool prototype) {
  const CharTable table = demo::FixtureDteTable();
  demo::TextLayout text(builder, table);
  if (prototype)
    builder.Title(kPrototypeTitle);
  else
    builder.Release(3);

  std::size_t itemAt = kItemNameTable.EntryOffset(kItemNameTable.count);
  itemAt = text.Strings(kItemNameTable.offset, kItemTextBase, itemAt,
                        {"Potion", "Ether", "the Key", "Pass"}, kItemIds.first);
  itemAt = text.Strings(kItemNameTable.offset, kItemTextBase, itemAt,
                        {"Dagger", "Long Sword", "Staff"}, kWeaponIds.first);
  itemAt = text.Strings(kItemNameTable.offset, kItemTextBase, itemAt, {"Gil", "HP"},
                        kMiscellaneousWordIds.first);
  itemAt = text.Strings(kItemNameTable.offset, kItemTextBase, itemAt,
                        {"Wild Rose", "Mythril", "Airship"}, kKeywordIds.first);

  std::size_t battleAt = 0x14010;
  battleAt = text.Strings(kSpellNameTable.offset, kBattleTextBase, battleAt,
                          {"Fire", "Blizzard", "Thunder", "Cure"});
  battleAt = text.Strings(kMonsterNameTable.offset, kBattleTextBase, battleAt,
                          {"Goblin", "Leg Eater", "Hornet"});
  text.Strings(kBattleMessageTable.offset, kBattleTextBase, battleAt,
               {"Critical hit!", "Missed", "Ran away"});

  KeywordNames keywords{};
  keywords[kKeywordIds.first] = "Wild Rose";
  keywords[kKeywordIds.first + 1] = "Mythril";
  // Each set's text lies in its own bank, clear of the tables there.
  const std::size_t dialogueAt[] = {0x18210, 0x29000, 0x34210};
  for (int set = kFirstDialogueCategory; set <= kLastDialogueCategory; ++set) {
    const TextCategory& dialogue = GetTextCategory(set);
    text.Keywords(&keywords, 0x05);
    text.Strings(dialogue.pointerTable, dialogue.textBase, dialogueAt[set - kFirstDialogueCategory],
                 {"Wild Rose\nthe rebels' password.", "Mythril is\nstrong.", "Hello there"});
    text.Keywords(nullptr);
  }
  const std::string_view heroes[] = {"Firion", "Maria",  "Guy",   "Leon",  "Minwu",
                                     "Josef",  "Gordon", "Leila", "Ricard"};
  for (int i = 0; i < kCharacterCount; ++i) {
    text.Fixed(kCharacterNames + kCharacterRecordSize * i, kCharacterNameSize, heroes[i]);
  }

  demo::PlaceWorldMap(builder, demo::DemoWorldMap());
  demo::PlaceDemoWorldGraphics(builder);
  return builder.Build();
}

void RomSeeds(SeedWriter& seeds) {
  const Bytes palette = NtscPaletteFile();
  const Bytes fixtureTable = Of(demo::TableFileText(demo::FixtureDteTable()));
  seeds.Write("rom", "demo",
              JoinRomInput(Of(demo::DemoDteTableFile()), palette, demo::BuildDemoImage()));
  seeds.Write("rom", "fixture-standalone",
              JoinRomInput(fixtureTable, palette, FixtureImage(demo::ImageBuilder(), false)));
  seeds.Write("rom", "fixture-prototype",
              JoinRomInput(fixtureTable, palette, FixtureImage(demo::ImageBuilder(), true)));
  seeds.Write("rom", "fixture-combination",
              JoinRomInput(fixtureTable, Bytes(palette.begin(), palette.begin() + 7),
                           FixtureImage(demo::ImageBuilder::Combination(), false)));
  seeds.Write("rom", "unrecognised-size",
              JoinRomInput({}, {}, demo::ImageBuilder(kStandaloneSize + 1).Build()));
  seeds.Write("rom", "tiny", JoinRomInput(fixtureTable, palette, Bytes(0x100, 0x8A)));
  // Images whose strings all run unterminated to the end of the image take
  // up to a minute each under the sanitizers, which the harness would report
  // as a hang; the bad-input tests cover them.
  for (const BadImage& bad : BadImages()) {
    if (!bad.slow)
      seeds.Write("rom", bad.name, JoinRomInput(fixtureTable, palette, bad.bytes));
  }
}

void TableSeeds(SeedWriter& seeds) {
  seeds.Write("table", "fixture", Of(demo::TableFileText(demo::FixtureTable())));
  seeds.Write("table", "fixture-dte", Of(demo::TableFileText(demo::FixtureDteTable())));
  seeds.Write("table", "demo", Of(demo::DemoStandardTableFile()));
  seeds.Write("table", "demo-dte", Of(demo::DemoDteTableFile()));
  seeds.Write("table", "bom-only", Bytes{0xEF, 0xBB, 0xBF});
  seeds.Write("table", "odd-keys", Of("-1=a\r\n0x=b\r\nFFFFFFFFFF=c\n 0x41==\n4B=\n100=x\nZZ=y"));
  // Shift-JIS (a katakana and a kanji) and Windows-1252 (e acute, euro).
  seeds.Write("table", "shift-jis",
              Bytes{'4', '1', '=', 0x83, 0x41, '\n', '4', '2', '=', 0x88, 0x9F, '\r', '\n', '4',
                    '3', '=', 0x5C, 'n'});
  seeds.Write("table", "windows-1252", Bytes{'8', '0', '=', 0xE9, '\n', '8', '1', '=', 0x80, '\n'});
  seeds.Write("table", "zero-byte", Bytes{'4', '1', '=', 'A', 0, '4', '2', '=', 'B'});
}

void PaletteSeeds(SeedWriter& seeds) {
  const Bytes full = NtscPaletteFile();
  seeds.Write("palette", "ntsc", full);
  seeds.Write("palette", "three-bytes", Bytes{0x12, 0x34, 0x56});
  Bytes longer = full;
  longer.insert(longer.end(), 8, 0xAA);
  seeds.Write("palette", "with-tail", longer);
}

void SettingsSeeds(SeedWriter& seeds) {
  SettingsBlock block;
  block.ResetToDefaults();
  const auto bytesOf = [](const SettingsBlock& b) {
    return Bytes(b.bytes().begin(), b.bytes().end());
  };
  seeds.Write("settings", "defaults", bytesOf(block));
  block.SetPath(PathField::Rom, "/home/player/ff2.nes");
  block.SetField(settings::kDialogueLabels1, 0, "Opening – rebels' hideout");
  block.SetField(settings::kShopLabels, 3, "Mythril");
  block.SetCustomColour(2, {1, 2, 3});
  block.SetPreferDte(4, true);
  seeds.Write("settings", "customised", bytesOf(block));
  Bytes shorter = bytesOf(block);
  shorter.resize(settings::kStoredSize + 2);
  seeds.Write("settings", "truncated", shorter);
}

void WorldMapSeeds(SeedWriter& seeds) {
  // Grid mode: runs of the demo map's first rows, and a busy pattern too
  // large for the map's room.
  const WorldMapGrid demoGrid = demo::DemoWorldMap();
  Bytes runs{static_cast<uint8_t>(MapMode::Grid)};
  for (std::size_t i = 0; i < demoGrid.size() && runs.size() < 4096;) {
    std::size_t j = i;
    while (j < demoGrid.size() && j - i < 256 && demoGrid[j] == demoGrid[i])
      ++j;
    runs.insert(runs.end(), {demoGrid[i], static_cast<uint8_t>(j - i - 1)});
    i = j;
  }
  seeds.Write("world_map", "demo-runs", runs);
  seeds.Write("world_map", "busy", Bytes{static_cast<uint8_t>(MapMode::Grid), 1, 0, 2, 0, 3, 0});
  seeds.Write("world_map", "literal-only",
              Bytes{static_cast<uint8_t>(MapMode::Grid) | kMapCombinationFlag, 0x7F, 255});

  // Bytes mode: the demo map as the game stores it.
  demo::ImageBuilder builder;
  demo::PlaceWorldMap(builder, demoGrid);
  const Bytes image = builder.Build();
  Bytes stored{static_cast<uint8_t>(MapMode::Bytes)};
  stored.insert(stored.end(), image.begin() + kRowPointerTableOffset, image.begin() + kMapDataEnd);
  seeds.Write("world_map", "demo-stored", stored);
  stored[0] |= kMapCombinationFlag;
  seeds.Write("world_map", "demo-stored-combination", stored);
}

// The first byte picks the image (bit 7: combination) and the map tile, the
// next two how far the image is cut short (in units of 8 bytes), and the rest
// are the pointers of every text list, in box order, repeated as needed.
void CleanSlateSeeds(SeedWriter& seeds) {
  seeds.Write("clean_slate", "untouched", Bytes{kDefaultSlateTile, 0, 0});
  seeds.Write("clean_slate", "pointers-ff", Bytes{kDefaultSlateTile, 0, 0, 0xFF, 0xFF});
  seeds.Write("clean_slate", "combination-cut",
              Bytes{kDefaultSlateTile | 0x80, 0x00, 0x10, 0x34, 0x92});
  const Bytes demoImage = demo::BuildDemoImage();
  Bytes demoPointers{0x7E, 0, 0};
  for (const SlateBox& box : SlateBoxes()) {
    if (box.effect == SlateEffect::TextList) {
      const auto from = demoImage.begin() + static_cast<std::ptrdiff_t>(box.list.offset);
      demoPointers.insert(demoPointers.end(), from, from + 2 * box.list.count);
    }
  }
  seeds.Write("clean_slate", "demo-pointers", demoPointers);
}

}  // namespace
}  // namespace kivo::fuzz

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    kivo::fuzz::SeedWriter seeds{std::filesystem::path(argv[1])};
    kivo::fuzz::RomSeeds(seeds);
    kivo::fuzz::TableSeeds(seeds);
    kivo::fuzz::PaletteSeeds(seeds);
    kivo::fuzz::SettingsSeeds(seeds);
    kivo::fuzz::WorldMapSeeds(seeds);
    kivo::fuzz::CleanSlateSeeds(seeds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kivo-fuzz-seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
