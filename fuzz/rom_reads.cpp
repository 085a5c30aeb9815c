#include "rom_reads.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "model/core/ines_header.h"
#include "model/core/version.h"
#include "model/gfx/metatiles.h"
#include "model/gfx/tile_canvas.h"
#include "model/map/encounters.h"
#include "model/map/tile_properties.h"
#include "model/map/world_map.h"
#include "model/text/codec.h"
#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/spell_names.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"

namespace kivo::fuzz {
namespace {

std::span<const uint8_t> Image(const RomReadContext& c) {
  return c.document.image();
}

uint32_t Shift(const RomReadContext& c) {
  return c.document.baseShift();
}

void ReadRelease(RomReadContext& c) {
  const auto image = Image(c);
  IdentifyVersion(image, Shift(c));
  if (const std::optional<int> row = MatchRelease(image, Shift(c)))
    c.Expect(*row >= 0 && *row < kReleaseCount, "a matched release is a row of the table");
  const InesHeader header = DecodeInesHeader(image);
  const std::size_t held = std::min<std::size_t>(image.size(), header.bytes.size());
  c.Expect(std::equal(header.bytes.begin(), header.bytes.begin() + held, image.begin()),
           "the header shows the image's first bytes");
  c.Expect(!header.magic || image.size() >= kHeaderSize, "a short image has no valid header");
}

void ReadKeywordCache(RomReadContext& c) {
  BuildKeywordNames(Image(c), Shift(c), c.dteTable, c.settings);
  c.Expect(c.settings.Field(settings::kKeywordNameCache, 0).empty(), "keyword 0 is empty");
  for (int i = 1; i < settings::kKeywordNameCache.count; ++i) {
    c.Expect(c.settings.Field(settings::kKeywordNameCache, i).size() <= kKeywordNameBytes,
             "a keyword name fits its field");
  }
}

void ReadSpellCache(RomReadContext& c) {
  RebuildSpellNameCache(Image(c), Shift(c), c.dteTable, c.settings);
  c.Expect(SpellCacheName(c.settings, 0) == kAttackName, "spell cache field 0 is Attack");
  for (int i = 0; i <= settings::kSpellNameCache.count; ++i)
    c.Expect(SpellCacheName(c.settings, i).size() <= kSpellNameBytes, "a spell name fits");
}

void ReadNameTables(RomReadContext& c) {
  const PointerTable tables[] = {
      kItemNameTable,
      kSpellNameTable,
      kMonsterNameTable,
      kBattleMessageTable,
      ItemNameRange(kItemIds),
      ItemNameRange(kWeaponIds),
      ItemNameRange(kArmourIds),
      ItemNameRange(kSpellScrollIds),
      ItemNameRange(kSpellIds),
      ItemNameRange(kMiscellaneousWordIds),
      ItemNameRange(kKeywordIds),
      ItemNameRange(kAllItemIds),
  };
  for (const PointerTable& table : tables) {
    const auto names = DecodeNames(Image(c), Shift(c), table, c.dteTable);
    c.Expect(names.size() == static_cast<std::size_t>(table.count), "one name per entry");
  }
}

// One category of the Text page: its list rows, and every entry read, shown
// and planned as a store with no edit would plan it.
void ReadTextCategory(RomReadContext& c, int category) {
  const KeywordNames keywords = ReadKeywordNames(c.settings);
  const TextCategory& info = GetTextCategory(category);
  const std::vector<std::string> rows =
      EntryRowTexts(Image(c), Shift(c), category, c.dteTable, c.settings);
  const int expected = info.kind == CategoryKind::NotEditable ? 0 : info.rows;
  c.Expect(rows.size() == static_cast<std::size_t>(expected), "one list row per entry");
  for (int row = 0; row < expected; ++row) {
    const TextEntry entry = ReadTextEntry(Image(c), Shift(c), category, row, c.dteTable, keywords);
    c.Expect(entry.location.pointerLocation ==
                 (entry.location.hasPointer ? PointerLocation(category, row, Shift(c)) : 0),
             "the entry's pointer is where the page shows it");
    // The Text page shows the entry; browsing on must not write a byte.
    const ShownEntry shown = ShowTextEntry(Image(c), Shift(c), category, row, c.dteTable, keywords);
    c.Expect(shown.storedBytes <= Image(c).size(), "the stored text lies in the image");
    const EntryWrite unchanged =
        PlanEntryWrite(Image(c).size(), shown, shown.boxes, c.standardTable, keywords);
    c.Expect(!unchanged.pointer && !unchanged.text, "an unedited entry writes nothing");
    if (info.kind != CategoryKind::Dialogue) {
      c.Expect(!entry.finger, "only dialogue has a finger value");
      c.Expect(row < static_cast<int>(rows.size()) && entry.text == rows[row],
               "the list row and the edit box show the same text");
    }
  }
}

template <int category>
void ReadCategory(RomReadContext& c) {
  ReadTextCategory(c, category);
}

template <std::size_t... categories>
constexpr auto CategoryReads(std::index_sequence<categories...>) {
  return std::array{
      RomRead{"text category", ReadCategory<int(categories)>, ReadSet::Text, true}...};
}

void ReadLabelLists(RomReadContext& c) {
  for (int id = 0; id < kLabelSetCount; ++id) {
    const LabelSet& set = GetLabelSet(static_cast<LabelSetId>(id));
    c.Expect(RowTexts(c.settings, set).size() == static_cast<std::size_t>(set.rows),
             "one row per label field");
  }
}

void ReadWorldMap(RomReadContext& c) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0);
  DecodeWorldMap(c.document.view(), *grid);
  c.Expect(std::all_of(grid->begin(), grid->end(), [](uint8_t m) { return m <= kMetatileMask; }),
           "every decoded cell is a metatile number");
  // The map page shows the free room, so it encodes what it decoded; the
  // encoding must give the same map back.
  auto encoding = std::make_unique<WorldMapEncoding>();
  const std::size_t size = CompressedSize(*grid, *encoding);
  c.Expect(size <= kEncodedMapCapacity, "the encoding fits its buffer");
  auto again = std::make_unique<WorldMapGrid>();
  DecodeEncodedMap(*encoding, *again);
  c.Expect(*again == *grid, "the map decodes to itself after encoding");
  FreeMapBytes(size);
}

void ReadMetatiles(RomReadContext& c) {
  const ConstRomView view = c.document.view();
  const MetatileSet set = MetatileSet::Read(view);
  TileCanvas canvas(kMetatileCanvasWidth, kMetatileCanvasHeight);
  DrawMetatiles(canvas, c.palette, view, set);
  const auto pixels = canvas.pixels();
  c.Expect(
      std::all_of(pixels.begin(), pixels.end(), [](uint8_t p) { return p < kCanvasColourCount; }),
      "every metatile pixel has a colour");
  TileCanvas sheet(kSheetSize, kSheetSize);
  sheet.DrawSheet(ReadWorldTiles(view), 0);
}

void ReadEncounters(RomReadContext& c) {
  const ConstRomView view = c.document.view();
  for (const bool mysidia : {false, true})
    (void)ReadDomainTable(view, mysidia);
  for (int index = -1; index <= kEncounterIndexCount; ++index) {
    for (const EncounterSlot& slot : ReadEncounterSlots(view, index))
      c.Expect(slot.formation >= 0 && slot.formation <= kSlotFormationMask,
               "a slot names a formation");
  }
  const SlotCounts counts = ReadSlotDistribution(view);
  int sum = 0;
  for (const int n : counts)
    sum += n;
  c.Expect(sum <= kSlotDistributionSize, "the slot counts share the 64 entries");
  c.Expect(NormaliseSlotCounts(counts) == NormaliseSlotCounts(NormaliseSlotCounts(counts)),
           "stored counts read back as they were stored");
  for (int metatile = -1; metatile <= 2 * kMetatileCount; ++metatile) {
    const TileProperties properties = TileProperties::Read(view, metatile);
    const int row = properties.DestinationRow();
    c.Expect(row >= -1 && row < kTeleportDestinationCount, "a destination is a row or none");
    (void)properties.rate();
  }
}

// The caches come first: the name lists and dialogue read them. A page that
// lands adds a read of every record it shows (every index, through the
// record's read) with the checks its lists rely on.
constexpr std::array kFirstReads = {
    RomRead{"release and header", ReadRelease, ReadSet::Image},
    RomRead{"keyword name cache", ReadKeywordCache, ReadSet::Caches, true},
    RomRead{"spell name cache", ReadSpellCache, ReadSet::Caches, true},
    RomRead{"name tables", ReadNameTables, ReadSet::Text, true},
};
// One read a category, so that the text harness reads one category an input.
constexpr auto kCategoryReads = CategoryReads(std::make_index_sequence<kTextCategoryCount>());
constexpr std::array kLastReads = {
    RomRead{"label lists", ReadLabelLists, ReadSet::Text},
    RomRead{"world map", ReadWorldMap, ReadSet::Map},
    RomRead{"metatiles", ReadMetatiles, ReadSet::Map},
    RomRead{"encounters and tile properties", ReadEncounters, ReadSet::Map},
    RomRead{"editor records", ReadEditorRecords, ReadSet::Editors},
};

template <std::size_t... n>
constexpr std::array<RomRead, (n + ...)> Join(const std::array<RomRead, n>&... parts) {
  std::array<RomRead, (n + ...)> all{};
  std::size_t at = 0;
  for (const std::span<const RomRead> part : {std::span<const RomRead>(parts)...}) {
    for (const RomRead& read : part)
      all[at++] = read;
  }
  return all;
}

constexpr auto kReads = Join(kFirstReads, kCategoryReads, kLastReads);

}  // namespace

void RomReadContext::Expect(bool holds, std::string_view what) {
  if (!holds)
    problems.emplace_back(what);
}

std::span<const RomRead> RomReads() {
  return kReads;
}

std::vector<const RomRead*> ReadsOf(ReadSet group) {
  std::vector<const RomRead*> reads;
  for (const RomRead& read : kReads) {
    if (read.group == group)
      reads.push_back(&read);
  }
  return reads;
}

void RunRomReads(RomReadContext& context, bool withText) {
  for (const RomRead& read : RomReads()) {
    if (withText || !read.decodesText)
      read.run(context);
  }
}

}  // namespace kivo::fuzz
