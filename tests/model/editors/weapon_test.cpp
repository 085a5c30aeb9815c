#include "model/editors/weapon.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t kWeapon12 = 0x30106 + 9 * 12;

TEST(WeaponRecord, ReadsAndWritesItsNineBytes) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(kWeapon12, {5, 80, 45, 10, 3, 0x02, 0x88, 0x03, 0x86});
    const WeaponRecord r = WeaponRecord::Read(image.view(), 12);
    EXPECT_EQ(r, (WeaponRecord{5, 80, 45, 10, 3, 0x02, 0x88, 0x03, 0x86}));

    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 12);
    EXPECT_EQ(image.Build(), before);
  }
}

TEST(WeaponRecord, WriteClampsAndKeepsBytesWithoutARow) {
  ImageBuilder image;
  // Attack 300 is stored as 255, a negative value as 0; a type of 9 and a
  // cast spell of 0xA0 have no row but are written as they are.
  WeaponRecord{9, -1, 300, 255, 256, 0xFF, 0x01, 0x20, 0xA0}.Write(image.view(), 12);
  EXPECT_EQ(image.view().Bytes(kWeapon12, 9),
            (std::vector<uint8_t>{9, 0, 255, 255, 255, 0xFF, 0x01, 0x20, 0xA0}));

  const std::vector<uint8_t> before = image.Build();
  WeaponRecord{}.Write(image.view(), 64);  // would be the first spell record
  WeaponRecord{}.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(WeaponRecord::Read(image.view(), 64), WeaponRecord{});
}

TEST(WeaponPalette, OnlyRowsTenAndUpHaveOne) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Byte(0x2CD8E + 5, 0x11).Byte(0x2CD8E + 10, 0x25).Byte(0x2CD8E + 63, 0x7F);
    EXPECT_EQ(ReadWeaponPalette(image.view(), 5), std::nullopt);
    EXPECT_EQ(ReadWeaponPalette(image.view(), 10), 0x25);
    EXPECT_EQ(ReadWeaponPalette(image.view(), 63), 0x7F);
    EXPECT_EQ(ReadWeaponPalette(image.view(), 64), std::nullopt);

    const std::vector<uint8_t> before = image.Build();
    WriteWeaponPalette(image.view(), 5, 0x40);
    WriteWeaponPalette(image.view(), 64, 0x40);
    EXPECT_EQ(image.Build(), before);
    WriteWeaponPalette(image.view(), 10, 0x40);
    EXPECT_EQ(image.view().Byte(0x2CD8E + 10), 0x40);
  }
}

}  // namespace
}  // namespace kivo
