// Writes the seed corpora of every harness, made by the fixture builder:
//   kivo-fuzz-seeds FOLDER   ->  FOLDER/<harness>/<seed>
// Nothing binary is kept in the repository; the seeds are remade each run.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bad_images.h"
#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "demo/world_map_layout.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/dump/dump.h"
#include "model/patch/patch.h"
#include "model/editors/armour.h"
#include "model/editors/character.h"
#include "model/editors/formation.h"
#include "model/editors/monster.h"
#include "model/editors/monster_tables.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/weapon.h"
#include "model/gfx/battle_palettes.h"
#include "model/gfx/metatiles.h"
#include "model/gfx/ntsc_palette.h"
#include "model/gfx/palette.h"
#include "model/map/encounters.h"
#include "model/map/tile_properties.h"
#include "model/map/world_map.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "model/tools/clean_slate.h"
#include "rom_reads.h"
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

// Sizes and the header and title bytes of the images users meet.
void RomSeeds(SeedWriter& seeds) {
  const auto seed = [&](const std::string& name, std::size_t size, std::span<const uint8_t> image,
                        std::size_t shift) {
    Bytes bytes{static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                static_cast<uint8_t>(size >> 16)};
    if (image.size() >= shift + kTitleOffset + kTitleSize) {
      bytes.insert(bytes.end(), image.begin(), image.begin() + kHeaderSize);
      const auto title = image.begin() + static_cast<std::ptrdiff_t>(shift + kTitleOffset);
      bytes.insert(bytes.end(), title, title + kTitleSize);
    }
    seeds.Write("rom", name, bytes);
  };
  const Bytes standalone = demo::ImageBuilder().Release(demo::kDemoRelease).Build();
  const Bytes prototype = demo::ImageBuilder().Title(kPrototypeTitle).Build();
  demo::ImageBuilder combination = demo::ImageBuilder::Combination();
  combination.Release(demo::kDemoRelease);
  seeds.Write("rom", "empty", Bytes{0, 0, 0});
  seed("standalone", kStandaloneSize, standalone, 0);
  seed("prototype", kStandaloneSize, prototype, 0);
  seed("combination", kCombinationSize, combination.Build(), kCombinationShift);
  seed("unrecognised-size", kStandaloneSize + 1, standalone, 0);
  seed("past-combination", kCombinationSize + 1, standalone, 0);
  seed("fifteen-bytes", 15, standalone, 0);
}

// The pages' reads: the demo image with a patch of its own bytes where a read
// looks (a pointer table and the text after it, a record table, the map's
// rows), on the whole image, cut short right after the patch, on the
// combination image, and with random bytes instead.
void ImageReadSeeds(SeedWriter& seeds, const std::string& harness, ReadSet group,
                    std::size_t offset, std::size_t length, const std::string& name, uint8_t pick,
                    std::span<const uint8_t> table = {}) {
  const bool withTable = group == ReadSet::Text;
  const Bytes& image = DemoImage(false);
  length = std::min(length, image.size() - offset);
  ImageInput input;
  input.pick = pick;
  input.offset = static_cast<uint32_t>(offset);
  input.table = table;
  input.patch = std::span(image).subspan(offset, length);
  seeds.Write(harness, name, JoinImageInput(input, withTable));
  input.end = 1;
  seeds.Write(harness, name + "-cut", JoinImageInput(input, withTable));
  input.end = 0;
  input.combination = true;
  seeds.Write(harness, name + "-combination", JoinImageInput(input, withTable));
  const Bytes random = RandomImage(length, static_cast<uint32_t>(offset));
  input.patch = random;
  input.combination = false;
  seeds.Write(harness, name + "-random", JoinImageInput(input, withTable));
}

// Images too short to hold any of the game: empty, and of 15 bytes.
void TinyImageSeeds(SeedWriter& seeds, const std::string& harness, ReadSet group,
                    std::span<const uint8_t> table = {}) {
  const bool withTable = group == ReadSet::Text;
  ImageInput input;
  input.end = 1;
  input.table = table;
  seeds.Write(harness, "empty-image", JoinImageInput(input, withTable));
  input.offset = 15;
  seeds.Write(harness, "fifteen-bytes", JoinImageInput(input, withTable));
}

void RomTextSeeds(SeedWriter& seeds) {
  const Bytes demoTable = Of(demo::DemoDteTableFile());
  const Bytes fixtureTable = Of(demo::TableFileText(demo::FixtureDteTable()));
  // The group's reads: the name tables, one a category in category order,
  // then the label lists.
  const std::vector<const RomRead*> reads = ReadsOf(ReadSet::Text);
  int category = 0;
  uint8_t firstDialogue = 0;
  for (std::size_t pick = 0; pick < reads.size(); ++pick) {
    std::size_t offset = kItemNameTable.offset, rows = kItemNameTable.count;
    std::string name = std::string(reads[pick]->name);
    if (name == "text category") {
      const TextCategory& info = GetTextCategory(category);
      offset = info.kind == CategoryKind::Characters ? kCharacterNames : info.pointerTable;
      rows = info.rows;
      if (category == kFirstDialogueCategory)
        firstDialogue = static_cast<uint8_t>(pick);
      name = "category-" + std::to_string(category++);
    }
    std::replace(name.begin(), name.end(), ' ', '-');
    ImageReadSeeds(seeds, "rom_text", ReadSet::Text, offset, 2 * rows + 0x200, name,
                   static_cast<uint8_t>(pick), demoTable);
  }
  // Dialogue read through another table: the same bytes, other text.
  ImageReadSeeds(seeds, "rom_text", ReadSet::Text,
                 GetTextCategory(kFirstDialogueCategory).pointerTable, 0x400, "fixture-table",
                 firstDialogue, fixtureTable);
  TinyImageSeeds(seeds, "rom_text", ReadSet::Text, demoTable);
}

void RomEditorSeeds(SeedWriter& seeds) {
  const std::pair<const char*, std::size_t> tables[] = {
      {"characters", kCharacterRecords},
      {"starting-gil", kStartingGil},
      {"battle-palettes", kBattlePalettesOffset},
      {"spoils", kSpoilsSetIndexes.offset},
      {"formations", kFormationRecords},
      {"monster-sets", kMonsterSets},
      {"weapon-palettes", kWeaponPalettes},
      {"armour", kArmourRecords},
      {"weapons", kWeaponRecords},
      {"spell-records", kSpellRecords},
      {"spell-data", kSpellData},
      {"monsters", kMonsterRecords},
      {"monster-tables", kHpMpValues.offset},
      {"prices", kPriceTable},
      {"shops", kShopRecords},
  };
  for (const auto& [name, offset] : tables)
    ImageReadSeeds(seeds, "rom_editors", ReadSet::Editors, offset, 0x400, name, 0);
  TinyImageSeeds(seeds, "rom_editors", ReadSet::Editors);
}

void RomMapSeeds(SeedWriter& seeds) {
  // The group's reads: world map, metatiles, encounters and tile properties.
  struct Spot {
    const char* name;
    uint8_t pick;
    std::size_t offset;
    std::size_t length;
  };
  const Spot spots[] = {
      {"row-pointers", 0, kRowPointerTableOffset, 0x600},
      {"map-rows", 0, kMapDataOffset, 0x600},
      {"metatiles", 1, kMetatileTilesOffset,
       kWorldPaletteOffset + kWorldPaletteSize - kMetatileTilesOffset},
      {"world-tiles", 1, kWorldTilesOffset, 0x600},
      {"tile-properties", 2, kTilePropertiesOffset, 2 * kMetatileCount},
      {"domains", 2, kDomainTableOffset, kEncounterSlotsOffset - kDomainTableOffset},
      {"encounter-slots", 2, kEncounterSlotsOffset, kSlotsPerIndex * kEncounterIndexCount},
      {"slot-distribution", 2, kSlotDistributionOffset, kSlotDistributionSize},
  };
  for (const Spot& spot : spots)
    ImageReadSeeds(seeds, "rom_map", ReadSet::Map, spot.offset, spot.length, spot.name, spot.pick);
  TinyImageSeeds(seeds, "rom_map", ReadSet::Map);
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

// Edits, a joined edit, undos past the start and redos past the end.
void HistorySeeds(SeedWriter& seeds) {
  seeds.Write("history", "edit-undo-redo", Bytes{0, 2, 0, 5, 1, 0, 6, 2, 5, 6, 6});
  seeds.Write("history", "joined", Bytes{1, 1, 0, 9, 3, 4, 1, 0, 9, 1, 4, 1, 0, 10, 2, 5, 5, 5, 6});
  seeds.Write("history", "edit-after-undo",
              Bytes{2, 1, 1, 0, 4, 5, 3, 1, 2, 255, 1, 7, 1, 0, 1, 0, 6});
}

// An IPS patch with a record, a run record and a cut; real BPS and IPS
// patches of a small edit; and two images that share a block.
void PatchSeeds(SeedWriter& seeds) {
  seeds.Write("patch", "ips-records",
              Bytes{0, 0, 0, 1, 0, 2, 'x', 'y', 0, 0, 6, 0, 0, 0, 4, 'z', 'E', 'O', 'F', 0, 0, 8});
  Bytes source(0x400), target;
  for (std::size_t i = 0; i < source.size(); ++i)
    source[i] = static_cast<uint8_t>(i * 13 % 7);
  target = source;
  std::fill_n(target.begin() + 0x100, 40, 0xAA);
  std::copy_n(source.begin() + 0x10, 64, target.begin() + 0x300);
  for (PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
    Bytes whole{2};
    const Bytes patch = CreatePatch(format, source, target).value;
    whole.insert(whole.end(), patch.begin(), patch.end());
    seeds.Write("patch", std::string(PatchFormatName(format)) + "-real", whole);
  }
  Bytes body{1};
  const Bytes bps = CreateBps(source, target);
  body.insert(body.end(), bps.begin() + 4, bps.end() - 4);
  seeds.Write("patch", "bps-body", body);
  Bytes pair{3, 128};
  pair.insert(pair.end(), target.begin(), target.begin() + 200);
  pair.insert(pair.end(), source.begin(), source.begin() + 200);
  seeds.Write("patch", "pair", pair);
}

// The demo image's dumps: each kind, every kind, and a load that says
// nothing.
void DumpSeeds(SeedWriter& seeds) {
  RomDocument document;
  document.Adopt(demo::BuildDemoImage(), "demo.nes");
  const CharTable standard = demo::DemoStandardTable(), dte = demo::DemoDteTable();
  const DumpContext context{&standard, &dte, nullptr};
  for (DumpKind kind : kDumpKinds) {
    const DumpKind one[] = {kind};
    seeds.Write("dump", std::string(DumpKindKey(kind)), Of(DumpJson(document, one, context).text));
  }
  seeds.Write("dump", "all", Of(DumpJson(document, kDumpKinds, context).text));
  seeds.Write("dump", "empty", Of("{\"kivo\": 1, \"rom\": {\"kind\": \"standalone\", "
                                  "\"crc32\": \"00000000\"}}"));
}

// Each bank as it is, and the items' bank with a pointer led into the middle
// of another text and one led outside the bank.
void TextBankSeeds(SeedWriter& seeds) {
  for (uint8_t bank = 0; bank < 4; ++bank)
    seeds.Write("text_banks", "bank-" + std::to_string(bank), Bytes{bank});
  seeds.Write("text_banks", "hostile", Bytes{0, 3, 0x02, 0x85, 7, 0x00, 0x10});
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
    kivo::fuzz::RomTextSeeds(seeds);
    kivo::fuzz::RomEditorSeeds(seeds);
    kivo::fuzz::RomMapSeeds(seeds);
    kivo::fuzz::TableSeeds(seeds);
    kivo::fuzz::PaletteSeeds(seeds);
    kivo::fuzz::SettingsSeeds(seeds);
    kivo::fuzz::WorldMapSeeds(seeds);
    kivo::fuzz::CleanSlateSeeds(seeds);
    kivo::fuzz::HistorySeeds(seeds);
    kivo::fuzz::PatchSeeds(seeds);
    kivo::fuzz::TextBankSeeds(seeds);
    kivo::fuzz::DumpSeeds(seeds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kivo-fuzz-seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
