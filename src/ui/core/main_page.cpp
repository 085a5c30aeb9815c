#include "ui/core/main_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/core/artwork.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"

namespace kivo::ui {

ElidedLabel::ElidedLabel(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ElidedLabel::setFullText(const QString& text) {
  text_ = text;
  setToolTip(text);
  update();
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text_) + 8, fontMetrics().height() + 6};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {40, fontMetrics().height() + 6};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect box = rect().adjusted(3, 0, -3, 0);
  // A path is shortened in its middle so both the folder and the file name show.
  const QString shown = fontMetrics().elidedText(text_, Qt::ElideMiddle, box.width());
  painter.drawText(box, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

MainPage::MainPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
  ShowPicture(MainPicture::Unknown);
}

void MainPage::CreateWidgets() {
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(new QLabel(tr("Open:"), this));
  path_ = WithId(new ElidedLabel(this), 1005);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  frameLayout->addWidget(path_);
  pathRow->addWidget(frame, 1);

  auto makePicture = [this](int control, int bitmap) {
    auto* label = WithId(new QLabel(this), control);
    label->setPixmap(Picture(bitmap));
    label->setAlignment(Qt::AlignCenter);
    return label;
  };
  gamePicture_ = makePicture(1284, 104);
  gbaPicture_ = makePicture(1285, 102);
  unknownPicture_ = makePicture(1286, 105);
  // The three pictures lie over each other; only one is ever visible.
  auto* pictures = new QGridLayout;
  pictures->addWidget(gamePicture_, 0, 0);
  pictures->addWidget(gbaPicture_, 0, 0);
  pictures->addWidget(unknownPicture_, 0, 0);

  exit_ = WithId(new QPushButton(tr("Exit"), this), 1007);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(exit_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pathRow);
  layout->addLayout(pictures, 1);
  layout->addLayout(buttons);
  SetTabOrderFromLayout(*this);
}

void MainPage::ConnectWidgets() {
  connect(exit_, &QPushButton::clicked, this, &MainPage::exitRequested);
}

void MainPage::ShowPath(const QString& path) {
  path_->setFullText(path);
}

QString MainPage::shownPath() const {
  return path_->fullText();
}

void MainPage::ShowPicture(MainPicture picture) {
  shown_ = picture;
  gamePicture_->setVisible(picture == MainPicture::Game);
  gbaPicture_->setVisible(picture == MainPicture::Gba);
  unknownPicture_->setVisible(picture == MainPicture::Unknown);
}

}  // namespace kivo::ui
