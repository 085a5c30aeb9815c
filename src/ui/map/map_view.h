#pragma once
// The world map window: the 256 x 256 cells drawn from the metatile canvas,
// painted and picked up with the mouse, with the click, viewing-area and
// domain outlines in the custom colours.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "model/core/byte_change.h"
#include "model/gfx/metatiles.h"
#include "model/map/world_map.h"

class QPainter;
class QScrollBar;

namespace kivo {
class MasterPalette;
class RomDocument;
class SettingsBlock;
}  // namespace kivo

namespace kivo::ui {

class MapCanvas;

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 4;

// The "World map...roar" window. Created by the Maps page with the page as
// parent and the Qt::Window flag.
class MapView : public QWidget {
  Q_OBJECT
 public:
  explicit MapView(QWidget* owner);
  ~MapView() override;

  // What it shows; pointers are kept (document null: shows nothing). The
  // image is only read: the grid reaches it when the page saves.
  void SetSources(const RomDocument* document, SettingsBlock* settings,
                  const MasterPalette* palette);
  // Copies attributes and tile numbers from the image; decodes the map when
  // `reload`; rebuilds the canvas; repaints.
  void Refresh(bool reload);
  // State, position and size from the settings block.
  void MoveFromSettings();
  void SetFillMode(bool fill);
  bool fillMode() const { return fillMode_; }
  WorldMapGrid& grid() { return *grid_; }
  WorldMapGrid& backupGrid() { return *backupGrid_; }
  // The reused encoder buffer (Find KAB, save).
  WorldMapEncoding& encoding() { return *encoding_; }
  int zoom() const { return zoom_; }  // 1..4
  void setZoom(int zoom);
  // 4096 x 4096 at 1x, for "Export PNG...".
  QImage RenderWholeMap() const;

  // The cell shown at the top-left corner, and moving it (clamped to the
  // scroll ranges).
  QPoint scrollCell() const;
  void ScrollToCell(int x, int y);
  // Brings cell (x, y) into view: the window leaves the minimised state, and
  // scrolls to centre the cell unless it is shown already.
  void ShowCell(int x, int y);
  // The drawing surface, for tests that send mouse events or grab it.
  QWidget* canvasWidget() const;

 signals:
  void leftClicked(int x, int y);   // after a left press painted or filled cell (x, y)
  void rightClicked(int x, int y);  // after a right press picked the metatile of cell (x, y)
  void mapEdited();                 // any cell changed
  // One edit of the grid is done: a fill at once, a stroke of the left
  // button when it is let go. `change` is what it did to the grid, `cell`
  // the cell pressed (off the map when the stroke began off it).
  void gridChanged(const kivo::ByteChange& change, bool fill, QPoint cell);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class MapCanvas;

  int CellPixels() const { return kMetatileSize * zoom_; }
  bool showing() const { return !cellPictures_.isNull(); }
  void UpdateScrollRanges();
  // Zooms keeping the cell under `anchor` (canvas pixels) where it is.
  void ZoomAround(int zoom, QPoint anchor);
  void RebuildCellPictures();
  void StoreState();

  // Mouse handling, in canvas pixels.
  QPoint CellAt(QPoint pos) const;
  void Press(Qt::MouseButton button, QPoint pos);
  void Drag(QPoint pos);
  void Release(Qt::MouseButtons stillHeld);
  void Hover(QPoint pos);
  void Leave();
  // Reports the cells the stroke since the last press changed, if any.
  void FinishStroke();
  bool PaintCell(QPoint cell);
  uint8_t CurrentMetatile() const;
  void StoreCell(std::size_t offset, QPoint cell);

  // The outlines on top of the cells, for the canvas's paint.
  void DrawOutlines(QPainter& painter) const;

  const RomDocument* document_ = nullptr;
  SettingsBlock* settings_ = nullptr;
  const MasterPalette* palette_ = nullptr;

  std::unique_ptr<WorldMapGrid> grid_;
  std::unique_ptr<WorldMapGrid> backupGrid_;
  // The grid as a stroke found it (made at the first press, then reused).
  std::unique_ptr<WorldMapGrid> strokeBefore_;
  bool stroking_ = false;
  QPoint strokeCell_;
  std::unique_ptr<WorldMapEncoding> encoding_;
  MetatileSet metatiles_;
  QImage metatilePictures_;  // 256 x 128 at 1x, metatile m at MetatileOrigin(m)
  QImage cellPictures_;      // the same at the current zoom
  uint64_t picturesGeneration_ = 0;

  MapCanvas* canvas_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;

  bool fillMode_ = false;
  int zoom_ = kMinZoom;
  bool leftHeld_ = false;
  bool rightHeld_ = false;
  QPoint lastDragCell_{-1, -1};
  QPoint hoverCell_{-1, -1};
  bool applyingState_ = false;
};

}  // namespace kivo::ui
