#include "model/editors/character.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/text_layout.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

TEST(CharacterName, DecodedOrDefault) {
  const CharTable table = demo::FixtureTable();
  ImageBuilder image = ImageBuilder::Combination();
  demo::TextLayout names(image, table);
  names.Fixed(0xF92 + 0x80 * 1, 6, "      ");  // six blanks: the default name
  names.Fixed(0xF92 + 0x80 * 2, 6, "  Guy ");  // blanks around text: kept
  image.Bytes(0xF92 + 0x80 * 3, {0x8A, 0x00, 0x8B, 0xFF, 0xFF, 0xFF});  // 0x00 ends nothing
  names.Fixed(0xF92 + 0x80 * 8, 6, "      ");
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
