#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "model/core/rom_document.h"
#include "ui/core/about_dialog.h"
#include "ui/core/artwork.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::UiTest;

class AboutTest : public UiTest {
 protected:
  // The one visible picture control of the About box shown for `imageSize`.
  QString VisiblePicture(std::optional<std::size_t> imageSize) {
    QString visible;
    prompts->modalScripts.push_back([&](QDialog& d) {
      int count = 0;
      for (const char* id : {"1002", "1003", "1004"}) {
        auto* label = d.findChild<QLabel*>(QString::fromLatin1(id));
        EXPECT_NE(label, nullptr) << id;
        if (label->isVisible()) {
          visible = label->objectName();
          ++count;
        }
      }
      EXPECT_EQ(count, 1);
      d.findChild<QPushButton*>(QStringLiteral("1"))->click();
      return ui::kDialogCancel;
    });
    ui::ShowAbout(nullptr, imageSize);
    return visible;
  }
};

TEST_F(AboutTest, ShowsThePictureOfTheImageKind) {
  EXPECT_EQ(VisiblePicture(kStandaloneSize), QStringLiteral("1002"));
  // The kind of each size: ClassifyImage (rom_document_test).
  EXPECT_EQ(VisiblePicture(kGbaSize), QStringLiteral("1003"));
  EXPECT_EQ(VisiblePicture(std::nullopt), QStringLiteral("1004"));
}

TEST(Artwork, EveryIconAndPictureLoads) {
  for (int id : ui::kPageIconIds) {
    const QIcon icon = ui::PageIcon(id);
    EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << id;
    EXPECT_EQ(icon.pixmap(64, 64).toImage().size(), QSize(64, 64)) << id;
  }
  for (int id : ui::kPictureIds) {
    const QPixmap picture = ui::Picture(id);
    ASSERT_FALSE(picture.isNull()) << id;
    EXPECT_GE(picture.width(), 200) << id;
  }
  EXPECT_TRUE(ui::PageIcon(107).isNull());
  EXPECT_TRUE(ui::Picture(106).isNull());
}

}  // namespace
}  // namespace kivo
