#include "model/editors/monster.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Record(int n) {
  return 0x307D3 + 10 * static_cast<std::size_t>(n);
}
constexpr std::size_t Hp(int i) {
  return 0x30CD3 + 2 * static_cast<std::size_t>(i);
}
constexpr std::size_t kHits = 0x30D13, kAccuracy = 0x30D23, kStrength = 0x30D33;
constexpr std::size_t kEffects = 0x30D43, kRaces = 0x30D53, kResists = 0x30D63;
constexpr std::size_t kElements = 0x30D73, kPacks = 0x30D83;
constexpr std::size_t kSpoilsIndex = 0x17790, kSpoils = 0x17810, kGil = 0x179F0;

TEST(MonsterRecord, ReadsNibblesAndKeepsBytesWithoutARow) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Record(127), {0x3A, 40, 0x1F, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE})
        .Byte(kSpoilsIndex + 127, 0x80);
    const MonsterRecord r = MonsterRecord::Read(image.view(), 127);
    EXPECT_EQ(r.aiPack, 0x3A);  // pack 58: no such pack, kept
    EXPECT_EQ(r.hpIndex, 40);
    EXPECT_EQ(r.mpIndex, 0x1F);
    // The fourteen nibbles in record order, from the high nibble of byte 3.
    using enum MonsterIndex;
    const MonsterIndex order[] = {Hits,      Accuracy,    Strength,     EffectSet,  Blocks,
                                  Evade,     Defence,     MagicDefence, MagicEvade, RaceSet,
                                  ResistSet, WeaknessSet, Morale,       AbsorbSet};
    for (int k = 0; k < 14; ++k)
      EXPECT_EQ(r.index(order[k]), k + 1) << k;
    EXPECT_EQ(r.spoilsSet, 0x80);

    // Written back unchanged, nothing changes.
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 127);
    MonsterFields::Read(image.view(), 127).Write(image.view(), 127);
    EXPECT_EQ(image.Build(), before);
  }
}

TEST(MonsterRecord, WriteClampsNibblesAndStaysInsideTheTable) {
  ImageBuilder image;
  MonsterRecord r;
  r.index(MonsterIndex::Hits) = 16;
  r.index(MonsterIndex::Accuracy) = 0xFF;
  r.index(MonsterIndex::AbsorbSet) = 3;
  r.spoilsSet = 12;
  r.Write(image.view(), 0);
  EXPECT_EQ(image.view().Byte(Record(0)), 0xFF);
  EXPECT_EQ(image.view().Byte(Record(0) + 3), 0xFF);
  EXPECT_EQ(image.view().Byte(Record(0) + 9), 0x03);
  EXPECT_EQ(image.view().Byte(kSpoilsIndex), 12);

  const std::vector<uint8_t> before = image.Build();
  for (int monster : {-1, 128, 1000}) {
    r.Write(image.view(), monster);
    MonsterFields{}.Write(image.view(), monster);
    EXPECT_EQ(MonsterRecord::Read(image.view(), monster), MonsterRecord{});
  }
  EXPECT_EQ(image.Build(), before);

  // The remembered row selects row 0 when it lies outside the list.
  EXPECT_EQ(MonsterOfRow(127), 127);
  EXPECT_EQ(MonsterOfRow(128), 0);
  EXPECT_EQ(MonsterOfRow(-1), 0);
  EXPECT_EQ(MonsterOfRow(0x7FFFFFFF), 0);
}

// A monster whose every index selects entry `i` (HP and MP too).
ImageBuilder& SameIndexes(ImageBuilder& image, int n, uint8_t i) {
  const auto both = static_cast<uint8_t>(i << 4 | i);
  return image.Bytes(Record(n), {0xFF, i, i, both, both, both, both, both, both, both});
}

TEST(MonsterFields, ShowsTheSelectedEntries) {
  ImageBuilder image;
  image.Bytes(Record(3), {2, 4, 5, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE})
      .Word(Hp(4), 1500)
      .Word(Hp(5), 60)
      .Bytes(kHits, {0, 11, 0, 0, 0, 0, 0, 0, 18})  // Hits 1, M.Def 8
      .Byte(kAccuracy + 2, 22)
      .Byte(kStrength + 3, 33)
      .Byte(kStrength + 7, 37)
      .Byte(kStrength + 13, 43)
      .Byte(kEffects + 4, 0x05)
      .Byte(kRaces + 10, 0x81)
      .Byte(kResists + 11, 0x02)
      .Byte(kElements + 12, 0x04)
      .Byte(kElements + 14, 0x40)
      .Bytes(kPacks + 16, {0, 1, 2, 3, 4, 5, 6, 135})
      .Byte(kSpoilsIndex + 3, 7)
      .Bytes(kSpoils + 56, {0x05, 0xF3, 0xC7, 0})
      .Word(kGil + 6, 250);
  const MonsterFields f = MonsterFields::Read(image.view(), 3);
  EXPECT_EQ(f.hp, 1500);
  EXPECT_EQ(f.mp, 60);
  EXPECT_EQ(f.stat(MonsterStat::Hits), 11);
  EXPECT_EQ(f.stat(MonsterStat::MagicDefence), 18);
  EXPECT_EQ(f.stat(MonsterStat::Accuracy), 22);
  EXPECT_EQ(f.stat(MonsterStat::Strength), 33);
  EXPECT_EQ(f.stat(MonsterStat::Defence), 37);
  EXPECT_EQ(f.stat(MonsterStat::Morale), 43);
  EXPECT_EQ(f.effect, 0x05);
  EXPECT_EQ(f.race, 0x81);
  EXPECT_EQ(f.resist, 0x02);
  EXPECT_EQ(f.weakness, 0x04);
  EXPECT_EQ(f.absorb, 0x40);
  EXPECT_EQ(f.actions, (GroupSlots{0, 1, 2, 3, 4, 5, 6, 135}));
  EXPECT_EQ(f.spoils[0], (SpoilsSlot{0x05, 0}));
  EXPECT_EQ(f.spoils[1], (SpoilsSlot{0xF3, 250}));
  EXPECT_EQ(f.spoils[2], (SpoilsSlot{0xC7, 0}));

  // Race and resist sets go back to their own tables.
  MonsterFields changed = f;
  changed.race = 0x0F;
  changed.resist = 0xF0;
  changed.Write(image.view(), 3);
  EXPECT_EQ(image.view().Byte(kRaces + 10), 0x0F);
  EXPECT_EQ(image.view().Byte(kResists + 11), 0xF0);

  // Indexes without an entry read as 0 rather than the next table's bytes.
  image.Byte(Record(3) + 1, 32).Byte(Record(3), 60).Byte(kSpoilsIndex + 3, 60);
  const MonsterFields odd = MonsterFields::Read(image.view(), 3);
  EXPECT_EQ(odd.hp, 0);
  EXPECT_EQ(odd.actions, GroupSlots{});
  EXPECT_EQ(odd.spoils[1], SpoilsSlot{});
}

// Actions, spoils and the gil amounts as the page stores them are pinned in
// monster_page_test; here, indexes with no entry address nothing.
TEST(MonsterFields, IndexesWithoutAnEntryWriteNothingBehindTheTables) {
  ImageBuilder image;
  SameIndexes(image, 5, 0).Byte(Record(5), 3).Byte(kSpoilsIndex + 5, 2);
  const RomView view = image.view();
  MonsterFields f = MonsterFields::Read(view, 5);
  f.actions = {1, 1, 1, 1, 1, 1, 1, 1};

  // A pack or spoils set index with no entry is stored as it is and
  // addresses nothing: the bytes behind the tables stay.
  image.Fill(kPacks + 58 * 8, 16, 0xAA);
  const std::vector<uint8_t> gil = view.Bytes(kGil, 32);
  f.record.aiPack = 58;
  f.record.spoilsSet = 60;
  f.spoils[0] = {0xF0, 1};
  f.Write(view, 5);
  EXPECT_EQ(view.Byte(Record(5)), 58);
  EXPECT_EQ(view.Byte(kSpoilsIndex + 5), 60);
  EXPECT_EQ(view.Bytes(kPacks + 58 * 8, 16), std::vector<uint8_t>(16, 0xAA));
  EXPECT_EQ(view.Bytes(kGil, 32), gil);

  // An HP index with no entry is stored, its value nowhere.
  const std::vector<uint8_t> hits = view.Bytes(kHits, 16);
  f.record.hpIndex = 32;
  f.hp = 0x4242;
  f.Write(view, 5);
  EXPECT_EQ(view.Byte(Record(5) + 1), 32);
  EXPECT_EQ(view.Bytes(kHits, 16), hits);
}

}  // namespace
}  // namespace kivo
