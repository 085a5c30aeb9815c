// The map kind: the decoded world map grid, the encounter domains, slots and
// distribution, and the tile properties.

#include <memory>

#include "model/dump/dump_table.h"
#include "model/gfx/metatiles.h"
#include "model/map/encounters.h"
#include "model/map/tile_properties.h"
#include "model/map/world_map.h"

namespace kivo::dump {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

std::unique_ptr<WorldMapGrid> DecodedGrid(const ConstRomView& view) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0);
  DecodeWorldMap(view, *grid);
  return grid;
}

// 256 rows of 512 hexadecimal digits, two a cell.
class GridTable final : public Table {
 public:
  std::string_view key() const override { return "grid"; }
  std::vector<DumpSpan> Spans() const override {
    return {{kRowPointerTableOffset, kMapDataEnd - kRowPointerTableOffset}};
  }
  void AppendBinary(const ConstRomView& view, std::vector<uint8_t>& out) const override {
    const auto grid = DecodedGrid(view);
    out.insert(out.end(), grid->begin(), grid->end());
  }

  Json Dump(const Scope& scope) const override {
    const auto grid = DecodedGrid(scope.view);
    Json rows = Json::array();
    std::string row(2 * kWorldMapSide, '0');
    for (int y = 0; y < kWorldMapSide; ++y) {
      for (int x = 0; x < kWorldMapSide; ++x) {
        const uint8_t cell = (*grid)[std::size_t(y * kWorldMapSide + x)];
        row[std::size_t(2 * x)] = kHexDigits[cell >> 4];
        row[std::size_t(2 * x + 1)] = kHexDigits[cell & 0x0F];
      }
      rows.push_back(row);
    }
    return rows;
  }

  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override {
    if (!plan.IsArray(value, path, std::size_t(kWorldMapSide)))
      return;
    auto grid = std::make_unique<WorldMapGrid>();
    bool good = true;
    for (int y = 0; y < kWorldMapSide; ++y) {
      const Json& row = value[std::size_t(y)];
      const std::string at = path + "[" + std::to_string(y) + "]";
      if (!row.is_string() || row.get_ref<const std::string&>().size() != 2 * kWorldMapSide) {
        plan.Problem(
            at, "must be a string of " + std::to_string(2 * kWorldMapSide) + " hexadecimal digits");
        good = false;
        continue;
      }
      const std::string& digits = row.get_ref<const std::string&>();
      for (int x = 0; x < kWorldMapSide; ++x) {
        const int high = HexValue(digits[std::size_t(2 * x)]);
        const int low = HexValue(digits[std::size_t(2 * x + 1)]);
        const int cell = high < 0 || low < 0 ? -1 : high << 4 | low;
        if (cell < 0 || cell > kMetatileMask) {
          plan.Problem(at, "cell " + std::to_string(x) + " holds \"" + digits.substr(2 * x, 2) +
                               "\", not a metatile 00..7F");
          good = false;
          break;
        }
        (*grid)[std::size_t(y * kWorldMapSide + x)] = static_cast<uint8_t>(cell);
      }
    }
    if (!good)
      return;
    plan.Loaded(1, "world map");
    // Bytes that decode to this map already stay as they are.
    if (*grid == *DecodedGrid(scope.view))
      return;
    auto scratch = std::make_shared<WorldMapEncoding>();
    const std::size_t size = CompressedSize(*grid, *scratch);
    if (size > kMapDataCapacity) {
      plan.Problem(path, WorldMapTooLargeText(size - kMapDataCapacity));
      return;
    }
    std::shared_ptr<const WorldMapGrid> shared = std::move(grid);
    plan.Add([shared, scratch](const RomView& rom) { WriteWorldMap(rom, *shared, *scratch); });
  }
};

// The eight slots' shares of the 64 distribution entries.
class DistributionTable final : public Table {
 public:
  std::string_view key() const override { return "slot_distribution"; }
  std::vector<DumpSpan> Spans() const override {
    return {{kSlotDistributionOffset, kSlotDistributionSize}};
  }
  Json Dump(const Scope& scope) const override {
    const SlotCounts counts = ReadSlotDistribution(scope.view);
    return Json(std::vector<int>(counts.begin(), counts.end()));
  }
  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override {
    if (!plan.IsArray(value, path, std::size_t(kSlotsPerIndex)))
      return;
    SlotCounts counts{};
    int sum = 0;
    bool good = true;
    for (int s = 0; s < kSlotsPerIndex; ++s) {
      const std::optional<int> n = plan.Number(
          value[std::size_t(s)], path + "[" + std::to_string(s) + "]", 0, kSlotDistributionSize);
      good = good && n;
      counts[std::size_t(s)] = n.value_or(0);
      sum += n.value_or(0);
    }
    if (!good)
      return;
    if (sum != kSlotDistributionSize) {
      plan.Problem(path, "the counts add up to " + std::to_string(sum) + ", not " +
                             std::to_string(kSlotDistributionSize));
      return;
    }
    plan.Loaded(1, "slot distribution");
    if (counts != ReadSlotDistribution(scope.view))
      plan.Add([counts](const RomView& rom) { WriteSlotDistribution(rom, counts); });
  }
};

std::unique_ptr<Table> Domains(std::string key, std::string noun, bool mysidia) {
  return std::make_unique<ValueTable>(ValueTable::Layout{
      .key = std::move(key),
      .noun = std::move(noun),
      .count = kDomainCount,
      .min = 0,
      .max = kEncounterIndexCount - 1,
      .read = [mysidia](const ConstRomView& v,
                        int d) { return int(ReadDomainTable(v, mysidia)[std::size_t(d)]); },
      .write =
          [mysidia](const RomView& v, int d, int index) {
            DomainTable table = ReadDomainTable(v, mysidia);
            table[std::size_t(d)] = static_cast<uint8_t>(index);
            WriteDomainTable(v, mysidia, table);
          },
      .spans = {{mysidia ? kMysidiaDomainTableOffset : kDomainTableOffset,
                 std::size_t(kDomainCount)}},
  });
}

}  // namespace

Tables MapTables() {
  Tables tables;
  tables.push_back(std::make_unique<GridTable>());
  tables.push_back(Domains("domains", "encounter domains", false));
  tables.push_back(Domains("mysidia_domains", "encounter domains after Mysidia", true));

  using S = EncounterSlots;
  tables.push_back(std::make_unique<RecordTable<S>>(RecordTable<S>::Layout{
      .key = "encounter_slots",
      .noun = "encounter slot sets",
      .first = 0,
      .count = kEncounterIndexCount,
      .read = [](const ConstRomView& v, int i) { return ReadEncounterSlots(v, i); },
      .write = [](const RomView& v, int i, const S& s) { WriteEncounterSlots(v, i, s); },
      .fields =
          {
              KIVO_DUMP_FIELD(S, "formations", kSlotsPerIndex, r[std::size_t(i)].formation, 0,
                              kSlotFormationMask),
              KIVO_DUMP_FIELD(S, "second_formation", kSlotsPerIndex,
                              r[std::size_t(i)].secondFormation, 0, 1),
          },
      .spans = {{kEncounterSlotsOffset, std::size_t(kSlotsPerIndex) * kEncounterIndexCount}},
  }));
  tables.push_back(std::make_unique<DistributionTable>());

  // Two bytes a metatile: its flags, then its teleport destination.
  using T = std::array<uint8_t, kTilePropertiesSize>;
  tables.push_back(std::make_unique<RecordTable<T>>(RecordTable<T>::Layout{
      .key = "tile_properties",
      .noun = "tile properties",
      .first = 0,
      .count = kMetatileCount,
      .read =
          [](const ConstRomView& v, int t) {
            const TileProperties p = TileProperties::Read(v, t);
            return T{p.flags, p.destination};
          },
      .write =
          [](const RomView& v, int t, const T& p) {
            v.SetBytes(kTilePropertiesOffset + kTilePropertiesSize * std::size_t(t), p);
          },
      .fields =
          {
              KIVO_DUMP_FIELD(T, "flags", 0, r[0], 0, 255),
              KIVO_DUMP_FIELD(T, "destination", 0, r[1], 0, 255),
          },
      .spans = {{kTilePropertiesOffset, kTilePropertiesSize * kMetatileCount}},
  }));
  return tables;
}

}  // namespace kivo::dump
