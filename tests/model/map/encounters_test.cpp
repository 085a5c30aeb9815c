#include "model/map/encounters.h"

#include <vector>

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "model/map/tile_properties.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

TEST(Encounters, DomainsFollowTheCellAndBothTablesAreKeptApart) {
  EXPECT_EQ(DomainOfCell(100, 70), 19);
  for (auto builder : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    builder.Fill(kDomainTableOffset, 64, 3).Fill(kMysidiaDomainTableOffset, 64, 9);
    RomView rom = builder.view();
    DomainTable table = ReadDomainTable(rom, false);
    table[16] = 7;
    WriteDomainTable(rom, false, table);
    EXPECT_EQ(ReadDomainTable(rom, true)[16], 9);
    EXPECT_EQ(builder.bytes()[0x2C220 + builder.baseShift()], 7);
  }

  EXPECT_EQ(ClampEncounterIndex(-3), 0);
  EXPECT_EQ(ClampEncounterIndex(116), 115);
  EXPECT_EQ(ClampEncounterIndex(300), 115);  // not 300 & 0xFF = 44
}

TEST(Encounters, SlotsKeepFormationAndSecondFormationFlag) {
  ImageBuilder builder;
  builder.Bytes(kEncounterSlotsOffset + 8 * 5, {0x01, 0x85, 0x7F, 0xFF, 0, 0, 0, 0x80});
  RomView rom = builder.view();
  EncounterSlots slots = ReadEncounterSlots(rom, 5);
  EXPECT_EQ(slots[1], (EncounterSlot{5, true}));
  EXPECT_EQ(slots[3], (EncounterSlot{127, true}));
  slots[0] = {100, true};
  WriteEncounterSlots(rom, 5, slots);
  EXPECT_EQ(rom.Byte(kEncounterSlotsOffset + 40), 0xE4);
  EXPECT_EQ(rom.Byte(kEncounterSlotsOffset + 47), 0x80);
}

TEST(Encounters, DistributionIsReadAndStoredWithinItsSixtyFourBytes) {
  ImageBuilder builder;
  // 10 of each slot 0..5 and 4 more of 5; the bytes behind the table also
  // equal 5 and must not count.
  std::vector<uint8_t> table;
  for (int s = 0; s < 6; ++s)
    table.insert(table.end(), s == 5 ? 14 : 10, uint8_t(s));
  builder.Bytes(kSlotDistributionOffset, table).Fill(kSlotDistributionOffset + 64, 8, 5);
  RomView rom = builder.view();
  EXPECT_EQ(ReadSlotDistribution(rom), (SlotCounts{10, 10, 10, 10, 10, 14, 0, 0}));

  // Too many or negative counts never write past the table.
  WriteSlotDistribution(rom, {-5, 60, 30, 0, 0, 0, 0, 9});
  EXPECT_EQ(ReadSlotDistribution(rom), (SlotCounts{0, 60, 4, 0, 0, 0, 0, 0}));
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(rom.Byte(kSlotDistributionOffset + 64 + i), 5);
  EXPECT_EQ(NormaliseSlotCounts({0, 0, 0, 0, 0, 0, 0, 0}), (SlotCounts{64, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Encounters, SlotCountCorrectionAlwaysEnds) {
  EXPECT_EQ(CorrectedSlotCount({10, 10, 10, 10, 10, 10, 9, 0}, 6), 4);  // what is left
  EXPECT_EQ(CorrectedSlotCount({70, 0, 0, 0, 0, 0, 0, 5}, 7), 0);       // never below 0
  EXPECT_EQ(CorrectedSlotCount({-9, 0, 0, 0, 0, 0, 0, 3}, 0), 0);       // negative is 0
  EXPECT_EQ(CorrectedSlotCount({-9, 0, 0, 0, 0, 0, 0, 70}, 7), 64);
}

TEST(TileProperties, FlagsRateAndDestination) {
  ImageBuilder builder;
  builder.Bytes(kTilePropertiesOffset + 2 * 0x24, {0x80 | 0x40 | 0x20 | 0x10, 17});
  builder.Bytes(kTilePropertiesOffset + 2 * 0x25, {0x80 | 0x20, 31});
  builder.Bytes(kTilePropertiesOffset + 2 * 0x26, {0x05, 3});
  RomView rom = builder.view();
  const TileProperties a = TileProperties::Read(rom, 0x24);
  EXPECT_EQ(a.rate(), EncounterRate::None);
  EXPECT_EQ(a.DestinationRow(), 17);
  EXPECT_TRUE(a.Has(tile_flag::kForest));
  const TileProperties b = TileProperties::Read(rom, 0x25 + 128);  // metatiles wrap at 128
  EXPECT_EQ(b.rate(), EncounterRate::Insane);
  EXPECT_EQ(b.DestinationRow(), -1);  // above 30: no row
  const TileProperties c = TileProperties::Read(rom, 0x26);
  EXPECT_EQ(c.rate(), EncounterRate::Normal);
  EXPECT_TRUE(c.Has(tile_flag::kNeedCanoe) && c.Has(tile_flag::kNoAirshipLanding));
}

}  // namespace
}  // namespace kivo
