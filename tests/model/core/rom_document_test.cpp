#include "model/core/rom_document.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "support/temp_dir.h"

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
  EXPECT_FALSE(doc.prototypeTitle());
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

TEST(RomDocument, OpenSaveAndReopen) {
  test::TempDir dir;
  std::vector<uint8_t> bytes = ImageBuilder().Byte(0x1234, 0xAB).Build();
  const std::string path = dir.Write("game.nes", bytes);

  RomDocument doc;
  OpenOutcome opened = doc.Open(path);
  ASSERT_TRUE(opened.ok);
  EXPECT_TRUE(opened.messages.empty());
  EXPECT_EQ(doc.size(), kStandaloneSize);
  EXPECT_EQ(doc.currentPath(), path);
  EXPECT_EQ(doc.view().Byte(0x1234), 0xAB);

  doc.view().SetByte(0x1234, 0xCD);
  EXPECT_TRUE(doc.Save(path).empty());
  EXPECT_EQ(test::TempDir::Read(path)[0x1234], 0xCD);

  // Re-open discards what was not saved and says so.
  doc.view().SetByte(0x1234, 0xEE);
  OpenOutcome reopened = doc.Reopen();
  ASSERT_TRUE(reopened.ok);
  ASSERT_EQ(reopened.messages.size(), 1u);
  EXPECT_EQ(reopened.messages[0].text, kReopenedText);
  EXPECT_EQ(reopened.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(doc.view().Byte(0x1234), 0xCD);
}

TEST(RomDocument, FailuresLeaveNoImageAndTheFileAlone) {
  test::TempDir dir;
  RomDocument doc;
  doc.Adopt(ImageBuilder().Build(), "old.nes");

  OpenOutcome missing = doc.Open(dir.File("missing.nes"));
  EXPECT_FALSE(missing.ok);
  ASSERT_EQ(missing.messages.size(), 1u);
  EXPECT_EQ(missing.messages[0].text, "Failed to open a rom. That's bad.");
  EXPECT_EQ(missing.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(missing.messages[0].caption, "Kivo");
  EXPECT_FALSE(doc.held());
  EXPECT_FALSE(doc.editable());
  EXPECT_EQ(doc.size(), 0u);

  // A folder is not a ROM file.
  EXPECT_FALSE(doc.Open(dir.path().string()).ok);

  // Saving into a folder that does not exist fails with the message.
  doc.Adopt(ImageBuilder().Build(), "x.nes");
  const Messages saved = doc.Save(dir.File("no/such/folder/x.nes"));
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].text, "Cannot open rom for saving!");
}

TEST(RomDocument, EmptyAndTinyFilesAreHeldButNotEditable) {
  test::TempDir dir;
  RomDocument doc;
  ASSERT_TRUE(doc.Open(dir.Write("empty.nes", std::vector<uint8_t>{})).ok);
  EXPECT_TRUE(doc.held());
  EXPECT_EQ(doc.kind(), ImageKind::TooSmall);
  EXPECT_EQ(doc.view().Byte(0), 0);
  EXPECT_EQ(doc.view().Word(0x3FFF0), 0);
  doc.view().SetByte(5, 1);  // dropped, not a crash
  EXPECT_EQ(doc.size(), 0u);
}

TEST(RomView, AddsTheShiftAndStaysInsideTheImage) {
  std::vector<uint8_t> image(0x20, 0);
  RomView view(image, 0x10);
  view.SetByte(0x0F, 0x11);
  view.SetWord(0x04, 0xBEEF);
  EXPECT_EQ(image[0x1F], 0x11);
  EXPECT_EQ(image[0x14], 0xEF);
  EXPECT_EQ(image[0x15], 0xBE);
  EXPECT_EQ(view.Word(0x04), 0xBEEF);

  // The last byte of a word past the end is dropped, the first one kept.
  view.SetWord(0x0F, 0x2233);
  EXPECT_EQ(image[0x1F], 0x33);
  EXPECT_EQ(view.Word(0x0F), 0x0033);
  EXPECT_EQ(view.Byte(0x10), 0);
  view.SetByte(0x10, 0x99);
  view.SetByte(static_cast<std::size_t>(-1), 0x99);  // no wrap-around into the image
  EXPECT_FALSE(view.Contains(0x0F, 2));
  EXPECT_TRUE(view.Contains(0x00, 0x10));
  EXPECT_EQ(std::count(image.begin(), image.end(), 0x99), 0);

  // A shift beyond the image reaches nothing.
  RomView beyond(image, 0x40000);
  EXPECT_EQ(beyond.Byte(0), 0);
  beyond.SetByte(0, 0x99);
  EXPECT_EQ(std::count(image.begin(), image.end(), 0x99), 0);
}

}  // namespace
}  // namespace kivo
