#include "ui/core/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/core/rom_document.h"
#include "ui/core/artwork.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kTextWidth = 300;

QLabel* MakePicture(QWidget* parent, int control, AboutPicture picture) {
  auto* label = WithId(new QLabel(parent), control);
  label->setPixmap(Picture(static_cast<int>(picture)));
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

AboutPicture AboutPictureFor(std::optional<std::size_t> imageSize) {
  if (!imageSize)
    return AboutPicture::Unknown;
  switch (*imageSize) {
    case kStandaloneSize:
    case kCombinationSize:
      return AboutPicture::Game;
    case kGbaSize:
      return AboutPicture::Gba;
    default:
      return AboutPicture::Unknown;
  }
}

AboutDialog::AboutDialog(std::optional<std::size_t> imageSize, QWidget* parent) : Dialog(parent) {
  setWindowTitle(QStringLiteral("About - Kivo v0.2d"));
  CreateWidgets();
  ConnectWidgets();
  ShowPicture(AboutPictureFor(imageSize));
}

void AboutDialog::CreateWidgets() {
  gamePicture_ = MakePicture(this, 1002, AboutPicture::Game);
  gbaPicture_ = MakePicture(this, 1003, AboutPicture::Gba);
  unknownPicture_ = MakePicture(this, 1004, AboutPicture::Unknown);
  // The three pictures lie over each other; only one is ever visible.
  auto* pictures = new QGridLayout;
  pictures->addWidget(gamePicture_, 0, 0);
  pictures->addWidget(gbaPicture_, 0, 0);
  pictures->addWidget(unknownPicture_, 0, 0);

  auto* title = new QLabel(tr("<span style='font-size:20pt; font-weight:600;'>Kivo</span>"
                              "&nbsp;&nbsp;version 0.2d"),
                           this);
  auto* credits = new QLabel(
      tr("<p>An editor for the ROM image of the NES game Final Fantasy 2.</p>"
         "<p>Change the characters, equipment, monsters, spells, shops, battle formations, "
         "the world map and the game's text, then save the image and play it.</p>"
         "<p>Written in C++ with Qt. The icons and pictures were drawn for Kivo.</p>"
         "<p>An unofficial fan tool, not affiliated with the makers of the game. "
         "Keep a copy of your ROM before you edit it.</p>"),
      this);
  credits->setWordWrap(true);
  credits->setFixedWidth(kTextWidth);
  credits->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(credits);
  text->addStretch(1);

  auto* body = new QHBoxLayout;
  body->addLayout(pictures);
  body->addSpacing(12);
  body->addLayout(text);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = WithId(buttons->addButton(QDialogButtonBox::Ok), 1);
  ok_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

void AboutDialog::ConnectWidgets() {
  connect(ok_, &QPushButton::clicked, this, &AboutDialog::accept);
}

void AboutDialog::ShowPicture(AboutPicture picture) {
  shown_ = picture;
  gamePicture_->setVisible(picture == AboutPicture::Game);
  gbaPicture_->setVisible(picture == AboutPicture::Gba);
  unknownPicture_->setVisible(picture == AboutPicture::Unknown);
}

void ShowAbout(QWidget* owner, std::optional<std::size_t> imageSize) {
  AboutDialog dialog(imageSize, owner);
  prompts().RunModal(dialog);
}

}  // namespace kivo::ui
