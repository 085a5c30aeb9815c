#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <regex>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/rom_document.h"
#include "model/dump/dump.h"
#include "model/editors/character.h"
#include "model/editors/monster.h"
#include "model/editors/shop.h"
#include "model/map/world_map.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"

namespace kivo {
namespace {

using Json = nlohmann::ordered_json;

const std::vector<DumpKind> kGameKinds = {DumpKind::Armor, DumpKind::Character, DumpKind::Formation,
                                          DumpKind::Map,   DumpKind::Monster,   DumpKind::Shop,
                                          DumpKind::Spell, DumpKind::Weapon};

struct Tables {
  CharTable standard = demo::DemoStandardTable();
  CharTable dte = demo::DemoDteTable();
  DumpContext context{&standard, &dte, nullptr};
};
const Tables& Demo() {
  static const Tables tables;
  return tables;
}

RomDocument Image(std::vector<uint8_t> bytes) {
  RomDocument document;
  document.Adopt(std::move(bytes), "game.nes");
  return document;
}

std::string Dump(const RomDocument& document, const std::vector<DumpKind>& kinds) {
  const DumpOutput out = DumpJson(document, kinds, Demo().context);
  EXPECT_EQ(out.error, "");
  return out.text;
}

DumpLoad Plan(const RomDocument& document, const std::string& text, bool allowOverflow = false) {
  return PlanDumpLoad(document, text, Demo().context, allowOverflow);
}

// Loads `text` into `document`, which must take it; returns what changed.
ByteChange Load(RomDocument& document, const std::string& text, bool allowOverflow = false) {
  const DumpLoad load = Plan(document, text, allowOverflow);
  EXPECT_TRUE(load.ok()) << load.ProblemText();
  return document.Apply([&](const RomView& rom) { load.Apply(rom); });
}

// "monster.records[12].hp_index" as a JSON pointer.
Json::json_pointer PointerOf(const std::string& path) {
  static const std::regex part(R"(([a-z_0-9]+)|\[(\d+)\])");
  std::string pointer;
  for (auto it = std::sregex_iterator(path.begin(), path.end(), part); it != std::sregex_iterator();
       ++it)
    pointer += "/" + ((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
  return Json::json_pointer(pointer);
}

// The demo image with every number of the game data at random within its
// field's range, as a load's refusals name the ranges.
RomDocument RandomGame(unsigned seed) {
  RomDocument document = Image(demo::BuildDemoImage());
  Json doc = Json::parse(Dump(document, kGameKinds));
  std::mt19937 rng(seed);
  std::function<void(Json&, const std::string&)> shuffle = [&](Json& v, const std::string& key) {
    if (key == "index" || key == "kivo" || key == "rom" || key == "slot_distribution" ||
        key == "grid")
      return;
    if (v.is_number())
      v = rng() % 0x10000;
    if (!v.is_structured())
      return;
    for (auto& [k, item] : v.items())
      shuffle(item, v.is_object() ? k : key);
  };
  shuffle(doc, "");
  static const std::regex outside(R"((\S+): \d+ is outside (\d+)\.\.(\d+)(?: or (\d+))?)");
  static const std::regex unstored(R"((\S+): (\d+) sets bits the field does not store \((\d+)\))");
  // A value brought into range may still set bits its field does not store.
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& problem : Plan(document, doc.dump()).problems) {
      std::smatch m;
      if (std::regex_match(problem, m, unstored)) {
        doc[PointerOf(m[1])] = std::stoul(m[2]) & ~std::stoul(m[3]);
      } else if (std::regex_match(problem, m, outside)) {
        const unsigned low = std::stoul(m[2]), high = std::stoul(m[3]);
        doc[PointerOf(m[1])] =
            m[4].matched && rng() % 8 == 0 ? std::stoul(m[4]) : low + rng() % (high - low + 1);
      } else {
        ADD_FAILURE() << problem;
      }
    }
  }
  doc["map"]["slot_distribution"] = {rng() % 20, 8, 8, 8, 8, 8, 8, 0};
  doc["map"]["slot_distribution"][7] = 64 - 48 - doc["map"]["slot_distribution"][0].get<int>();
  Load(document, doc.dump());
  return document;
}

// Whether each byte of a standalone image is the kind's.
std::vector<bool> Covered(DumpKind kind) {
  std::vector<bool> covered(kStandaloneSize);
  for (const DumpSpan& s : DumpSpans(kind))
    std::fill_n(covered.begin() + std::ptrdiff_t(s.offset), s.length, true);
  return covered;
}

TEST(Dump, LoadingAnImagesOwnDumpWritesNothing) {
  for (RomDocument document : {Image(demo::BuildDemoImage()), RandomGame(1)}) {
    const std::vector<uint8_t> before(document.image().begin(), document.image().end());
    std::vector<std::vector<DumpKind>> runs = {{kDumpKinds.begin(), kDumpKinds.end()}};
    for (DumpKind kind : kDumpKinds)
      runs.push_back({kind});
    for (const auto& kinds : runs) {
      const std::string text = Dump(document, kinds);
      const DumpLoad load = Plan(document, text);
      ASSERT_TRUE(load.ok()) << load.ProblemText();
      EXPECT_FALSE(load.otherRom);
      EXPECT_EQ(load.changedBytes, 0u);
      EXPECT_TRUE(Load(document, text).empty());
      EXPECT_EQ(Dump(document, kinds), text);
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), document.image().begin()));
  }
}

TEST(Dump, AnotherImagesDumpCopiesItsTablesAndNothingElse) {
  const RomDocument a = RandomGame(2);
  RomDocument b = RandomGame(3);
  const std::vector<uint8_t> before(b.image().begin(), b.image().end());
  for (DumpKind kind : kGameKinds) {
    SCOPED_TRACE(std::string(DumpKindKey(kind)));
    const std::string text = Dump(a, {kind});
    EXPECT_TRUE(Plan(b, text).otherRom);
    const ByteChange change = Load(b, text);
    const std::vector<bool> covered = Covered(kind);
    for (std::size_t i = 0; i < before.size(); ++i) {
      // The map's rows are compared decoded (its dump holds no bytes of the encoding).
      const bool rows = kind == DumpKind::Map && i >= kRowPointerTableOffset && i < kMapDataEnd;
      if (!covered[i])
        ASSERT_EQ(b.image()[i], before[i]) << std::hex << i;
      else if (!rows)
        ASSERT_EQ(b.image()[i], a.image()[i]) << std::hex << i;
    }
    b.Undo(change);
  }
  // Dump, load and dump again: the same text but for the image's checksum.
  const std::string all = Dump(a, {kDumpKinds.begin(), kDumpKinds.end()});
  Load(b, all);
  const auto body = [](const std::string& t) { return t.substr(t.find('\n', t.find("\"rom\""))); };
  EXPECT_TRUE(body(Dump(b, {kDumpKinds.begin(), kDumpKinds.end()})) == body(all));
}

TEST(Dump, OneChangedNumberChangesExactlyItsBytes) {
  RomDocument document = Image(demo::BuildDemoImage());
  const Json doc = Json::parse(Dump(document, kGameKinds));
  struct Case {
    std::string pointer;
    int value;
    std::size_t offset, length;
  };
  const Case cases[] = {
      {"/monster/records/12/hp_index", 7, kMonsterRecords + 12 * kMonsterRecordSize + 1, 1},
      {"/character/records/3/hp_max", 0x1234, CharacterRecordOffset(3) + character::kHpMax, 2},
      {"/shop/prices/200/price", 0xABCD, kPriceTable + 400, 2},
      {"/map/domains/5", 99, 0x2C210 + 5, 1},
  };
  for (const Case& c : cases) {
    Json changed = doc;
    changed[Json::json_pointer(c.pointer)] = c.value;
    const ByteChange change = Load(document, changed.dump());
    ASSERT_EQ(change.runCount(), 1u) << c.pointer;
    EXPECT_EQ(change.runs()[0].offset, c.offset) << c.pointer;
    EXPECT_EQ(change.changedBytes(), c.length) << c.pointer;
    document.Undo(change);
  }
}

TEST(Dump, TextIsStoredByTheTextPagesRules) {
  RomDocument document = Image(demo::BuildDemoImage());
  Json doc = Json::parse(Dump(document, {DumpKind::Text}));
  Json& entries = doc["text"]["entries"];
  const std::string first = entries[0]["text"];
  const auto text = [&](int category, int row) {
    return ReadTextEntry(document.image(), 0, category, row, Demo().dte, {}).text;
  };
  // A shorter text is written in place; only that entry's bytes change.
  entries[0]["text"] = first.substr(0, 2);
  const DumpLoad shorter = Plan(document, doc.dump());
  ASSERT_TRUE(shorter.ok()) << shorter.ProblemText();
  EXPECT_EQ(shorter.Summary(), "Load 1 kind: 1152 text entries: 1 byte changes.");
  Load(document, doc.dump());
  EXPECT_EQ(text(0, 0), first.substr(0, 2));
  EXPECT_EQ(text(0, 1), entries[1]["text"]);
  // A longer one overwrites what follows only when allowed. (Dialogue shows
  // item names as keywords: the dump is made again from the image as it is.)
  doc = Json::parse(Dump(document, {DumpKind::Text}));
  doc["text"]["entries"][0]["text"] = first + first;
  const DumpLoad longer = Plan(document, doc.dump());
  ASSERT_EQ(longer.overflows.size(), 1u) << longer.ProblemText();
  EXPECT_FALSE(longer.ok());
  EXPECT_NE(longer.ProblemText().find("text.entries[0] (Items 0): needs"), std::string::npos);
  Load(document, doc.dump(), true);
  EXPECT_EQ(text(0, 0), first + first);
}

TEST(Dump, MakeRoomGivesTextsThatGrowTheirBanksFreeBytesOrRefusesByHowMuch) {
  RomDocument document = Image(demo::BuildDemoImage());
  const std::vector<uint8_t> before(document.image().begin(), document.image().end());
  Json doc = Json::parse(Dump(document, {DumpKind::Text}));
  Json& entries = doc["text"]["entries"];
  const std::string a = entries[3]["text"], b = entries[7]["text"];
  entries[3]["text"] = a + "xyz";
  entries[7]["text"] = b + "xy";
  const DumpLoad load = PlanDumpLoad(document, doc.dump(), Demo().context, false, true);
  ASSERT_TRUE(load.ok()) << load.ProblemText();
  document.Apply([&](const RomView& rom) { load.Apply(rom); });
  const auto text = [&](int row) {
    return ReadTextEntry(document.image(), 0, 0, row, Demo().dte, {}).text;
  };
  EXPECT_EQ(text(3), a + "xyz");
  EXPECT_EQ(text(7), b + "xy");
  EXPECT_EQ(text(4), entries[4]["text"]);

  RomDocument fresh = Image(before);
  entries[3]["text"] = a + std::string(200, 'x');
  const DumpLoad tooLarge = PlanDumpLoad(fresh, doc.dump(), Demo().context, false, true);
  EXPECT_FALSE(tooLarge.ok());
  EXPECT_NE(tooLarge.ProblemText().find("text: Bank 0x20010 needs "), std::string::npos)
      << tooLarge.ProblemText();
}

TEST(Dump, RefusedLoadsNameEveryProblemAndChangeNothing) {
  const RomDocument document = Image(demo::BuildDemoImage());
  const std::string good = Dump(document, kGameKinds);
  const auto problems = [&](const std::function<void(Json&)>& edit) {
    Json doc = Json::parse(good);
    edit(doc);
    const DumpLoad load = Plan(document, doc.dump());
    EXPECT_FALSE(load.ok());
    EXPECT_TRUE(load.edits.empty());
    return load.ProblemText();
  };
  EXPECT_EQ(problems([](Json& d) { d["monster"]["records"][12]["hp_index"] = 40; }),
            "monster.records[12].hp_index: 40 is outside 0..31\n");
  EXPECT_EQ(problems([](Json& d) {
              d["weapon"]["records"][1]["attack"] = -1;
              d["armor"]["records"][0]["colour"] = 1;
              d["shop"]["records"][0]["items"] = {1, 2};
              d["map"]["slot_distribution"][0] = 9;
              d["map"]["grid"][2] = "12";
              d["spell"]["records"][3]["power"] = 2.5;
              d["formation"]["records"].push_back(d["formation"]["records"][0]);
              d["character"]["records"][0].erase("soul");
              d["mosnter"] = Json::object();
              d["kivo"] = 2;
            }),
            "kivo: must be 1, the dump version\n"
            "armor.records[0].colour: unknown key\n"
            "character.records[0].soul: missing\n"
            "formation.records[128].index: record 0 is listed twice\n"
            "map.grid[2]: must be a string of 512 hexadecimal digits\n"
            "map.slot_distribution: the counts add up to 61, not 64\n"
            "shop.records[0].items: must hold 4 values, not 2\n"
            "spell.records[3].power: 2.5 is not a whole number\n"
            "weapon.records[1].attack: -1 is outside 0..255\n"
            "mosnter: unknown key\n");
  const std::string many = problems([](Json& d) {
    for (int i = 0; i < 25; ++i)
      d["monster"]["records"][i]["ai_pack"] = 60;
  });
  EXPECT_EQ(many.substr(0, many.find('\n')),
            "monster.records[0].ai_pack: 60 is outside 0..57 or 255");
  EXPECT_EQ(many.substr(many.rfind("...")), "... and 5 more\n");
  for (const std::string& bad :
       std::vector<std::string>{"", "{", "[1]", "{\"kivo\": 1}", std::string(40, '[')}) {
    const DumpLoad load = Plan(document, bad);
    EXPECT_FALSE(load.ok()) << bad;
  }
  Json text = Json::parse(Dump(document, {DumpKind::Text}));
  text["text"]["entries"][0]["text"] = "\xE2\x82\xAC";
  EXPECT_EQ(Plan(document, text.dump()).ProblemText(),
            "text.entries[0].text: the tables cannot write \"\xE2\x82\xAC\"\n");
  EXPECT_EQ(PlanDumpLoad(document, text.dump(), {}, false).problems.size(), 1u);
}

TEST(Dump, BinaryDumpsAreTheKindsBytes) {
  const RomDocument document = RandomGame(4);
  const std::vector<uint8_t> map = DumpBinary(document, DumpKind::Map);
  WorldMapGrid grid{};
  DecodeWorldMap(document.view(), grid);
  ASSERT_GT(map.size(), kWorldMapCells);
  EXPECT_TRUE(std::equal(grid.begin(), grid.end(), map.begin()));
  const std::vector<uint8_t> shop = DumpBinary(document, DumpKind::Shop);
  const auto records = document.view().Bytes(kShopRecords, kShopRecordSize * kShopCount);
  EXPECT_EQ(shop.size(), records.size() + kPriceTableSize + kStartingGilSize);
  EXPECT_TRUE(std::equal(records.begin(), records.end(), shop.begin()));
}

}  // namespace
}  // namespace kivo
