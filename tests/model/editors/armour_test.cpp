#include "model/editors/armour.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t kArmour7 = 0x30010 + 6 * 7;

TEST(ArmourRecord, ReadsAndWritesItsSixBytes) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(kArmour7, {12, 3, 250, 0x82, 0x04, 9});
    const ArmourRecord r = ArmourRecord::Read(image.view(), 7);
    EXPECT_EQ(r, (ArmourRecord{12, 3, 250, 0x82, 0x04, 9}));

    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 7);
    EXPECT_EQ(image.Build(), before);
  }
}

TEST(ArmourRecord, WriteClampsAndStaysInsideTheTable) {
  ImageBuilder image;
  ArmourRecord r{300, -5, 256, 0x01, 0x80, 1000};
  r.Write(image.view(), 7);
  EXPECT_EQ(image.view().Bytes(kArmour7, 6), (std::vector<uint8_t>{255, 0, 255, 0x01, 0x80, 255}));
  // A stat boost no row shows is written back as it was read.
  EXPECT_EQ(ArmourRecord::Read(image.view(), 7).statBoost, 0x80);

  // Record 40 is the last; 41 would be the first weapon.
  const std::vector<uint8_t> before = image.Build();
  r.Write(image.view(), 41);
  r.Write(image.view(), -1);
  EXPECT_EQ(image.Build(), before);
  EXPECT_EQ(ArmourRecord::Read(image.view(), 41), ArmourRecord{});
  r.Write(image.view(), 40);
  EXPECT_EQ(image.view().Byte(0x30010 + 6 * 40), 255);
  EXPECT_EQ(image.view().Byte(0x30106), 0);
}

}  // namespace
}  // namespace kivo
