#include "model/core/rom_document.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

TEST(ClassifyImage, SizesDecideKindShiftAndEditing) {
  struct Case {
    std::size_t size;
    ImageKind kind;
    uint32_t shift;
    bool editable;
    MainPicture picture;
  };
  const Case cases[] = {
      {0, ImageKind::TooSmall, 0, false, MainPicture::Unknown},
      {0x4000F, ImageKind::TooSmall, 0, false, MainPicture::Unknown},
      {0x40010, ImageKind::Standalone, 0, true, MainPicture::Game},
      {0x40011, ImageKind::Unrecognised, 0, true, MainPicture::Unknown},
      {0x8000F, ImageKind::Unrecognised, 0, true, MainPicture::Unknown},
      {0x80010, ImageKind::Combination, 0x40000, true, MainPicture::Game},
      {0x80011, ImageKind::Unrecognised, 0, true, MainPicture::Unknown},
      {0x1000000, ImageKind::Gba, 0, false, MainPicture::Gba},
      {0x1000001, ImageKind::Unrecognised, 0, true, MainPicture::Unknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const ImageClass k = ClassifyImage(c.size);
    EXPECT_EQ(k.kind, c.kind);
    EXPECT_EQ(k.baseShift, c.shift);
    EXPECT_EQ(k.editable, c.editable);
    EXPECT_EQ(k.picture, c.picture);
  }
}

TEST(RomDocument, TitleBytesChooseTheTablePair) {
  RomDocument doc;
  doc.Adopt(ImageBuilder().Title(" FINAL FANTASY 2").Build(), "a.nes");
  EXPECT_TRUE(doc.prototypeTitle());
  EXPECT_EQ(doc.tablePair(), TablePair::Prototype);

  doc.Adopt(ImageBuilder().Title("FINAL FANTASY 2 ").Build(), "a.nes");
  EXPECT_EQ(doc.tablePair(), TablePair::Standard);

  // The combination cartridge carries its title at 0x7FFF0, after the shift.
  doc.Adopt(ImageBuilder::Combination().Title(" FINAL FANTASY 2").Build(), "c.nes");
  EXPECT_EQ(doc.tablePair(), TablePair::Prototype);
  std::vector<uint8_t> misplaced(kCombinationSize, 0);
  std::copy(kPrototypeTitle.begin(), kPrototypeTitle.end(), misplaced.begin() + 0x3FFF0);
  doc.Adopt(misplaced, "c.nes");
  EXPECT_EQ(doc.tablePair(), TablePair::Standard);

  // Images that cannot be edited get no pair and never the flag.
  std::vector<uint8_t> small(0x4000F, 0);
  doc.Adopt(small, "s.nes");
  EXPECT_FALSE(doc.editable());
  EXPECT_EQ(doc.tablePair(), TablePair::None);
}

TEST(RomView, AddsTheShiftAndStaysInsideTheImage) {
  std::vector<uint8_t> image(0x20, 0);
  RomView view(image, 0x10);
  view.SetByte(0x0F, 0x11);
  view.SetWord(0x04, 0xBEEF);
  EXPECT_EQ(image[0x1F], 0x11);
  EXPECT_EQ(image[0x15], 0xBE);

  // The last byte of a word past the end is dropped, the first one kept.
  view.SetWord(0x0F, 0x2233);
  EXPECT_EQ(image[0x1F], 0x33);
  EXPECT_EQ(view.Word(0x0F), 0x0033);
  view.SetByte(0x10, 0x99);
  view.SetByte(static_cast<std::size_t>(-1), 0x99);  // no wrap-around into the image
  EXPECT_FALSE(view.Contains(0x0F, 2));
  EXPECT_EQ(std::count(image.begin(), image.end(), 0x99), 0);
}

}  // namespace
}  // namespace kivo
