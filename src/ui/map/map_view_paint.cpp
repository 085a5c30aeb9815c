// Drawing the map view: the composed cells, the outlines and the mouse
// events of its surface.

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "model/core/settings.h"
#include "ui/map/map_view.h"
#include "ui/map/map_view_canvas.h"

namespace kivo::ui {

namespace {

// The in-game screen around the hover cell, in 1x pixels: DrawFrame-style
// sizes (the outline covers width + 1 pixels), offset from the cell's corner.
constexpr int kViewingWidth = 255;
constexpr int kViewingHeight = 225;
constexpr int kViewingLeft = 113;
constexpr int kViewingAbove = 105;
constexpr int kDomainCells = 32;
constexpr int kDomainsPerSide = kWorldMapSide / kDomainCells;
constexpr int kWheelStep = 120;

enum CustomColourRole { kLeftClickColour = 0, kRightClickColour, kViewingColour, kGridColour };

const QColor kOutsideColour(0x40, 0x40, 0x40);

QColor ColourOf(Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// A one-pixel outline covering x..x + w and y..y + h.
void DrawFrame(QPainter& painter, QPoint topLeft, int w, int h, Rgb colour) {
  painter.setPen(QPen(ColourOf(colour), 0));
  painter.drawRect(topLeft.x(), topLeft.y(), w, h);
}

}  // namespace

MapCanvas::MapCanvas(MapView& view) : QWidget(&view), view_(view) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(kMetatileSize, kMetatileSize);
}

void MapCanvas::ComposeCells() {
  const int cell = view_.CellPixels();
  const QPoint origin = view_.scrollCell();
  // Whole cells only, so a scroll can move them without leaving cut ones.
  const int columns = (width() + cell - 1) / cell;
  const int rows = (height() + cell - 1) / cell;
  const QSize size(columns * cell, rows * cell);
  if (composed_.size() != size || zoom_ != view_.zoom() ||
      generation_ != view_.picturesGeneration_) {
    if (composed_.size() != size)
      composed_ = QImage(size, QImage::Format_RGB32);
    composed_.fill(kOutsideColour);
    columns_ = columns;
    rows_ = rows;
    shown_.assign(static_cast<std::size_t>(columns_) * rows_, -1);
    origin_ = origin;
    zoom_ = view_.zoom();
    generation_ = view_.picturesGeneration_;
  } else if (origin != origin_) {
    ScrollComposed(origin - origin_);
    origin_ = origin;
  }
  if (!view_.showing())
    return;
  const WorldMapGrid& grid = *view_.grid_;
  const QImage& pictures = view_.cellPictures_;
  // Both images are RGB32: a cell is copied a pixel row at a time, with no
  // painter (a fill or its undo changes every cell in view).
  const uchar* source = pictures.constBits();
  const qsizetype sourceStride = pictures.bytesPerLine();
  uchar* target = nullptr;
  const qsizetype targetStride = composed_.bytesPerLine();
  const std::size_t rowBytes = static_cast<std::size_t>(cell) * sizeof(QRgb);
  const int lastColumn = std::min(columns_, kWorldMapSide - origin.x());
  const int lastRow = std::min(rows_, kWorldMapSide - origin.y());
  for (int row = 0; row < lastRow; ++row) {
    const uint8_t* cells = &grid[(origin.y() + row) * kWorldMapSide + origin.x()];
    int16_t* shown = &shown_[static_cast<std::size_t>(row) * columns_];
    for (int column = 0; column < lastColumn; ++column) {
      const int metatile = cells[column] & kMetatileMask;
      if (shown[column] == metatile)
        continue;
      if (target == nullptr)
        target = composed_.bits();
      const PixelPoint from = MetatileOrigin(metatile);
      const uchar* in = source + from.y * zoom_ * sourceStride +
                        static_cast<qsizetype>(from.x * zoom_) * sizeof(QRgb);
      uchar* out = target + static_cast<qsizetype>(row) * cell * targetStride +
                   static_cast<qsizetype>(column) * cell * sizeof(QRgb);
      for (int y = 0; y < cell; ++y)
        std::memcpy(out + y * targetStride, in + y * sourceStride, rowBytes);
      shown[column] = static_cast<int16_t>(metatile);
    }
  }
}

void MapCanvas::ScrollComposed(QPoint delta) {
  // One blit moves the cells still in view; only the cells scrolled in are
  // drawn anew.
  if (spare_.size() != composed_.size())
    spare_ = QImage(composed_.size(), QImage::Format_RGB32);
  const int cell = view_.CellPixels();
  const QPoint shift = -delta * cell;
  {
    QPainter painter(&spare_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(shift, composed_);
    const QRegion uncovered = QRegion(spare_.rect()) - QRegion(composed_.rect().translated(shift));
    for (const QRect& rect : uncovered)
      painter.fillRect(rect, kOutsideColour);
  }
  std::swap(composed_, spare_);
  std::vector<int16_t> moved(shown_.size(), -1);
  for (int row = 0; row < rows_; ++row) {
    const int fromRow = row + delta.y();
    if (fromRow < 0 || fromRow >= rows_)
      continue;
    for (int column = 0; column < columns_; ++column) {
      const int fromColumn = column + delta.x();
      if (fromColumn >= 0 && fromColumn < columns_)
        moved[row * columns_ + column] = shown_[fromRow * columns_ + fromColumn];
    }
  }
  shown_.swap(moved);
}

void MapCanvas::paintEvent(QPaintEvent* event) {
  ComposeCells();
  QPainter painter(this);
  painter.drawImage(event->rect().topLeft(), composed_, event->rect());
  view_.DrawOutlines(painter);
}

void MapCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  view_.UpdateScrollRanges();
}

void MapView::DrawOutlines(QPainter& painter) const {
  if (settings_ == nullptr || !showing())
    return;
  const SettingsBlock& settings = *settings_;
  const int cell = CellPixels();
  const QPoint origin = scrollCell();
  const auto corner = [&](QPoint c) { return (c - origin) * cell; };
  const auto storedCell = [&](std::size_t offset) {
    return QPoint(settings.Int(offset), settings.Int(offset + kClickCellRowField));
  };
  painter.setBrush(Qt::NoBrush);

  const bool showLeft = settings.Flag(settings::kMapShowLeftClick);
  const bool showRight = settings.Flag(settings::kMapShowRightClick);
  const QPoint left = storedCell(settings::kLeftClickCell);
  const QPoint right = storedCell(settings::kRightClickCell);
  const Rgb leftColour = settings.CustomColour(kLeftClickColour);
  const Rgb rightColour = settings.CustomColour(kRightClickColour);
  if (showLeft)
    DrawFrame(painter, corner(left), cell - 1, cell - 1, leftColour);
  if (showRight)
    DrawFrame(painter, corner(right), cell - 1, cell - 1, rightColour);
  if (showLeft && showRight && left == right) {
    const Rgb both{static_cast<uint8_t>(leftColour.red | rightColour.red),
                   static_cast<uint8_t>(leftColour.green | rightColour.green),
                   static_cast<uint8_t>(leftColour.blue | rightColour.blue)};
    DrawFrame(painter, corner(left), cell - 1, cell - 1, both);
  }

  if (settings.Flag(settings::kMapShowViewingArea) && hoverCell_.x() >= 0 &&
      hoverCell_.x() < kWorldMapSide && hoverCell_.y() >= 0 && hoverCell_.y() < kWorldMapSide) {
    DrawFrame(painter, corner(hoverCell_) - QPoint(kViewingLeft, kViewingAbove) * zoom_,
              (kViewingWidth + 1) * zoom_ - 1, (kViewingHeight + 1) * zoom_ - 1,
              settings.CustomColour(kViewingColour));
  }

  if (settings.Flag(settings::kMapGrid)) {
    const Rgb colour = settings.CustomColour(kGridColour);
    const int side = kDomainCells * cell;
    const QRect visible = canvas_->rect();
    for (int dy = 0; dy < kDomainsPerSide; ++dy) {
      for (int dx = 0; dx < kDomainsPerSide; ++dx) {
        const QPoint topLeft = corner(QPoint(dx, dy) * kDomainCells);
        if (QRect(topLeft, QSize(side, side)).intersects(visible))
          DrawFrame(painter, topLeft, side - 1, side - 1, colour);
      }
    }
  }
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
  view_.Press(event->button(), event->position().toPoint());
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
  view_.Drag(event->position().toPoint());
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  view_.Release(event->buttons());
}

void MapCanvas::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  view_.Leave();
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    const QPoint delta = event->angleDelta();
    QScrollBar* bar =
        std::abs(delta.x()) > std::abs(delta.y()) ? view_.horizontal_ : view_.vertical_;
    QApplication::sendEvent(bar, event);
    return;
  }
  event->accept();
  wheelRemainder_ += event->angleDelta().y();
  int zoom = view_.zoom();
  while (wheelRemainder_ >= kWheelStep) {
    wheelRemainder_ -= kWheelStep;
    ++zoom;
  }
  while (wheelRemainder_ <= -kWheelStep) {
    wheelRemainder_ += kWheelStep;
    --zoom;
  }
  view_.ZoomAround(zoom, event->position().toPoint());
}

}  // namespace kivo::ui
