#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <span>
#include <vector>

#include "demo/image_builder.h"
#include "model/core/ines_header.h"
#include "ui/core/rom_info_dialog.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::UiTest;

// What the dialog showed, read while it was up.
struct Shown {
  int mapperRows = 0;
  int mapperRow = -1;
  QString mapperText;
  QString mirroring;
  QString region;
  QString prgRom, chrRom, prgRam;
  bool sram = false, trainer = false, vs = false, pc10 = false;
  QString format;
  bool sizeWarning = false;
  QString caption;
};

Shown Read(QDialog& d) {
  Shown s;
  auto* mapper = test::Find<QComboBox>(d, 1696);
  s.mapperRows = mapper->count();
  s.mapperRow = mapper->currentIndex();
  s.mapperText = mapper->currentText();
  s.mirroring = test::Find<QComboBox>(d, 1698)->currentText();
  auto* region = test::Find<QListWidget>(d, 1697);
  s.region = region->currentItem() ? region->currentItem()->text() : QString();
  s.prgRom = test::Find<QLineEdit>(d, 1699)->text();
  s.chrRom = test::Find<QLineEdit>(d, 1700)->text();
  s.prgRam = test::Find<QLineEdit>(d, 1703)->text();
  s.sram = test::Find<QCheckBox>(d, 1701)->isChecked();
  s.trainer = test::Find<QCheckBox>(d, 1702)->isChecked();
  s.vs = test::Find<QCheckBox>(d, 1705)->isChecked();
  s.pc10 = test::Find<QCheckBox>(d, 1706)->isChecked();
  s.format = d.findChild<QLabel*>(QStringLiteral("format"))->text();
  s.sizeWarning = d.findChild<QLabel*>(QStringLiteral("sizeWarning"))->isVisible();
  s.caption = d.windowTitle();
  return s;
}

class RomInfoTest : public UiTest {
 protected:
  // Shows the dialog for `image` and returns what it showed; `script` may
  // act on the dialog afterwards and decides how it ends.
  Shown Show(
      std::span<const uint8_t> image,
      std::function<int(QDialog&)> script = [](QDialog&) { return ui::kDialogOk; }) {
    Shown shown;
    prompts->modalScripts.push_back([&](QDialog& d) {
      shown = Read(d);
      return script(d);
    });
    ui::ShowRomInformation(nullptr, image);
    EXPECT_TRUE(prompts->modalScripts.empty()) << "the dialog was not run";
    return shown;
  }
  int BadHeaderWarnings() const {
    int count = 0;
    for (const ui::RecordedMessage& m : prompts->messages) {
      if (m.text == QString::fromLatin1(kBadHeaderText)) {
        EXPECT_EQ(m.icon, MessageIcon::Warning);
        EXPECT_EQ(m.caption, QStringLiteral("Kivo"));
        ++count;
      }
    }
    return count;
  }
};

TEST_F(RomInfoTest, ShowsTheHeaderOfAStandaloneImage) {
  const std::vector<uint8_t> image = demo::ImageBuilder::Standalone().Build();
  const Shown s = Show(image);
  EXPECT_EQ(s.caption, QStringLiteral("ROM information"));
  EXPECT_EQ(s.mapperRows, 256);
  EXPECT_EQ(s.mapperRow, 1);
  EXPECT_TRUE(s.mapperText.startsWith(QStringLiteral("1 - MMC1")));
  EXPECT_EQ(s.mirroring, QStringLiteral("Horizontal"));
  EXPECT_EQ(s.region, QStringLiteral("NTSC"));
  EXPECT_EQ(s.prgRom, QStringLiteral("16"));
  EXPECT_EQ(s.chrRom, QStringLiteral("0"));
  EXPECT_EQ(s.prgRam, QStringLiteral("1"));
  EXPECT_TRUE(s.sram);
  EXPECT_FALSE(s.trainer || s.vs || s.pc10);
  EXPECT_EQ(s.format, QStringLiteral("iNES"));
  EXPECT_FALSE(s.sizeWarning);
  EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(RomInfoTest, ReadsEveryFieldOfTheHeader) {
  // Mapper 0xA4 split over both nibbles, four-screen over vertical, every flag,
  // PAL, PRG-RAM 3, NES 2.0 and a size that disagrees with the banks.
  const uint8_t header[16] = {'N', 'E', 'S', 0x1A, 2, 1, 0x4F, 0xAB, 3, 0x01};
  demo::ImageBuilder builder(0x200);
  builder.Header(header);
  const std::vector<uint8_t> image = builder.Build();
  const Shown s = Show(image);
  EXPECT_EQ(s.mapperRow, 0xA4);
  EXPECT_EQ(s.mirroring, QStringLiteral("Four-screen"));
  EXPECT_EQ(s.region, QStringLiteral("PAL"));
  EXPECT_EQ(s.prgRom, QStringLiteral("2"));
  EXPECT_EQ(s.chrRom, QStringLiteral("1"));
  EXPECT_EQ(s.prgRam, QStringLiteral("3"));
  EXPECT_TRUE(s.sram && s.trainer && s.vs && s.pc10);
  EXPECT_EQ(s.format, QStringLiteral("NES 2.0"));
  EXPECT_TRUE(s.sizeWarning);

  EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(RomInfoTest, WarnsOnceWhenTheMagicIsMissing) {
  std::vector<uint8_t> image = demo::ImageBuilder::Standalone().Build();
  image[1] = 'X';  // "N" then not "E"
  const Shown s = Show(image);
  EXPECT_EQ(BadHeaderWarnings(), 1);
  EXPECT_EQ(prompts->messages.size(), 1u);
  // The fields are filled all the same.
  EXPECT_EQ(s.mapperRow, 1);
  EXPECT_EQ(s.prgRom, QStringLiteral("16"));

  // Each opening warns again.
  Show(image);
  EXPECT_EQ(BadHeaderWarnings(), 2);
}

TEST_F(RomInfoTest, AnEmptyImageStillOpensTheDialog) {
  // Decoding short headers is pinned in ines_header_test; the dialog must
  // open on an empty image too.
  const Shown s = Show(std::span<const uint8_t>());
  EXPECT_EQ(BadHeaderWarnings(), 1);
  EXPECT_EQ(s.prgRom, QStringLiteral("0"));
  EXPECT_TRUE(s.sizeWarning);
}

}  // namespace
}  // namespace kivo
