#include "ui/map/map_view.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <algorithm>

#include "demo/demo_image.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

class MapViewTest : public test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    settings.ResetToDefaults();
    document.Adopt(demo::BuildDemoImage(), "demo.nes");
    view = std::make_unique<ui::MapView>(nullptr);
    view->SetSources(&document, &settings, &palette);
    view->Refresh(true);
    view->resize(400, 300);
    view->show();
  }
  void TearDown() override {
    view.reset();
    UiTest::TearDown();
  }

  QWidget& Canvas() { return *view->canvasWidget(); }
  // The canvas pixel in the middle of cell (x, y) as shown now.
  QPoint PixelOf(int x, int y) {
    const int cell = 16 * view->zoom();
    const QPoint origin = view->scrollCell();
    return QPoint((x - origin.x()) * cell + cell / 2, (y - origin.y()) * cell + cell / 2);
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), Canvas().mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&Canvas(), &event);
  }
  void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, PixelOf(x, y), button, button);
  }
  void DragTo(int x, int y) {
    Mouse(QEvent::MouseMove, PixelOf(x, y), Qt::NoButton, Qt::LeftButton);
  }
  void Release(Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, PixelOf(0, 0), button, Qt::NoButton);
  }
  uint8_t& Cell(int x, int y) { return view->grid()[y * 256 + x]; }
  void SetCurrent(int metatile) { settings.SetInt(settings::kCurrentMetatile, metatile); }
  int State() { return settings.Int(settings::kMapWindowState); }

  SettingsBlock settings;
  RomDocument document;
  MasterPalette palette;
  std::unique_ptr<ui::MapView> view;
};

TEST_F(MapViewTest, FillChangesNothingOnTheCurrentMetatile) {
  view->grid().fill(0x1E);
  view->SetFillMode(true);
  SetCurrent(0x1E);
  QSignalSpy edited(view.get(), &ui::MapView::mapEdited);
  QSignalSpy clicked(view.get(), &ui::MapView::leftClicked);
  Press(3, 3);
  Release();
  EXPECT_TRUE(
      std::all_of(view->grid().begin(), view->grid().end(), [](uint8_t c) { return c == 0x1E; }));
  EXPECT_EQ(edited.count(), 0);
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 3);
  // Where the fill stops: flood_fill_test.
}

TEST_F(MapViewTest, DraggingInFillModePaintsSingleCells) {
  view->grid().fill(1);
  for (int x = 0; x < 256; ++x)
    Cell(x, 5) = 2;
  view->SetFillMode(true);
  SetCurrent(9);
  Press(2, 5);  // fills the whole stripe
  EXPECT_EQ(Cell(200, 5), 9);
  DragTo(2, 6);
  DragTo(2, 7);
  DragTo(6, 7);  // one quick move: the cells between are painted too
  Release();
  EXPECT_EQ(Cell(2, 6), 9);
  for (int x = 2; x <= 6; ++x)
    EXPECT_EQ(Cell(x, 7), 9) << x;
  EXPECT_EQ(Cell(7, 7), 1);
  EXPECT_EQ(settings.Int(settings::kLeftClickCell + 4), 7);

  // Released buttons paint nothing more; so does a drag after leaving the canvas.
  DragTo(10, 7);
  EXPECT_EQ(Cell(10, 7), 1);
  view->SetFillMode(false);
  Press(12, 8);
  Mouse(QEvent::MouseMove, QPoint(-20, 10), Qt::NoButton, Qt::LeftButton);
  DragTo(14, 8);
  EXPECT_EQ(Cell(14, 8), 1);
}

TEST_F(MapViewTest, RightClickPicksTheMetatileUpAndPressesOffTheMapAreIgnored) {
  Cell(40, 12) = 0x24;
  SetCurrent(3);
  view->ScrollToCell(30, 5);
  QSignalSpy picked(view.get(), &ui::MapView::rightClicked);
  Press(40, 12, Qt::RightButton);
  Release(Qt::RightButton);
  EXPECT_EQ(settings.Int(settings::kCurrentMetatile), 0x24);
  EXPECT_EQ(settings.Int(settings::kRightClickMetatile), 0x24);
  EXPECT_EQ(settings.Int(settings::kRightClickCell), 40);
  ASSERT_EQ(picked.count(), 1);

  view->ScrollToCell(0, 0);
  const WorldMapGrid before = view->grid();
  Mouse(QEvent::MouseButtonPress, QPoint(-5, 40), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, QPoint(40, -5), Qt::RightButton, Qt::RightButton);
  EXPECT_TRUE(view->grid() == before);
  EXPECT_EQ(picked.count(), 1);
}

TEST_F(MapViewTest, CloseBoxMinimisesFromNormalAndRestoresOtherwise) {
  settings.SetInt(settings::kMapWindowWidth, 500);
  settings.SetInt(settings::kMapWindowHeight, 350);
  settings.SetInt(settings::kMapWindowState, 1);
  view->MoveFromSettings();
  EXPECT_EQ(view->size(), QSize(500, 350));
  EXPECT_FALSE(view->close());
  EXPECT_TRUE(view->windowState() & Qt::WindowMinimized);
  EXPECT_EQ(State(), 0);
  EXPECT_FALSE(view->close());
  EXPECT_EQ(view->windowState(), Qt::WindowNoState);
  EXPECT_EQ(State(), 1);

  view->setWindowState(Qt::WindowMaximized);
  EXPECT_EQ(State(), 2);
  EXPECT_FALSE(view->close());  // restores
  EXPECT_EQ(State(), 1);
  view->resize(420, 330);
  EXPECT_EQ(settings.Int(settings::kMapWindowWidth), 420);

  // A damaged size does not give an unusable window.
  settings.SetInt(settings::kMapWindowWidth, -7);
  settings.SetInt(settings::kMapWindowHeight, 1 << 30);
  view->MoveFromSettings();
  EXPECT_GT(view->width(), 0);
  EXPECT_LE(view->height(), 16384);
}

TEST_F(MapViewTest, ScrollingShowsTheRightCellsUpToTheLastOne) {
  for (std::size_t flag : {settings::kMapGrid, settings::kMapShowLeftClick,
                           settings::kMapShowRightClick, settings::kMapShowViewingArea})
    settings.SetFlag(flag, false);
  for (int i = 0; i < 256 * 256; ++i)
    view->grid()[i] = static_cast<uint8_t>((i * 7 + i / 256) % 128);
  view->Refresh(false);
  const QImage whole = view->RenderWholeMap();
  (void)Canvas().grab();
  // Moved cells and cells scrolled in both match the whole map.
  for (QPoint to : {QPoint(3, 2), QPoint(40, 40)}) {
    view->ScrollToCell(to.x(), to.y());
    const QImage shot = Canvas().grab().toImage();
    for (QPoint at : {QPoint(1, 1), QPoint(shot.width() - 2, shot.height() - 2)})
      EXPECT_EQ(shot.pixel(at), whole.pixel(at + to * 16)) << to.x() << " " << at.x();
  }
  // Rows of one metatile each: the cells scrolled in sideways equal the ones
  // that were there before, and must still be drawn.
  for (int i = 0; i < 256 * 256; ++i)
    view->grid()[i] = static_cast<uint8_t>((i / 256) % 128);
  view->ScrollToCell(0, 40);
  (void)Canvas().grab();
  view->ScrollToCell(2, 40);
  const QImage rows = view->RenderWholeMap();
  const QImage shot = Canvas().grab().toImage();
  const QPoint edge(shot.width() - 3, 20);
  EXPECT_EQ(shot.pixel(edge), rows.pixel(edge + QPoint(2, 40) * 16));

  for (int zoom : {1, 3}) {
    view->setZoom(zoom);
    view->ScrollToCell(1000, 1000);
    const int cell = 16 * zoom;
    const QPoint origin = view->scrollCell();
    const QRect last((255 - origin.x()) * cell, (255 - origin.y()) * cell, cell, cell);
    EXPECT_TRUE(Canvas().rect().contains(last)) << zoom;
  }
}

TEST_F(MapViewTest, BothClicksOnOneCellAreOutlinedInTheOrOfTheirColours) {
  settings.SetFlag(settings::kMapShowLeftClick, true);
  settings.SetFlag(settings::kMapShowRightClick, true);
  settings.SetCustomColour(0, {0xC0, 0x01, 0x00});
  settings.SetCustomColour(1, {0x0C, 0x00, 0x30});
  settings.SetInt(settings::kLeftClickCell, 2);
  settings.SetInt(settings::kLeftClickCell + 4, 1);
  settings.SetInt(settings::kRightClickCell, 2);
  settings.SetInt(settings::kRightClickCell + 4, 1);
  QImage shot = Canvas().grab().toImage();
  EXPECT_EQ(shot.pixel(47, 31), qRgb(0xCC, 0x01, 0x30));

  settings.SetInt(settings::kRightClickCell, 4);
  shot = Canvas().grab().toImage();
  EXPECT_EQ(shot.pixel(32, 16), qRgb(0xC0, 0x01, 0x00));
  // Inside the frame the cell's own picture shows, as the whole-map export has it.
  EXPECT_EQ(shot.pixel(40, 24), view->RenderWholeMap().pixel(40, 24));
}

TEST_F(MapViewTest, ZoomKeepsTheCellUnderTheMouseUpToFourTimes) {
  view->ScrollToCell(100, 100);
  const QPoint at(200, 150);
  const QPoint under = view->scrollCell() + QPoint(200 / 16, 150 / 16);
  QWheelEvent wheel(QPointF(at), Canvas().mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&Canvas(), &wheel);
  ASSERT_EQ(view->zoom(), 2);
  EXPECT_EQ(view->scrollCell() + QPoint(200 / 32, 150 / 32), under);

  view->setZoom(9);
  EXPECT_EQ(view->zoom(), 4);
}

}  // namespace
}  // namespace kivo
