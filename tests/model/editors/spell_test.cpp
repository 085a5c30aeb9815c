#include "model/editors/spell.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "model/core/settings.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Spell(int s) {
  return 0x305E9 + 7 * static_cast<std::size_t>(s);
}
constexpr std::size_t Record(int a) {
  return 0x30346 + 5 * static_cast<std::size_t>(a);
}

TEST(SpellData, ReadsAndWritesItsSevenBytesAndClamps) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Spell(69), {4, 80, 200, 0x82, 0x0A, 0x7F, 0xFF});
    const SpellData r = SpellData::Read(image.view(), 69);
    EXPECT_EQ(r, (SpellData{4, 80, 200, 0x82, 0x0A, 0x7F, 0xFF}));
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 69);
    EXPECT_EQ(image.Build(), before);  // an animation of 0xFF stays
  }

  ImageBuilder image;
  // Numbers are clamped to a byte; bit 0x01 of the ailments is always 0; a
  // type and an animation with no row are written as they are.
  SpellData{40, -3, 999, 0xFF, 0xFF, 0x80, 30}.Write(image.view(), 0);
  EXPECT_EQ(image.view().Bytes(Spell(0), 7),
            (std::vector<uint8_t>{40, 0, 255, 0xFF, 0xFE, 0x80, 30}));

  // Indexes outside 0..69 neither write (spell 70 would overlap what follows)
  // nor read another record.
  const std::vector<uint8_t> before = image.Build();
  SpellData{1, 1, 1, 1, 1, 1, 1}.Write(image.view(), 70);
  SpellData{1, 1, 1, 1, 1, 1, 1}.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(SpellData::Read(image.view(), 70), SpellData{});
}

TEST(SpellData, RowsOfTypesAnimationsAndAilmentBoxes) {
  EXPECT_EQ(kSpellTypeNames[3], "Inflicts permanent ailment");
  EXPECT_EQ(kSpellTypeNames[33], "Damage (Rock, Bow, Meteo)");
  EXPECT_EQ(SpellTypeRow(33), 33);
  EXPECT_EQ(SpellTypeRow(34), std::nullopt);
  EXPECT_EQ(AnimationRow(21), 21);
  EXPECT_EQ(AnimationRow(22), std::nullopt);
  EXPECT_EQ(AnimationRow(0xFF), std::nullopt);

  // Type 3: seven boxes; type 4: six, the box of bit 0x02 hidden; others none.
  EXPECT_TRUE(SpellAilmentFrameShown(3));
  EXPECT_TRUE(SpellAilmentFrameShown(4));
  EXPECT_FALSE(SpellAilmentFrameShown(1));
  EXPECT_FALSE(SpellAilmentFrameShown(-1));
  EXPECT_EQ(SpellAilmentCaption(3, 0), "Blind");
  EXPECT_EQ(SpellAilmentCaption(3, 6), "Death");
  EXPECT_FALSE(SpellAilmentBoxShown(4, 0));
  EXPECT_EQ(SpellAilmentCaption(4, 1), "Poison");
  EXPECT_EQ(SpellAilmentCaption(4, 6), "Confusion");
  EXPECT_FALSE(SpellAilmentBoxShown(1, 3));
  EXPECT_FALSE(SpellAilmentBoxShown(3, 7));
  EXPECT_EQ(SpellAilmentBit(0), 0x02);
  EXPECT_EQ(SpellAilmentBit(6), 0x80);
}

TEST(SpellRecord, ReadsWritesAndClampsItsFiveBytes) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Record(134), {0x00, 7, 95, 6, 12});
    const SpellRecord r = SpellRecord::Read(image.view(), 134);
    EXPECT_EQ(r, (SpellRecord{0x00, 7, 95, 6, 12}));
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 134);
    EXPECT_EQ(image.Build(), before);  // "Attack" stays 0x00
  }

  ImageBuilder image;
  SpellRecord{5, 0, 101, 9, -1}.Write(image.view(), 2);
  EXPECT_EQ(image.view().Bytes(Record(2), 5), (std::vector<uint8_t>{5, 1, 100, 9, 0}));
  SpellRecord{5, 40, -1, 1, 250}.Write(image.view(), 2);
  EXPECT_EQ(image.view().Bytes(Record(2), 5), (std::vector<uint8_t>{5, 16, 0, 1, 100}));

  const std::vector<uint8_t> before = image.Build();
  SpellRecord{}.Write(image.view(), 135);  // would be the first spell's data
  SpellRecord{}.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(SpellRecord::Read(image.view(), 135), SpellRecord{});
}

TEST(SpellRecord, RowsOfSpellsAndTargetingAndTheRowText) {
  // "Unused", "Attack", then the 70 spells: every byte 0..70 and 0xFF has a
  // row and comes back from it.
  EXPECT_EQ(AiSpellRow(0xFF), 0);
  EXPECT_EQ(AiSpellRow(0x00), 1);
  EXPECT_EQ(AiSpellRow(70), 71);
  EXPECT_EQ(AiSpellRow(71), std::nullopt);
  for (int b : {0, 1, 35, 70, 0xFF})
    EXPECT_EQ(AiSpellOfRow(*AiSpellRow(static_cast<uint8_t>(b))), b);
  EXPECT_EQ(AiSpellOfRow(72), 0xFF);

  EXPECT_EQ(TargetingRow(1), 0);
  EXPECT_EQ(TargetingRow(6), 5);
  EXPECT_EQ(TargetingRow(0), std::nullopt);
  EXPECT_EQ(TargetingRow(7), std::nullopt);
  EXPECT_EQ(TargetingOfRow(5), 6);
  EXPECT_EQ(kTargetingNames[5], "Caster party");

  SettingsBlock settings;
  settings.SetField(settings::kSpellNameCache, 0, "Attack");
  settings.SetField(settings::kSpellNameCache, 3, "Spark");
  EXPECT_EQ(SpellRecordText(settings, 3, 7), "Spark 7");
  EXPECT_EQ(SpellRecordText(settings, 0, 2), "Attack 2");
  EXPECT_EQ(SpellRecordText(settings, 0xFF, 2), "Unused");
  EXPECT_EQ(SpellRecordText(settings, 0x50, 9), "(raw value 0x50) 9");
}

}  // namespace
}  // namespace kivo
