#include "model/core/version.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "model/core/rom_document.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

std::optional<Message> Identify(const std::vector<uint8_t>& image) {
  return IdentifyVersion(image, ClassifyImage(image.size()).baseShift);
}

TEST(IdentifyVersion, EverySignatureIsRecognisedWithItsMessage) {
  const char* starts[kReleaseCount] = {
      "This looks like the Original Japanese version.",
      "This looks like Vask's incomplete translation.",
      "This looks like Vask's translation, v.93.",
      "This looks like Vask's translation, v1.03.\n",
      "This looks like Final Fantasy 1.",
      "This looks like Vask's translation, v1.0.",
      "This looks like the prototype cart.",
      "This looks like Vask's translation, v1.03, with Brelmo's",
      "This looks like the Final Fantasy 1 + Final Fantasy 2 combo cart.",
  };
  const MessageIcon icons[kReleaseCount] = {
      MessageIcon::Warning, MessageIcon::Warning, MessageIcon::None,
      MessageIcon::None,    MessageIcon::Warning, MessageIcon::None,
      MessageIcon::None,    MessageIcon::None,    MessageIcon::None,
  };
  for (int row = 0; row < kReleaseCount; ++row) {
    SCOPED_TRACE(row);
    // Row 8 is the translated combination cartridge; the rest are standalone.
    ImageBuilder image = row == 8 ? ImageBuilder::Combination() : ImageBuilder();
    image.Release(row);
    EXPECT_EQ(MatchRelease(image.bytes(), image.baseShift()), row);
    const std::optional<Message> m = Identify(image.bytes());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text.rfind(starts[row], 0), 0u) << m->text;
    EXPECT_EQ(m->icon, icons[row]);
    EXPECT_EQ(m->caption, row == 4 ? "Better off using Runewright" : "Kivo");
  }
}

TEST(IdentifyVersion, PrototypeTitleInTheCombinationCartIsAnotherMessage) {
  ImageBuilder combo = ImageBuilder::Combination();
  combo.Release(6);  // a 16-bank header, the prototype title after the shift
  const std::optional<Message> m = Identify(combo.bytes());
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text,
            "This looks like the Final Fantasy 1 + Final Fantasy 2 combo cart.\n\nONLY the Final "
            "Fantasy 2 portion of this cart is supported.\n\nThis instance is also the Prototype.");
  EXPECT_EQ(m->icon, MessageIcon::Warning);
}

TEST(IdentifyVersion, NearMissesAreUnrecognised) {
  const std::string unrecognised = "Well, whatever you loaded isn't FF2.\n\nSAVE AT YOUR OWN RISK!";

  ImageBuilder strayByte;
  strayByte.Release(2).bytes()[12] = 0x01;  // header bytes 10..15 are compared too
  EXPECT_EQ(Identify(strayByte.bytes())->text, unrecognised);

  ImageBuilder mixed;
  mixed.Release(2).Title("FF2eBeta03-07-97");  // row 1's title on row 2's header
  EXPECT_EQ(Identify(mixed.bytes())->text, unrecognised);
  EXPECT_EQ(Identify(mixed.bytes())->icon, MessageIcon::Warning);

  // An image too short to hold a title matches nothing and reads nothing past its end.
  EXPECT_EQ(Identify(std::vector<uint8_t>(0x20, 0))->text, unrecognised);
  EXPECT_EQ(Identify({})->text, unrecognised);
}

TEST(IdentifyVersion, LargeImagesAreJudgedBySizeAndTheGbaTitle) {
  std::vector<uint8_t> odd(0x80011, 0);
  ImageBuilder donor;
  donor.Release(3);
  std::copy(donor.bytes().begin(), donor.bytes().end(), odd.begin());
  const std::optional<Message> m = Identify(odd);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "Well, whatever you loaded isn't bFF2.\n\nSAVE AT YOUR OWN RISK!");

  ImageBuilder gba(kGbaSize);
  EXPECT_FALSE(Identify(gba.bytes())) << "a 16 MB image without the title says nothing";
  gba.RawAscii(0xA0, "FF1&2DAWNOFSBFFE");
  const std::optional<Message> dawn = Identify(gba.bytes());
  ASSERT_TRUE(dawn);
  EXPECT_EQ(dawn->caption, "Give it time... it'll happen");
  EXPECT_EQ(dawn->icon, MessageIcon::None);
  gba.RawAscii(0xAF, "X");
  EXPECT_FALSE(Identify(gba.bytes()));
}

}  // namespace
}  // namespace kivo
