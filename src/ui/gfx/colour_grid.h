#pragma once
// The drawn area of "Select a new color": the text "Current color:" beside
// the current colour's swatch, and the 64 colours of the master palette in
// 4 rows of 16. Positions are those of the picker geometry, measured from
// this widget's origin; a left press in the grid makes that colour current.

#include <QWidget>
#include <cstdint>

class QLabel;

namespace kivo {
class MasterPalette;
}

namespace kivo::ui {

class ColourGrid : public QWidget {
  Q_OBJECT
 public:
  ColourGrid(const MasterPalette& palette, uint8_t current, QWidget* parent = nullptr);

  // As given or as picked; a stored byte above 0x3F stays as it is until a pick.
  uint8_t current() const { return current_; }
  void SetCurrent(uint8_t colour);

  // Picks the colour under `point` (widget pixels); false, and no change,
  // outside the grid.
  bool ClickAt(QPoint point);

  // Where the current colour is painted: (84, 10), or further right when a
  // large font makes the caption wider than the room before it.
  QRect currentSwatchRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void currentChanged(int colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const MasterPalette& palette_;
  uint8_t current_;
  QLabel* caption_ = nullptr;
  int currentSwatchX_ = 0;
};

}  // namespace kivo::ui
