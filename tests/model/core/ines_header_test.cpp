#include "model/core/ines_header.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(InesHeader, FlagBitsAndFields) {
  const uint8_t bytes[16] = {'N', 'E', 'S', 0x1A, 2, 3, 0x0B, 0xF3, 4, 0x01};
  std::vector<uint8_t> image(bytes, bytes + 16);
  image.resize(16 + 2 * 0x4000 + 3 * 0x2000);
  // Each field as the ROM information dialog shows it: rom_info_dialog_test.
  const InesHeader h = DecodeInesHeader(image);
  EXPECT_EQ(h.mapper, 0xF0);
  EXPECT_TRUE(h.sizeMatches);

  image[6] = 0x05;  // vertical, trainer: now 512 bytes are missing
  EXPECT_EQ(DecodeInesHeader(image).mirroring, Mirroring::Vertical);
  EXPECT_FALSE(DecodeInesHeader(image).sizeMatches);
  image.resize(image.size() + 512);
  EXPECT_TRUE(DecodeInesHeader(image).sizeMatches);

  image[7] = 0x08;
  EXPECT_TRUE(DecodeInesHeader(image).nes20);
  image[7] = 0x0C;
  EXPECT_FALSE(DecodeInesHeader(image).nes20);
}

// A missing magic and an empty image through the dialog: rom_info_dialog_test.
TEST(InesHeader, ShortImages) {
  // Fewer than 16 bytes: what is there is decoded, the rest reads as 0.
  const std::vector<uint8_t> tiny = {'N', 'E', 'S', 0x1A, 0x10, 0x00, 0x13};
  const InesHeader h = DecodeInesHeader(tiny);
  EXPECT_FALSE(h.magic);
  EXPECT_EQ(h.prgRomBanks, 16);
  EXPECT_EQ(h.mirroring, Mirroring::Vertical);
  EXPECT_EQ(h.prgRamBanks, 1);
}

}  // namespace
}  // namespace kivo
