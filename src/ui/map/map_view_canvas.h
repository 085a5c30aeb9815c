#pragma once
// The map view's drawing surface. It keeps the visible cells composed in an
// image of its own size and redraws only the cells whose metatile changed,
// so a repaint for a moved outline is one blit plus the outlines.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kivo::ui {

class MapView;

// A click cell is two ints in the settings block: the column, then the row.
inline constexpr std::size_t kClickCellRowField = 4;

class MapCanvas : public QWidget {
 public:
  explicit MapCanvas(MapView& view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Brings the composed image up to date with the grid and the scroll position.
  void ComposeCells();
  // Moves the composed cells by a scroll of `delta` cells.
  void ScrollComposed(QPoint delta);

  MapView& view_;
  QImage composed_;
  QImage spare_;  // the other buffer of a scroll
  // The metatile each composed cell shows, -1 when not drawn yet.
  std::vector<int16_t> shown_;
  int columns_ = 0;
  int rows_ = 0;
  QPoint origin_{-1, -1};
  int zoom_ = 0;
  uint64_t generation_ = 0;
  int wheelRemainder_ = 0;
};

}  // namespace kivo::ui
