#pragma once
// The drawn area of "Palettes": the original and the current battle palette
// with their numbers (fields 1280 and 1281, "%X"), and the 128 battle
// palettes in 8 groups of 16 rows. Positions are those of the picker
// geometry, measured from this widget's origin; a left press on a palette
// makes it current, a press on a gap slot or outside the groups does nothing.

#include <QWidget>
#include <array>
#include <cstdint>

#include "model/core/rom_view.h"
#include "model/gfx/battle_palettes.h"

class QLabel;
class QLineEdit;

namespace kivo {
class MasterPalette;
}

namespace kivo::ui {

class PaletteGrid : public QWidget {
  Q_OBJECT
 public:
  // The palettes are read once, here: the dialog only picks a number.
  PaletteGrid(const ConstRomView& rom, const MasterPalette& palette, uint8_t original,
              QWidget* parent = nullptr);

  uint8_t original() const { return original_; }
  // The original until a palette is picked, so a stored number of 0x80 or
  // more comes back unchanged when nothing is picked.
  uint8_t current() const { return current_; }

  // Picks the palette under `point` (widget pixels); false, and no change,
  // on a gap slot or outside the groups.
  bool ClickAt(QPoint point);

  // Where the original and the current palette are painted: x = 120, or
  // further right when a large font makes the captions wider than the room
  // before them; y = 10 and 36.
  QRect originalSwatches() const;
  QRect currentSwatches() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void currentChanged(int palette);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void PlaceRow(QLabel* caption, QLineEdit* number, int y, int captionWidth);
  void PaintPalette(QPainter& painter, int x, int y, int palette) const;

  const MasterPalette& palette_;
  std::array<BattlePalette, kBattlePaletteCount> palettes_;
  uint8_t original_;
  uint8_t current_;
  int swatchesX_ = kOriginalSwatchesX;
  QLineEdit* originalNumber_ = nullptr;  // 1280
  QLineEdit* currentNumber_ = nullptr;   // 1281
};

}  // namespace kivo::ui
