#include "model/editors/character.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/text_layout.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t kRecord3 = 0xF90 + 0x80 * 3;

TEST(CharacterRecord, ReadsEveryFieldAsShown) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Byte(kRecord3, 0x83)
        .Word(kRecord3 + 0x08, 0x1234)
        .Word(kRecord3 + 0x0E, 0xFFFF)
        .Bytes(kRecord3 + 0x10, {10, 11, 12, 13, 14})
        .Bytes(kRecord3 + 0x19, {0x70, 0x7A, 0x8E, 0x31, 0x67, 0x01, 0xBF})
        .Byte(kRecord3 + 0x25, 15)
        .Byte(kRecord3 + 0x30 + 15, 0xE7)
        .Bytes(kRecord3 + 0x40 + 2 * 7, {15, 99})  // Bow
        .Bytes(kRecord3 + 0x50 + 2 * 15, {0, 42})
        .Bytes(kRecord3 + 0x70, {3, 40, 0, 25})
        .Byte(kRecord3 + 0x75, 0);
    const CharacterRecord r = CharacterRecord::Read(image.view(), 3);
    EXPECT_TRUE(r.leftHanded);
    EXPECT_EQ(r.hpCurrent, 0x1234);
    EXPECT_EQ(r.mpMax, 0xFFFF);
    EXPECT_EQ(r.strength, 10);
    EXPECT_EQ(r.agility, 11);
    EXPECT_EQ(r.vitality, 12);
    EXPECT_EQ(r.intellect, 13);
    EXPECT_EQ(r.soul, 14);
    EXPECT_EQ(r.magic, 15);
    EXPECT_EQ(r.item(EquipmentSlot::Head), 0x70);
    EXPECT_EQ(r.item(EquipmentSlot::LeftHand), 0x67);
    EXPECT_EQ(r.item(EquipmentSlot::Belt2), 0xBF);
    EXPECT_EQ(r.skills[7].level, 16);
    EXPECT_EQ(r.skills[7].experience, 99);
    EXPECT_EQ(r.spells[15].spell, 0xE7);
    EXPECT_EQ(r.spells[15].level, 1);
    EXPECT_EQ(r.spells[15].experience, 42);
    EXPECT_EQ(r.evasionCount, 4);
    EXPECT_EQ(r.evasionPercent, 40);
    EXPECT_EQ(r.magicDefenceCount, 1);
    EXPECT_EQ(r.magicDefencePercent, 25);
    EXPECT_TRUE(r.backRow);

    // Written back unchanged, the record's bytes stay as they were.
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 3);
    EXPECT_EQ(image.Build(), before);
  }
}

TEST(CharacterRecord, WriteClampsAndTouchesOnlyItsBytes) {
  ImageBuilder image;
  image.Fill(0xF90, 0x80 * 9, 0xEE);  // every byte of every record marked
  CharacterRecord r;
  r.hpCurrent = 70000;
  r.hpMax = -5;
  r.mpCurrent = 0xFFFF;
  r.strength = 150;
  r.magic = -1;
  r.skills[0] = {0, 150};  // Level 0 is stored as level 1
  r.skills[1] = {17, 99};  // Level 17 as level 16
  r.spells[2] = {0xC5, 16, 100};
  r.evasionCount = 40;
  r.magicDefenceCount = -3;
  r.evasionPercent = 150;              // Exp and percentages stop at 99
  r.item(EquipmentSlot::Head) = 0x35;  // kept as given, even with no row in its list
  r.Write(image.view(), 5);

  const std::size_t at = 0xF90 + 0x80 * 5;
  const auto bytes = image.Build();
  auto b = [&](std::size_t offset) { return bytes[at + offset]; };
  // Index (bit 7 clear), HP, Str, Magic, head, skill 0/1, spell 2, evasion,
  // magic defence and front row.
  const std::pair<std::size_t, int> stored[] = {
      {0x00, 5},  {0x08, 0xFF}, {0x09, 0xFF}, {0x0A, 0},  {0x0B, 0},  {0x10, 99},
      {0x25, 0},  {0x19, 0x35}, {0x40, 0},    {0x41, 99}, {0x42, 15}, {0x32, 0xC5},
      {0x54, 15}, {0x55, 99},   {0x70, 15},   {0x71, 99}, {0x72, 0},  {0x75, 1}};
  for (const auto& [offset, value] : stored)
    EXPECT_EQ(b(offset), value) << offset;
  // The bytes no field names keep their contents, as do the other records.
  for (std::size_t off :
       {0x01, 0x02, 0x07, 0x15, 0x18, 0x20, 0x24, 0x26, 0x2F, 0x17, 0x2A, 0x74, 0x76, 0x7F}) {
    EXPECT_EQ(b(off), 0xEE) << off;
  }
  EXPECT_EQ(bytes[at - 1], 0xEE);
  EXPECT_EQ(bytes[at + 0x80], 0xEE);

  // No index outside 0..8 reaches another record or anything else.
  const auto kept = image.Build();
  r.Write(image.view(), 9);
  r.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), kept);
  EXPECT_EQ(CharacterRecord::Read(image.view(), 9), CharacterRecord());
}

TEST(CharacterRecord, BackRowByteAndHandedness) {
  ImageBuilder image;
  for (int value : {0, 1, 2, 0x80, 0xFF}) {
    image.Byte(kRecord3 + 0x75, static_cast<uint8_t>(value)).Byte(kRecord3, 0x07);
    CharacterRecord r = CharacterRecord::Read(image.view(), 3);
    EXPECT_EQ(r.backRow, value == 0) << value;
    EXPECT_FALSE(r.leftHanded);
    r.Write(image.view(), 3);
    EXPECT_EQ(image.bytes()[kRecord3 + 0x75], value == 0 ? 0 : 1) << value;
    EXPECT_EQ(image.bytes()[kRecord3], 3);  // another index there is replaced
  }
}

TEST(CharacterLists, HandExclusion) {
  // A newly picked two-handed item empties the other hand.
  EXPECT_EQ(PickHand({56, 12}, EquipmentSlot::RightHand), (HandRows{56, 0}));
  EXPECT_EQ(PickHand({12, 63}, EquipmentSlot::LeftHand), (HandRows{0, 63}));
  // A two-handed item already held keeps its place: the pick goes back.
  EXPECT_EQ(PickHand({20, 60}, EquipmentSlot::RightHand), (HandRows{0, 60}));
  EXPECT_EQ(PickHand({60, 57}, EquipmentSlot::LeftHand), (HandRows{60, 0}));
  // Ordinary items do not exclude each other.
  EXPECT_EQ(PickHand({55, 55}, EquipmentSlot::LeftHand), (HandRows{55, 55}));
  EXPECT_EQ(PickHand({-1, 3}, EquipmentSlot::LeftHand), (HandRows{-1, 3}));

  // When a record is shown the right hand is checked first.
  EXPECT_EQ(CheckHands({56, 60}), (HandRows{56, 0}));
  EXPECT_EQ(CheckHands({3, 60}), (HandRows{0, 60}));
  EXPECT_EQ(CheckHands({3, 4}), (HandRows{3, 4}));
  EXPECT_EQ(CheckHands({60, -1}), (HandRows{60, 0}));
}

TEST(CharacterName, DecodedOrDefault) {
  const CharTable table = demo::FixtureTable();
  ImageBuilder image = ImageBuilder::Combination();
  demo::TextLayout names(image, table);
  names.Fixed(0xF92, 6, "Maria");              // padded with the blank code
  names.Fixed(0xF92 + 0x80 * 1, 6, "      ");  // six blanks: the default name
  names.Fixed(0xF92 + 0x80 * 2, 6, "  Guy ");  // blanks around text: kept
  image.Bytes(0xF92 + 0x80 * 3, {0x8A, 0x00, 0x8B, 0xFF, 0xFF, 0xFF});  // 0x00 ends nothing
  names.Fixed(0xF92 + 0x80 * 8, 6, "      ");
  EXPECT_EQ(CharacterName(image.view(), 0, table), "Maria ");
  EXPECT_EQ(CharacterName(image.view(), 1, table), "Dodad");
  EXPECT_EQ(CharacterName(image.view(), 2, table), "  Guy ");
  EXPECT_EQ(CharacterName(image.view(), 3, table), "AB   ");  // code 0x00 has no text
  EXPECT_EQ(CharacterName(image.view(), 8, table), "Lionheart");
  EXPECT_EQ(CharacterName(image.view(), 9, table), "");
  // An unloaded table gives no text at all, which is not six blanks.
  EXPECT_EQ(CharacterName(image.view(), 1, CharTable{}), "");
  EXPECT_EQ(DefaultCharacterName(0), "Durediv");
}

}  // namespace
}  // namespace kivo
