#include "ui/map/map_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "model/gfx/tile_canvas.h"
#include "model/map/flood_fill.h"
#include "ui/map/map_view_canvas.h"

namespace kivo::ui {

namespace {

// A window size stored as 0 or less (a fresh or damaged block) gets the default.
constexpr int kDefaultWidth = 320;
constexpr int kDefaultHeight = 259;
constexpr int kMinimumSide = 64;
constexpr int kMaximumSide = 16384;

enum StoredState { kMinimised = 0, kNormal = 1, kMaximised = 2 };

int StoredStateOf(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized)
    return kMinimised;
  if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
    return kMaximised;
  return kNormal;
}

int CellIndex(QPoint cell) {
  return cell.y() * kWorldMapSide + cell.x();
}

bool OnMap(QPoint cell) {
  return cell.x() >= 0 && cell.x() < kWorldMapSide && cell.y() >= 0 && cell.y() < kWorldMapSide;
}

// Rounds towards minus infinity, so pixels left of or above the canvas (the
// mouse is grabbed while a button is held) give negative cells.
int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

MapView::MapView(QWidget* owner)
    : QWidget(owner, Qt::Window),
      grid_(std::make_unique<WorldMapGrid>()),
      backupGrid_(std::make_unique<WorldMapGrid>()),
      encoding_(std::make_unique<WorldMapEncoding>()) {
  grid_->fill(0);
  backupGrid_->fill(0);
  setWindowTitle(QStringLiteral("World map...roar"));
  setObjectName(QStringLiteral("136"));

  canvas_ = new MapCanvas(*this);
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  vertical_ = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    bar->setSingleStep(1);
    bar->setTracking(true);
    connect(bar, &QScrollBar::valueChanged, canvas_, qOverload<>(&QWidget::update));
  }
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(canvas_, 0, 0);
  layout->addWidget(vertical_, 0, 1);
  layout->addWidget(horizontal_, 1, 0);
  resize(kDefaultWidth, kDefaultHeight);
  UpdateScrollRanges();
}

MapView::~MapView() = default;

void MapView::SetSources(const RomDocument* document, SettingsBlock* settings,
                         const MasterPalette* palette) {
  document_ = document;
  settings_ = settings;
  palette_ = palette;
}

void MapView::Refresh(bool reload) {
  if (document_ == nullptr || !document_->held()) {
    metatilePictures_ = QImage();
    RebuildCellPictures();
    return;
  }
  const ConstRomView rom = document_->view();
  metatiles_ = MetatileSet::Read(rom);
  if (reload) {
    // A row the image leaves short must not show cells of a previous image.
    grid_->fill(0);
    DecodeWorldMap(rom, *grid_);
  }
  static const MasterPalette kDefaultPalette;
  TileCanvas canvas(kMetatileCanvasWidth, kMetatileCanvasHeight);
  DrawMetatiles(canvas, palette_ != nullptr ? *palette_ : kDefaultPalette, rom, metatiles_);
  QImage indexed(canvas.pixels().data(), canvas.width(), canvas.height(), canvas.stride(),
                 QImage::Format_Indexed8);
  const auto table = canvas.colourTable();
  indexed.setColorTable(QList<QRgb>(table.begin(), table.end()));
  // Converted once here, so painting copies pixels without a colour lookup.
  metatilePictures_ = indexed.convertToFormat(QImage::Format_RGB32);
  RebuildCellPictures();
}

void MapView::RebuildCellPictures() {
  if (metatilePictures_.isNull())
    cellPictures_ = QImage();
  else if (zoom_ == 1)
    cellPictures_ = metatilePictures_;
  else
    cellPictures_ = metatilePictures_.scaled(metatilePictures_.size() * zoom_,
                                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
  ++picturesGeneration_;
  canvas_->update();
}

void MapView::SetFillMode(bool fill) {
  fillMode_ = fill;
}

QPoint MapView::scrollCell() const {
  return {horizontal_->value(), vertical_->value()};
}

void MapView::ScrollToCell(int x, int y) {
  horizontal_->setValue(x);
  vertical_->setValue(y);
}

void MapView::ShowCell(int x, int y) {
  if (windowState() & Qt::WindowMinimized)
    setWindowState(windowState() & ~Qt::WindowMinimized);
  const QPoint origin = scrollCell();
  const int columns = horizontal_->pageStep();
  const int rows = vertical_->pageStep();
  if (x >= origin.x() && x < origin.x() + columns && y >= origin.y() && y < origin.y() + rows)
    return;
  ScrollToCell(x - columns / 2, y - rows / 2);
}

QWidget* MapView::canvasWidget() const {
  return canvas_;
}

void MapView::UpdateScrollRanges() {
  if (horizontal_ == nullptr || vertical_ == nullptr)
    return;  // the canvas is sized while the window is still being built
  const int cell = CellPixels();
  // Whole cells that fit; the last position shows cell 255 whole.
  const int columns = std::max(1, canvas_->width() / cell);
  const int rows = std::max(1, canvas_->height() / cell);
  horizontal_->setRange(0, std::max(0, kWorldMapSide - columns));
  horizontal_->setPageStep(columns);
  vertical_->setRange(0, std::max(0, kWorldMapSide - rows));
  vertical_->setPageStep(rows);
}

void MapView::setZoom(int zoom) {
  ZoomAround(zoom, QPoint(canvas_->width(), canvas_->height()) / 2);
}

void MapView::ZoomAround(int zoom, QPoint anchor) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_)
    return;
  const QPoint under = CellAt(anchor);
  zoom_ = zoom;
  const int cell = CellPixels();
  UpdateScrollRanges();
  ScrollToCell(under.x() - FloorDiv(anchor.x(), cell), under.y() - FloorDiv(anchor.y(), cell));
  RebuildCellPictures();
}

QImage MapView::RenderWholeMap() const {
  QImage whole(kWorldMapSide * kMetatileSize, kWorldMapSide * kMetatileSize, QImage::Format_RGB32);
  whole.fill(Qt::black);
  if (metatilePictures_.isNull())
    return whole;
  // Row copies of each cell's square; 65,536 painter calls would take longer.
  const int rowBytes = kMetatileSize * 4;
  for (int y = 0; y < kWorldMapSide; ++y) {
    for (int x = 0; x < kWorldMapSide; ++x) {
      const PixelPoint origin = MetatileOrigin((*grid_)[y * kWorldMapSide + x]);
      for (int line = 0; line < kMetatileSize; ++line) {
        const uchar* from = metatilePictures_.constScanLine(origin.y + line) + origin.x * 4;
        uchar* to = whole.scanLine(y * kMetatileSize + line) + x * rowBytes;
        std::copy(from, from + rowBytes, to);
      }
    }
  }
  return whole;
}

// Window state, position and size.

void MapView::MoveFromSettings() {
  if (settings_ == nullptr)
    return;
  int width = settings_->Int(settings::kMapWindowWidth);
  int height = settings_->Int(settings::kMapWindowHeight);
  width = width <= 0 ? kDefaultWidth : std::clamp(width, kMinimumSide, kMaximumSide);
  height = height <= 0 ? kDefaultHeight : std::clamp(height, kMinimumSide, kMaximumSide);
  QPoint position(settings_->Int(settings::kMapWindowX), settings_->Int(settings::kMapWindowY));
  // A position no screen shows (another monitor set-up) would hide the window.
  const QRect wanted(position, QSize(width, height));
  const auto screens = QGuiApplication::screens();
  const bool seen = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
    return screen->availableGeometry().intersects(wanted);
  });
  if (!seen && QGuiApplication::primaryScreen() != nullptr)
    position = QGuiApplication::primaryScreen()->availableGeometry().topLeft();

  const int state = settings_->Int(settings::kMapWindowState);
  applyingState_ = true;
  setWindowState(Qt::WindowNoState);
  resize(width, height);
  move(position);
  if (state == kMinimised)
    setWindowState(Qt::WindowMinimized);
  else if (state == kMaximised)
    setWindowState(Qt::WindowMaximized);
  applyingState_ = false;
  StoreState();
}

void MapView::StoreState() {
  if (settings_ != nullptr)
    settings_->SetInt(settings::kMapWindowState, StoredStateOf(windowState()));
}

void MapView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || applyingState_)
    return;
  StoreState();
  canvas_->update();
}

void MapView::closeEvent(QCloseEvent* event) {
  // The close box never closes the view: it lives as long as its page.
  event->ignore();
  if (StoredStateOf(windowState()) == kNormal)
    setWindowState(windowState() | Qt::WindowMinimized);
  else
    setWindowState(Qt::WindowNoState);
  StoreState();
}

void MapView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // Only the normal window's place is kept, so a restore comes back to it.
  if (settings_ == nullptr || applyingState_ || StoredStateOf(windowState()) != kNormal)
    return;
  settings_->SetInt(settings::kMapWindowX, x());
  settings_->SetInt(settings::kMapWindowY, y());
}

void MapView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateScrollRanges();
  if (settings_ == nullptr || applyingState_ || StoredStateOf(windowState()) != kNormal)
    return;
  settings_->SetInt(settings::kMapWindowWidth, width());
  settings_->SetInt(settings::kMapWindowHeight, height());
}

void MapView::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    const QPoint mouse = canvas_->mapFromGlobal(QCursor::pos());
    const QPoint anchor = canvas_->rect().contains(mouse) ? mouse : canvas_->rect().center();
    switch (event->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        ZoomAround(zoom_ + 1, anchor);
        return;
      case Qt::Key_Minus:
        ZoomAround(zoom_ - 1, anchor);
        return;
      default:
        break;
    }
  }
  QWidget::keyPressEvent(event);
}

// Mouse rules.

QPoint MapView::CellAt(QPoint pos) const {
  const int cell = CellPixels();
  return scrollCell() + QPoint(FloorDiv(pos.x(), cell), FloorDiv(pos.y(), cell));
}

uint8_t MapView::CurrentMetatile() const {
  if (settings_ == nullptr)
    return 0;
  return static_cast<uint8_t>(settings_->Int(settings::kCurrentMetatile) & kMetatileMask);
}

void MapView::StoreCell(std::size_t offset, QPoint cell) {
  if (settings_ == nullptr)
    return;
  settings_->SetInt(offset, cell.x());
  settings_->SetInt(offset + kClickCellRowField, cell.y());
}

bool MapView::PaintCell(QPoint cell) {
  uint8_t& value = (*grid_)[CellIndex(cell)];
  const uint8_t metatile = CurrentMetatile();
  if (value == metatile)
    return false;
  value = metatile;
  return true;
}

void MapView::Press(Qt::MouseButton button, QPoint pos) {
  if (!showing())
    return;
  const QPoint cell = CellAt(pos);
  if (button == Qt::LeftButton) {
    leftHeld_ = true;
    lastDragCell_ = cell;
    // A press off the map may still drag onto it.
    if (!strokeBefore_)
      strokeBefore_ = std::make_unique<WorldMapGrid>();
    *strokeBefore_ = *grid_;
    stroking_ = true;
    strokeCell_ = cell;
    if (!OnMap(cell))
      return;
    StoreCell(settings::kLeftClickCell, cell);
    const bool changed =
        fillMode_ ? FloodFill(*grid_, cell.x(), cell.y(), CurrentMetatile()) > 0 : PaintCell(cell);
    canvas_->update();
    if (changed)
      emit mapEdited();
    if (changed && fillMode_) {
      // A fill is a step of its own at once; a drag after it paints a stroke.
      emit gridChanged(ByteChange::Between(*strokeBefore_, *grid_), true, cell);
      *strokeBefore_ = *grid_;
    }
    emit leftClicked(cell.x(), cell.y());
  } else if (button == Qt::RightButton) {
    rightHeld_ = true;
    if (!OnMap(cell))
      return;
    StoreCell(settings::kRightClickCell, cell);
    const uint8_t metatile = (*grid_)[CellIndex(cell)] & kMetatileMask;
    if (settings_ != nullptr) {
      settings_->SetInt(settings::kRightClickMetatile, metatile);
      settings_->SetInt(settings::kCurrentMetatile, metatile);
    }
    canvas_->update();
    emit rightClicked(cell.x(), cell.y());
  }
}

void MapView::Drag(QPoint pos) {
  if (!canvas_->rect().contains(pos)) {
    // Leaving the map while a button is held lets go of it.
    Leave();
    return;
  }
  Hover(pos);
  if (!leftHeld_ || !showing())
    return;
  // Every cell on the line from the last one, so a quick drag leaves no gaps.
  const QPoint to = CellAt(pos);
  const QPoint from = OnMap(lastDragCell_) ? lastDragCell_ : to;
  const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
  bool changed = false;
  for (int i = steps == 0 ? 0 : 1; i <= steps; ++i) {
    const QPoint cell = steps == 0 ? to
                                   : QPoint(from.x() + (to.x() - from.x()) * i / steps,
                                            from.y() + (to.y() - from.y()) * i / steps);
    if (OnMap(cell))
      changed = PaintCell(cell) || changed;
  }
  lastDragCell_ = to;
  if (OnMap(to))
    StoreCell(settings::kLeftClickCell, to);
  canvas_->update();
  if (changed)
    emit mapEdited();
}

void MapView::Release(Qt::MouseButtons stillHeld) {
  leftHeld_ = leftHeld_ && (stillHeld & Qt::LeftButton);
  if (!leftHeld_)
    FinishStroke();
  rightHeld_ = rightHeld_ && (stillHeld & Qt::RightButton);
}

void MapView::Hover(QPoint pos) {
  const QPoint cell = CellAt(pos);
  if (cell == hoverCell_)
    return;
  hoverCell_ = cell;
  if (settings_ != nullptr && settings_->Flag(settings::kMapShowViewingArea))
    canvas_->update();
}

void MapView::Leave() {
  leftHeld_ = false;
  rightHeld_ = false;
  FinishStroke();
}

void MapView::FinishStroke() {
  if (!stroking_)
    return;
  stroking_ = false;
  const ByteChange change = ByteChange::Between(*strokeBefore_, *grid_);
  if (!change.empty())
    emit gridChanged(change, false, strokeCell_);
}

}  // namespace kivo::ui
