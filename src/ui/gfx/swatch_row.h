#pragma once
// A row of 16 x 16 colour swatches drawn by the program: the three colours of
// a battle palette on the Equipment, Spells and Formation pages, or a row of
// world-map palette colours. Swatch k covers x 16k..16k + 15, y 0..15 of the
// widget; a left press on a swatch that shows a colour reports k.

#include <QWidget>
#include <cstdint>
#include <span>
#include <vector>

#include "model/core/rom_view.h"
#include "model/gfx/battle_palettes.h"

class QPainter;

namespace kivo {
class MasterPalette;
}

namespace kivo::ui {

// Fills one swatch at (x, y) with the screen colour of NES colour `colour`.
void FillSwatch(QPainter& painter, int x, int y, const MasterPalette& palette, uint8_t colour);

class SwatchRow : public QWidget {
  Q_OBJECT
 public:
  explicit SwatchRow(int count = kBattlePaletteColours, QWidget* parent = nullptr);

  int count() const { return count_; }

  // The master palette colours are looked up in when painting; without one
  // every swatch shows the background.
  void SetMasterPalette(const MasterPalette* palette);
  // NES colour numbers as stored (a byte above 0x3F is masked only for
  // display). Swatches past the end of `colours` are blank.
  void SetColours(std::span<const uint8_t> colours);
  // The three colours of battle palette `palette` as the image holds them.
  void ShowBattlePalette(const ConstRomView& rom, int palette);
  // Every swatch blank: painted in the background colour, clicks ignored.
  void Clear();

  const std::vector<uint8_t>& colours() const { return colours_; }
  bool shows(int k) const { return k >= 0 && k < static_cast<int>(colours_.size()); }

  // The swatch under `point` (widget pixels), or kNoHit.
  int SwatchAt(QPoint point) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // A left press, or a double click, on swatch k while it shows a colour.
  void swatchClicked(int k);
  void swatchDoubleClicked(int k);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int ShownSwatchAt(QMouseEvent* event) const;

  int count_;
  const MasterPalette* palette_ = nullptr;
  std::vector<uint8_t> colours_;
};

}  // namespace kivo::ui
