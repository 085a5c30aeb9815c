#include "ui/gfx/palette_grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/gfx/palette.h"
#include "ui/framework/list_helpers.h"
#include "ui/gfx/swatch_row.h"

namespace kivo::ui {
namespace {

constexpr int kOriginalNumberId = 1280;
constexpr int kCurrentNumberId = 1281;
constexpr int kGap = 6;

QString PaletteNumber(uint8_t palette) {
  return QString::number(palette, 16).toUpper();  // "%X"
}

QLineEdit* NumberField(QWidget* parent, int id) {
  auto* field = WithId(new QLineEdit(parent), id);
  field->setReadOnly(true);  // shows a number; picking happens in the grid
  field->setAlignment(Qt::AlignCenter);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("FFFF")) + 12);
  return field;
}

}  // namespace

PaletteGrid::PaletteGrid(const ConstRomView& rom, const MasterPalette& palette, uint8_t original,
                         QWidget* parent)
    : QWidget(parent),
      palette_(palette),
      palettes_(ReadBattlePalettes(rom)),
      original_(original),
      current_(original) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  auto* originalCaption = new QLabel(tr("Original palette:"), this);
  auto* currentCaption = new QLabel(tr("Current palette:"), this);
  originalNumber_ = NumberField(this, kOriginalNumberId);
  currentNumber_ = NumberField(this, kCurrentNumberId);
  originalNumber_->setText(PaletteNumber(original_));
  currentNumber_->setText(PaletteNumber(current_));

  // The captions end just before the swatches; a large font moves the
  // swatches right rather than cutting the captions.
  const int captionWidth =
      std::max(originalCaption->sizeHint().width(), currentCaption->sizeHint().width());
  swatchesX_ = std::max(kOriginalSwatchesX, kPaletteGridX + captionWidth + kGap);
  PlaceRow(originalCaption, originalNumber_, kOriginalSwatchesY, captionWidth);
  PlaceRow(currentCaption, currentNumber_, kCurrentSwatchesY, captionWidth);
}

void PaletteGrid::PlaceRow(QLabel* caption, QLineEdit* number, int y, int captionWidth) {
  const int centre = y + kSwatchSize / 2;
  const int captionHeight = caption->sizeHint().height();
  caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  caption->setGeometry(swatchesX_ - kGap - captionWidth, centre - captionHeight / 2, captionWidth,
                       captionHeight);
  // The two rows are 26 pixels apart; a field never grows into the next one.
  const int numberHeight =
      std::min(number->sizeHint().height(), kCurrentSwatchesY - kOriginalSwatchesY - 2);
  number->setGeometry(swatchesX_ + kBattlePaletteColours * kSwatchSize + kGap,
                      centre - numberHeight / 2, number->width(), numberHeight);
}

bool PaletteGrid::ClickAt(QPoint point) {
  const int hit = PaletteGridHit(point.x(), point.y());
  if (hit == kNoHit)
    return false;
  current_ = static_cast<uint8_t>(hit);
  currentNumber_->setText(PaletteNumber(current_));
  update();
  emit currentChanged(hit);
  return true;
}

QRect PaletteGrid::originalSwatches() const {
  return {swatchesX_, kOriginalSwatchesY, kBattlePaletteColours * kSwatchSize, kSwatchSize};
}

QRect PaletteGrid::currentSwatches() const {
  return {swatchesX_, kCurrentSwatchesY, kBattlePaletteColours * kSwatchSize, kSwatchSize};
}

QSize PaletteGrid::sizeHint() const {
  return {kPaletteGridWidth, kPaletteGridHeight};
}

void PaletteGrid::PaintPalette(QPainter& painter, int x, int y, int palette) const {
  const BattlePalette& colours = palettes_[BattlePaletteIndex(palette)];
  for (int k = 0; k < kBattlePaletteColours; ++k)
    FillSwatch(painter, x + k * kSwatchSize, y, palette_, colours[k]);
}

void PaletteGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPalette(painter, swatchesX_, kOriginalSwatchesY, original_);
  PaintPalette(painter, swatchesX_, kCurrentSwatchesY, current_);
  for (int p = 0; p < kBattlePaletteCount; ++p) {
    const SwatchPos at = PaletteGridSwatch(p, 0);
    PaintPalette(painter, at.x, at.y, p);
  }
}

void PaletteGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !ClickAt(event->position().toPoint()))
    QWidget::mousePressEvent(event);
}

}  // namespace kivo::ui
