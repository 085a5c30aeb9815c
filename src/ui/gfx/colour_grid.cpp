#include "ui/gfx/colour_grid.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/gfx/battle_palettes.h"
#include "model/gfx/palette.h"
#include "ui/gfx/swatch_row.h"

namespace kivo::ui {
namespace {

constexpr int kCaptionGap = 6;  // between "Current color:" and its swatch

}  // namespace

ColourGrid::ColourGrid(const MasterPalette& palette, uint8_t current, QWidget* parent)
    : QWidget(parent), palette_(palette), current_(current) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  caption_ = new QLabel(tr("Current color:"), this);
  const QSize text = caption_->sizeHint();
  currentSwatchX_ = std::max(kCurrentSwatchX, kColourGridX + text.width() + kCaptionGap);
  // Right-aligned against the swatch and centred on it.
  caption_->setGeometry(currentSwatchX_ - kCaptionGap - text.width(),
                        kCurrentSwatchY + (kSwatchSize - text.height()) / 2, text.width(),
                        text.height());
}

void ColourGrid::SetCurrent(uint8_t colour) {
  if (colour == current_)
    return;
  current_ = colour;
  update();
  emit currentChanged(colour);
}

bool ColourGrid::ClickAt(QPoint point) {
  const int colour = ColourGridHit(point.x(), point.y());
  if (colour == kNoHit)
    return false;
  SetCurrent(static_cast<uint8_t>(colour));
  return true;
}

QRect ColourGrid::currentSwatchRect() const {
  return {currentSwatchX_, kCurrentSwatchY, kSwatchSize, kSwatchSize};
}

QSize ColourGrid::sizeHint() const {
  return {kColourGridWidth, kColourGridHeight};
}

void ColourGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  FillSwatch(painter, currentSwatchX_, kCurrentSwatchY, palette_, current_);
  for (int n = 0; n < kNesColourCount; ++n) {
    const SwatchPos at = ColourGridSwatch(n);
    FillSwatch(painter, at.x, at.y, palette_, static_cast<uint8_t>(n));
  }
}

void ColourGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !ClickAt(event->position().toPoint()))
    QWidget::mousePressEvent(event);
}

}  // namespace kivo::ui
