// The demo image's world: metatile pictures and the map.

#include "demo/demo_image.h"

#include <array>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "demo/gfx_layout.h"
#include "demo/world_map_layout.h"
#include "model/gfx/tile_codec.h"
#include "model/map/encounters.h"
#include "model/map/tile_properties.h"
#include "model/map/world_map.h"

namespace kivo::demo {
namespace {

// A metatile drawn as 16 rows of 16 colour values 0..3 of its sub-palette.
using MetatileArt = std::array<std::string_view, 16>;

struct DemoMetatile {
  uint8_t number;
  int subPalette;  // the demo world palette: 0 sea, 1 grass, 2 earth, 3 sand
  MetatileArt art;
};

// clang-format off
const DemoMetatile kDemoMetatiles[] = {
    {kDemoSea, 0, {
        "2222222222222222",
        "2222222222222222",
        "2223322222222222",
        "2233223222222222",
        "2222222222222222",
        "2222222222233222",
        "2222222222332232",
        "2222222222222222",
        "2222222222222222",
        "2222332222222222",
        "2223223322222222",
        "2222222222222222",
        "2222222222222222",
        "2222222222223322",
        "2222222222233223",
        "2222222222222222",
    }},
    {kDemoShore, 3, {
        "3333333333333333",
        "3333323333333333",
        "3333333333332333",
        "3233333333333333",
        "3333333323333333",
        "3333333333333333",
        "3333233333333323",
        "3333333333333333",
        "3333333333333333",
        "3333333332333333",
        "3323333333333333",
        "3333333333333233",
        "3333332333333333",
        "3333333333333333",
        "3233333333233333",
        "3333333333333333",
    }},
    {kDemoGrass, 1, {
        "2222222222222222",
        "2222222222222222",
        "2212222222222222",
        "2131222222222222",
        "2222222222221222",
        "2222222222213122",
        "2222222222222222",
        "2222221222222222",
        "2222213122222222",
        "2222222222222222",
        "2222222222222212",
        "2212222222222131",
        "2131222222222222",
        "2222222221222222",
        "2222222213122222",
        "2222222222222222",
    }},
    {kDemoForest, 1, {
        "1112211111122111",
        "1123321111233211",
        "1233332112333321",
        "1233222112332221",
        "1222222112222221",
        "1122221111222211",
        "1110011111100111",
        "1110011111100111",
        "1111122111111221",
        "1111233211112332",
        "2111233332123333",
        "2112332221123322",
        "2112222221122222",
        "1111222211112222",
        "1111100111111001",
        "1111100111111001",
    }},
    {kDemoMountain, 2, {
        "3333333333333333",
        "3333333003333333",
        "3333330330333333",
        "3333303333033333",
        "3333022211103333",
        "3330222211110333",
        "3302222211111033",
        "3022222211111103",
        "0222222211111110",
        "2222222211111111",
        "2212222211112111",
        "2222222211111111",
        "2222122211111211",
        "2222222211111111",
        "2122222211211111",
        "1111111111111111",
    }},
    {kDemoTown, 3, {
        "2221122222211222",
        "2211112222111122",
        "2111111221111112",
        "1111111111111111",
        "2333333223333332",
        "2303303223033032",
        "2333303223333032",
        "2222222222222222",
        "2221122222211222",
        "2211112222111122",
        "2111111221111112",
        "1111111111111111",
        "2333333223333332",
        "2303303223033032",
        "2333303223333032",
        "2222222222222222",
    }},
};
// clang-format on

// The demo metatiles use tiles from here on, four each.
constexpr int kDemoMetatileFirstTile = 0xE8;

std::array<uint8_t, kTileBytes> TileOfArt(const MetatileArt& art, int quarter) {
  TilePixels pixels{};
  const int left = (quarter % 2) * kTileSize, top = (quarter / 2) * kTileSize;
  for (int r = 0; r < kTileSize; ++r) {
    for (int c = 0; c < kTileSize; ++c)
      pixels[r * kTileSize + c] = static_cast<uint8_t>(art[top + r][left + c] - '0');
  }
  return EncodeTile(pixels);
}

// How often each formation slot comes up; the last slots are the rare ones.
constexpr std::array<uint8_t, kSlotsPerIndex> kDemoSlotCounts = {12, 12, 10, 10, 8, 6, 4, 2};

struct DemoProperty {
  uint8_t metatile;
  uint8_t flags;
  uint8_t destination;
};
const DemoProperty kDemoProperties[] = {
    {kDemoSea, tile_flag::kNeedCanoe | tile_flag::kNoAirshipLanding, 0},
    {kDemoShore, 0, 0},
    {kDemoGrass, 0, 0},
    {kDemoForest, tile_flag::kForest, 0},
    {kDemoMountain, tile_flag::kNoAirshipLanding | tile_flag::kInsaneRate, 0},
    {kDemoTown, tile_flag::kTeleport | tile_flag::kNoEncounters, 1},
};

// Encounter domains, their formation slots and the slot distribution: each
// domain its own index, the Mysidia Tower table moving every domain to a
// tougher one.
void PlaceDemoEncounters(ImageBuilder& image) {
  for (int d = 0; d < kDomainCount; ++d) {
    const auto normal = static_cast<uint8_t>((d * 5) % 58);
    image.Byte(kDomainTableOffset + d, normal);
    image.Byte(kMysidiaDomainTableOffset + d, static_cast<uint8_t>(58 + normal));
  }
  for (int e = 0; e < kEncounterIndexCount; ++e) {
    for (int s = 0; s < kSlotsPerIndex; ++s) {
      auto slot = static_cast<uint8_t>((e + 9 * s) % 128);
      if (s == kSlotsPerIndex - 1 && e % 2 == 0)
        slot |= kSlotSecondFormationFlag;
      image.Byte(kEncounterSlotsOffset + kSlotsPerIndex * e + s, slot);
    }
  }
  std::size_t at = kSlotDistributionOffset;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    image.Fill(at, kDemoSlotCounts[s], static_cast<uint8_t>(s));
    at += kDemoSlotCounts[s];
  }
  for (const DemoProperty& p : kDemoProperties)
    image.Bytes(kTilePropertiesOffset + 2 * p.metatile, {p.flags, p.destination});
}

}  // namespace

void PlaceDemoWorld(ImageBuilder& image) {
  PlaceDemoWorldGraphics(image);
  // The metatiles the map is drawn with get pictures of what they stand for.
  int tile = kDemoMetatileFirstTile;
  for (const DemoMetatile& m : kDemoMetatiles) {
    std::array<uint8_t, 4> tiles{};
    for (int q = 0; q < 4; ++q, ++tile) {
      PlaceWorldTile(image, tile, TileOfArt(m.art, q));
      tiles[q] = static_cast<uint8_t>(tile);
    }
    PlaceMetatile(image, m.number, tiles, m.subPalette);
  }
  const auto grid = std::make_unique<WorldMapGrid>(DemoWorldMap());
  if (!PlaceWorldMap(image, *grid).written)
    throw std::logic_error("the demo world map does not fit");
  PlaceDemoEncounters(image);
}

}  // namespace kivo::demo
