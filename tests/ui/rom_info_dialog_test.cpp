#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <span>
#include <vector>

#include "demo/image_builder.h"
#include "model/core/ines_header.h"
#include "ui/core/rom_info_dialog.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::Find;

class RomInfoTest : public test::UiTest {
 protected:
  // Shows the dialog for `image` and gives what it showed: mapper row,
  // mirroring, region, PRG-ROM, CHR-ROM, PRG-RAM, the SRAM, trainer, VS and
  // PC10 boxes, the format and whether the size warning shows.
  QStringList Show(std::span<const uint8_t> image) {
    QStringList shown;
    prompts->modalScripts.push_back([&](QDialog& d) {
      auto* region = Find<QListWidget>(d, 1697);
      shown << QString::number(Find<QComboBox>(d, 1696)->currentIndex())
            << Find<QComboBox>(d, 1698)->currentText()
            << (region->currentItem() ? region->currentItem()->text() : QString());
      for (int id : {1699, 1700, 1703})
        shown << Find<QLineEdit>(d, id)->text();
      QString boxes;
      for (int id : {1701, 1702, 1705, 1706})
        boxes += Find<QCheckBox>(d, id)->isChecked() ? u'x' : u'-';
      shown << boxes << d.findChild<QLabel*>(QStringLiteral("format"))->text()
            << (d.findChild<QLabel*>(QStringLiteral("sizeWarning"))->isVisible() ? "size warning"
                                                                                  : "");
      return ui::kDialogOk;
    });
    ui::ShowRomInformation(nullptr, image);
    EXPECT_TRUE(prompts->modalScripts.empty()) << "the dialog was not run";
    return shown;
  }
  int BadHeaderWarnings() const {
    int count = 0;
    for (const ui::RecordedMessage& m : prompts->messages) {
      EXPECT_EQ(m.icon, MessageIcon::Warning);
      count += m.text == QString::fromLatin1(kBadHeaderText);
    }
    return count;
  }
};

TEST_F(RomInfoTest, ShowsEveryFieldOfTheHeader) {
  std::vector<uint8_t> image = demo::ImageBuilder::Standalone().Build();
  EXPECT_EQ(Show(image), (QStringList{"1", "Horizontal", "NTSC", "16", "0", "1", "x---", "iNES", ""}));

  // Mapper 0xA4 split over both nibbles, four-screen over vertical, every flag,
  // PAL, PRG-RAM 3, NES 2.0 and a size that disagrees with the banks.
  const uint8_t header[16] = {'N', 'E', 'S', 0x1A, 2, 1, 0x4F, 0xAB, 3, 0x01};
  demo::ImageBuilder builder(0x200);
  builder.Header(header);
  EXPECT_EQ(Show(builder.Build()), (QStringList{"164", "Four-screen", "PAL", "2", "1", "3", "xxxx",
                                                "NES 2.0", "size warning"}));
  EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(RomInfoTest, WarnsAtEachOpeningWhenTheMagicIsMissing) {
  std::vector<uint8_t> image = demo::ImageBuilder::Standalone().Build();
  image[1] = 'X';  // "N" then not "E"
  // The fields are filled all the same.
  EXPECT_EQ(Show(image), (QStringList{"1", "Horizontal", "NTSC", "16", "0", "1", "x---", "iNES", ""}));
  EXPECT_EQ(BadHeaderWarnings(), 1);
  Show(image);
  EXPECT_EQ(BadHeaderWarnings(), 2);

  // Decoding short headers is pinned in ines_header_test; the dialog must
  // open on an empty image too.
  const QStringList empty = Show(std::span<const uint8_t>());
  EXPECT_EQ(empty[3], QStringLiteral("0"));
  EXPECT_EQ(empty.last(), QStringLiteral("size warning"));
  EXPECT_EQ(BadHeaderWarnings(), 3);
}

}  // namespace
}  // namespace kivo
