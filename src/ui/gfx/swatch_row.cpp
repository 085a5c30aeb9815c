#include "ui/gfx/swatch_row.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/gfx/palette.h"

namespace kivo::ui {

void FillSwatch(QPainter& painter, int x, int y, const MasterPalette& palette, uint8_t colour) {
  painter.fillRect(x, y, kSwatchSize, kSwatchSize, QColor::fromRgb(palette.Argb(colour)));
}

SwatchRow::SwatchRow(int count, QWidget* parent) : QWidget(parent), count_(std::max(count, 1)) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SwatchRow::SetMasterPalette(const MasterPalette* palette) {
  palette_ = palette;
  update();
}

void SwatchRow::SetColours(std::span<const uint8_t> colours) {
  const std::size_t shown = std::min(colours.size(), static_cast<std::size_t>(count_));
  colours_.assign(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(shown));
  update();
}

void SwatchRow::ShowBattlePalette(const ConstRomView& rom, int palette) {
  const BattlePalette colours = ReadBattlePalette(rom, palette);
  SetColours(colours);
}

void SwatchRow::Clear() {
  colours_.clear();
  update();
}

int SwatchRow::SwatchAt(QPoint point) const {
  return SwatchRowHit(point.x(), point.y(), count_);
}

QSize SwatchRow::sizeHint() const {
  return {count_ * kSwatchSize, kSwatchSize};
}

void SwatchRow::paintEvent(QPaintEvent*) {
  if (!palette_)
    return;
  QPainter painter(this);
  for (int k = 0; k < static_cast<int>(colours_.size()); ++k)
    FillSwatch(painter, k * kSwatchSize, 0, *palette_, colours_[k]);
}

int SwatchRow::ShownSwatchAt(QMouseEvent* event) const {
  if (event->button() != Qt::LeftButton)
    return kNoHit;
  const int k = SwatchAt(event->position().toPoint());
  return shows(k) ? k : kNoHit;
}

void SwatchRow::mousePressEvent(QMouseEvent* event) {
  const int k = ShownSwatchAt(event);
  if (k == kNoHit) {
    QWidget::mousePressEvent(event);
    return;
  }
  emit swatchClicked(k);
}

void SwatchRow::mouseDoubleClickEvent(QMouseEvent* event) {
  const int k = ShownSwatchAt(event);
  if (k == kNoHit) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  emit swatchDoubleClicked(k);
}

}  // namespace kivo::ui
