#pragma once
// The drawn areas of "Editing tiles": the four quarters of the metatile, the
// close-up of one tile, the four background sub-palettes and the raw tile
// sheet. Each paints from the dialog's tile canvas and reports clicks in its
// own terms; where a click lands is decided by the functions below, measured
// from the area's own origin.

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

class QPainter;

namespace kivo {
class MasterPalette;
class TileCanvas;
}  // namespace kivo

namespace kivo::ui {

inline constexpr int kNoCell = -1;

// The raw sheet: 16 x 16 tiles shown twice their size.
inline constexpr int kRawScale = 2;
inline constexpr int kRawCell = 8 * kRawScale;
inline constexpr int kRawSide = 16 * kRawCell;
// The metatile: four tiles twice their size, top-left, top-right,
// bottom-left, bottom-right.
inline constexpr int kQuarterSide = 2 * kRawCell;
// The close-up: one tile sixteen times its size.
inline constexpr int kCloseUpScale = 16;
inline constexpr int kCloseUpSide = 8 * kCloseUpScale;
// Sub-palette rows: a margin that marks the chosen row, then four swatches.
// A row answers clicks two pixels into the next one, and the later row wins.
inline constexpr int kPaletteRows = 4;
inline constexpr int kPaletteSwatch = 16;
inline constexpr int kPaletteMargin = 16;
inline constexpr int kPaletteRowReach = kPaletteSwatch + 2;
inline constexpr int kPaletteRowsWidth = kPaletteMargin + 5 * kPaletteSwatch;
inline constexpr int kPaletteRowsHeight = (kPaletteRows - 1) * kPaletteSwatch + kPaletteRowReach;

// Tile 0..255 under (x, y) of the raw sheet, or kNoCell.
int RawCellAt(int x, int y);
QPoint RawCellOrigin(int tile);
// Quarter 0..3 under (x, y), or kNoCell.
int QuarterAt(int x, int y);
QPoint QuarterOrigin(int quarter);
// Pixel (column, row) of the close-up tile under (x, y).
std::optional<QPoint> CloseUpPixelAt(int x, int y);
// Sub-palette row under (x, y) of the palette area, or kNoCell.
int PaletteRowAt(int x, int y);
// Swatch (column, row) under (x, y), double clicks only.
std::optional<QPoint> PaletteSwatchAt(int x, int y);
QPoint PaletteSwatchOrigin(int column, int row);

// A 16 x 16 outline whose top-left pixel is `origin`.
void DrawCellFrame(QPainter& painter, QPoint origin, QColor colour);

class RawSheetArea : public QWidget {
  Q_OBJECT
 public:
  RawSheetArea(const TileCanvas& canvas, QWidget* parent = nullptr);
  void SetSelected(int tile, QColor frame);
  QSize sizeHint() const override { return {kRawSide, kRawSide}; }

 signals:
  void cellClicked(int tile);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TileCanvas& canvas_;
  int selected_ = 0;
  QColor frame_;
};

class QuarterArea : public QWidget {
  Q_OBJECT
 public:
  QuarterArea(const TileCanvas& canvas, QWidget* parent = nullptr);
  void SetTiles(const std::array<uint8_t, 4>& tiles, int selected, QColor frame);
  QSize sizeHint() const override { return {kQuarterSide, kQuarterSide}; }

 signals:
  void quarterClicked(int quarter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TileCanvas& canvas_;
  std::array<uint8_t, 4> tiles_{};
  int selected_ = 0;
  QColor frame_;
};

class CloseUpArea : public QWidget {
  Q_OBJECT
 public:
  CloseUpArea(const TileCanvas& canvas, QWidget* parent = nullptr);
  void SetTile(int tile);
  QSize sizeHint() const override { return {kCloseUpSide, kCloseUpSide}; }

 signals:
  void pixelClicked(int column, int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TileCanvas& canvas_;
  int tile_ = 0;
};

class PaletteRowsArea : public QWidget {
  Q_OBJECT
 public:
  PaletteRowsArea(const MasterPalette& palette, QWidget* parent = nullptr);
  // The 16 background colour numbers, row by row, and the metatile's row.
  void SetColours(std::span<const uint8_t> colours, int selectedRow);
  QSize sizeHint() const override { return {kPaletteRowsWidth, kPaletteRowsHeight}; }

 signals:
  void rowClicked(int row);
  void swatchDoubleClicked(int column, int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const MasterPalette& palette_;
  std::array<uint8_t, 4 * kPaletteRows> colours_{};
  int selectedRow_ = 0;
};

}  // namespace kivo::ui
