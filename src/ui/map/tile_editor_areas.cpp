#include "ui/map/tile_editor_areas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "model/gfx/palette.h"
#include "model/gfx/tile_canvas.h"

namespace kivo::ui {
namespace {

// The canvas as an indexed image over its own pixels, nothing copied.
QImage CanvasImage(const TileCanvas& canvas) {
  QImage image(canvas.pixels().data(), canvas.width(), canvas.height(), canvas.stride(),
               QImage::Format_Indexed8);
  const auto table = canvas.colourTable();
  image.setColorTable(QList<QRgb>(table.begin(), table.end()));
  return image;
}

QRect TileSource(int tile) {
  const int t = tile & 0xFF;
  return {kTileSize * (t % kSheetTilesPerRow), kTileSize * (t / kSheetTilesPerRow), kTileSize,
          kTileSize};
}

bool Inside(int x, int y, int width, int height) {
  return x >= 0 && y >= 0 && x < width && y < height;
}

QPoint PressedAt(QMouseEvent* event) {
  return event->position().toPoint();
}

}  // namespace

int RawCellAt(int x, int y) {
  if (!Inside(x, y, kRawSide, kRawSide))
    return kNoCell;
  return (y / kRawCell) * kSheetTilesPerRow + x / kRawCell;
}

QPoint RawCellOrigin(int tile) {
  const int t = tile & 0xFF;
  return {kRawCell * (t % kSheetTilesPerRow), kRawCell * (t / kSheetTilesPerRow)};
}

int QuarterAt(int x, int y) {
  if (!Inside(x, y, kQuarterSide, kQuarterSide))
    return kNoCell;
  return (y / kRawCell) * 2 + x / kRawCell;
}

QPoint QuarterOrigin(int quarter) {
  return {kRawCell * (quarter & 1), kRawCell * ((quarter >> 1) & 1)};
}

std::optional<QPoint> CloseUpPixelAt(int x, int y) {
  if (!Inside(x, y, kCloseUpSide, kCloseUpSide))
    return std::nullopt;
  return QPoint(x / kCloseUpScale, y / kCloseUpScale);
}

int PaletteRowAt(int x, int y) {
  if (!Inside(x, y, kPaletteRowsWidth, kPaletteRowsHeight))
    return kNoCell;
  return std::min(y / kPaletteSwatch, kPaletteRows - 1);
}

std::optional<QPoint> PaletteSwatchAt(int x, int y) {
  const int row = PaletteRowAt(x, y);
  const int column = (x - kPaletteMargin) / kPaletteSwatch;
  if (row == kNoCell || x < kPaletteMargin || column >= 4)
    return std::nullopt;
  return QPoint(column, row);
}

QPoint PaletteSwatchOrigin(int column, int row) {
  return {kPaletteMargin + kPaletteSwatch * column, kPaletteSwatch * row};
}

void DrawCellFrame(QPainter& painter, QPoint origin, QColor colour) {
  painter.setPen(QPen(colour, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(origin.x(), origin.y(), kRawCell - 1, kRawCell - 1);
}

RawSheetArea::RawSheetArea(const TileCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
  setFixedSize(sizeHint());
}

void RawSheetArea::SetSelected(int tile, QColor frame) {
  selected_ = tile & 0xFF;
  frame_ = frame;
  update();
}

void RawSheetArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, kRawSide, kRawSide), CanvasImage(canvas_),
                    QRect(0, 0, kSheetSize, kSheetSize));
  DrawCellFrame(painter, RawCellOrigin(selected_), frame_);
}

void RawSheetArea::mousePressEvent(QMouseEvent* event) {
  const QPoint at = PressedAt(event);
  const int tile = RawCellAt(at.x(), at.y());
  if (event->button() == Qt::LeftButton && tile != kNoCell)
    emit cellClicked(tile);
  else
    QWidget::mousePressEvent(event);
}

QuarterArea::QuarterArea(const TileCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
  setFixedSize(sizeHint());
}

void QuarterArea::SetTiles(const std::array<uint8_t, 4>& tiles, int selected, QColor frame) {
  tiles_ = tiles;
  selected_ = selected & 3;
  frame_ = frame;
  update();
}

void QuarterArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage image = CanvasImage(canvas_);
  for (int q = 0; q < 4; ++q)
    painter.drawImage(QRect(QuarterOrigin(q), QSize(kRawCell, kRawCell)), image,
                      TileSource(tiles_[q]));
  DrawCellFrame(painter, QuarterOrigin(selected_), frame_);
}

void QuarterArea::mousePressEvent(QMouseEvent* event) {
  const QPoint at = PressedAt(event);
  const int quarter = QuarterAt(at.x(), at.y());
  if (event->button() == Qt::LeftButton && quarter != kNoCell)
    emit quarterClicked(quarter);
  else
    QWidget::mousePressEvent(event);
}

CloseUpArea::CloseUpArea(const TileCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
  setFixedSize(sizeHint());
}

void CloseUpArea::SetTile(int tile) {
  tile_ = tile & 0xFF;
  update();
}

void CloseUpArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, kCloseUpSide, kCloseUpSide), CanvasImage(canvas_),
                    TileSource(tile_));
}

void CloseUpArea::mousePressEvent(QMouseEvent* event) {
  const QPoint at = PressedAt(event);
  const std::optional<QPoint> pixel = CloseUpPixelAt(at.x(), at.y());
  if (event->button() == Qt::LeftButton && pixel)
    emit pixelClicked(pixel->x(), pixel->y());
  else
    QWidget::mousePressEvent(event);
}

PaletteRowsArea::PaletteRowsArea(const MasterPalette& palette, QWidget* parent)
    : QWidget(parent), palette_(palette) {
  setFixedSize(sizeHint());
}

void PaletteRowsArea::SetColours(std::span<const uint8_t> colours, int selectedRow) {
  colours_.fill(0);
  std::copy_n(colours.begin(), std::min(colours.size(), colours_.size()), colours_.begin());
  selectedRow_ = selectedRow & (kPaletteRows - 1);
  update();
}

void PaletteRowsArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int row = 0; row < kPaletteRows; ++row) {
    for (int column = 0; column < 4; ++column) {
      const QPoint at = PaletteSwatchOrigin(column, row);
      painter.fillRect(at.x(), at.y(), kPaletteSwatch, kPaletteSwatch,
                       QColor::fromRgb(palette_.Argb(colours_[4 * row + column])));
    }
  }
  // A small arrow in the margin points at the metatile's sub-palette.
  const int top = kPaletteSwatch * selectedRow_;
  const QPolygon arrow({QPoint(4, top + 4), QPoint(11, top + 8), QPoint(4, top + 12)});
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().windowText());
  painter.drawPolygon(arrow);
}

void PaletteRowsArea::mousePressEvent(QMouseEvent* event) {
  const QPoint at = PressedAt(event);
  const int row = PaletteRowAt(at.x(), at.y());
  if (event->button() == Qt::LeftButton && row != kNoCell)
    emit rowClicked(row);
  else
    QWidget::mousePressEvent(event);
}

void PaletteRowsArea::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = PressedAt(event);
  const std::optional<QPoint> swatch = PaletteSwatchAt(at.x(), at.y());
  if (event->button() == Qt::LeftButton && swatch)
    emit swatchDoubleClicked(swatch->x(), swatch->y());
  else
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace kivo::ui
