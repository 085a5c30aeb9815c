#include "ui/map/maps_page.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <memory>

#include "demo/world_map_layout.h"
#include "model/map/encounters.h"
#include "model/map/world_map.h"
#include "support/temp_dir.h"
#include "ui/core/app_state.h"
#include "ui/core/main_window.h"
#include "ui/gfx/colour_grid.h"
#include "ui/gfx/swatch_row.h"
#include "ui/map/map_view.h"
#include "ui/map/tile_editor_dialog.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr int kIndexList = 1494, kMysidia = 1493, kFreeBytes = 1662, kFindKab = 1663;
constexpr int kBackupTiles = 1522, kRestoreTiles = 1486, kDestination = 1614, kRate = 1603;
constexpr int kTeleport = 1602;
constexpr std::array<int, 8> kFormationIds = {1489, 1490, 1491, 1492, 1498, 1499, 1500, 1501};
constexpr std::array<int, 8> kCountIds = {1497, 1505, 1506, 1507, 1509, 1510, 1511, 1512};
constexpr auto Slot = [](int index, int s) { return 0x2C290 + 8 * std::size_t(index) + s; };

using test::DemoImage;
using test::Find;

// A click on map cell (x, y) in the map window.
void ClickCell(ui::MapView& view, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
  view.resize(320, 320);
  view.ScrollToCell(x - 2, y - 2);
  const QPoint first = view.scrollCell();
  QTest::mouseClick(view.canvasWidget(), button, {},
                    QPoint(16 * (x - first.x()) + 8, 16 * (y - first.y()) + 8));
}

class MapsPageTest : public test::PageTest<ui::MapsPage> {
 protected:
  // Empties the fields first, so the correction never meets a half-typed set.
  void SetCounts(const std::array<int, 8>& counts) {
    for (int id : kCountIds)
      Type(id, QStringLiteral("0"));
    for (int s = 0; s < 8; ++s)
      Type(kCountIds[s], QString::number(counts[s]));
  }
};

TEST_F(MapsPageTest, RefreshShowsListsSlotsPropertiesAndFreeBytes) {
  settings.SetInt(settings::kEncounterIndex, 6);
  settings.SetInt(settings::kCurrentMetatile, 5);  // the demo town
  Open(DemoImage());

  EXPECT_EQ(List(kIndexList)->currentRow(), 6);
  EXPECT_FALSE(Box(kMysidia)->isChecked());
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(Combo(kFormationIds[s])->currentIndex(), Byte(Slot(6, s)) & 0x7F);
    EXPECT_EQ(Box(std::array{1496, 1502, 1503, 1504, 1508, 1513, 1514, 1515}[s])->isChecked(),
              (Byte(Slot(6, s)) & 0x80) != 0);
  }

  // The town teleports and has no encounters.
  EXPECT_TRUE(Box(kTeleport)->isChecked());
  EXPECT_TRUE(Combo(kDestination)->isEnabled());
  EXPECT_EQ(Combo(kDestination)->currentText(), QStringLiteral("Altea"));
  EXPECT_EQ(Combo(kRate)->currentText(), QStringLiteral("No random encounters"));

  auto scratch = std::make_unique<WorldMapEncoding>();
  const std::size_t free = FreeMapBytes(CompressedSize(page->mapView().grid(), *scratch));
  EXPECT_EQ(Label(kFreeBytes), QString::number(free));
}

TEST_F(MapsPageTest, BackgroundSwatchFourWritesEveryFirstColour) {
  Open(DemoImage());
  const std::vector<uint8_t> before = Image();
  prompts->modalScripts.push_back([](QDialog& dialog) {
    dialog.findChild<ui::ColourGrid*>()->ClickAt({8 + 16 * 0x0F + 3, 40 + 3});  // 0x0F
    return ui::kDialogOk;
  });
  QTest::mouseClick(&page->swatches(0), Qt::LeftButton, {}, QPoint(16 * 4 + 8, 8));
  EXPECT_TRUE(prompts->modalScripts.empty());
  std::vector<uint8_t> expected = before;
  for (std::size_t j = 0; j < 32; j += 4)
    expected[0x0390 + j] = 0x0F;
  EXPECT_EQ(Image(), expected);
  EXPECT_EQ(page->swatches(1).colours()[0], 0x0F);
}

TEST_F(MapsPageTest, DistributionIsStoredAndTheCorrectionEnds) {
  Open(DemoImage());
  SetCounts({10, 10, 10, 10, 10, 10, 0, 0});
  emit Edit(kCountIds[5])->editingFinished();  // stored as the field is left
  EXPECT_EQ(ReadSlotDistribution(std::as_const(document).view()),
            (SlotCounts{14, 10, 10, 10, 10, 10, 0, 0}));
  EXPECT_EQ(Text(kCountIds[0]), QStringLiteral("10")) << "kept as typed until shown again";
  page->save();
  EXPECT_EQ(Text(kCountIds[0]), QStringLiteral("14"));

  // Seven fields already at 64: the edited one gets what is left, 0, and the
  // correction stops there (every case: encounters_test).
  SetCounts({64, 0, 0, 0, 0, 0, 0, 0});
  Type(kCountIds[3], QStringLiteral("5"));
  EXPECT_EQ(Text(kCountIds[3]), QStringLiteral("0"));
}

TEST_F(MapsPageTest, MapClicksSelectTheDomainIndexAfterStoringTheSlots) {
  Open(DemoImage());
  page->setTabActive(true);
  const int normal = Byte(0x2C210 + 19), mysidia = Byte(0x2C250 + 19);
  ASSERT_NE(normal, mysidia);

  // An edit of the index shown is stored before a click selects another.
  const int shown = List(kIndexList)->currentRow();
  ASSERT_NE(shown, normal);
  Combo(kFormationIds[2])->setCurrentIndex(77);
  ClickCell(page->mapView(), 100, 70);
  EXPECT_EQ(Byte(Slot(shown, 2)) & 0x7F, 77);
  EXPECT_EQ(List(kIndexList)->currentRow(), normal);
  EXPECT_EQ(settings.Int(settings::kEncounterIndex), normal);
  EXPECT_EQ(Combo(kFormationIds[0])->currentIndex(), Byte(Slot(normal, 0)) & 0x7F);

  // The Mysidia Tower box re-reads the last left click from the other table,
  // storing the edit first as well.
  Combo(kFormationIds[5])->setCurrentIndex(12);
  Box(kMysidia)->click();
  EXPECT_EQ(Byte(Slot(normal, 5)) & 0x7F, 12);
  EXPECT_EQ(List(kIndexList)->currentRow(), mysidia);
  EXPECT_TRUE(settings.Flag(settings::kMapMysidiaCompleted));
  ClickCell(page->mapView(), 40, 40);
  EXPECT_EQ(List(kIndexList)->currentRow(), Byte(0x2C250 + 9));

  // A right click picks the cell's metatile up: the picker outlines it and
  // the properties show it.
  Box(1483)->click();
  const int town = page->mapView().grid()[74 * 256 + 74];  // a demo town
  ASSERT_EQ(town, 5);
  ClickCell(page->mapView(), 74, 74, Qt::RightButton);
  EXPECT_EQ(settings.Int(settings::kCurrentMetatile), 5);
  EXPECT_EQ(page->picker().rightOutline(), 5);
  EXPECT_TRUE(Box(kTeleport)->isChecked());
}

TEST_F(MapsPageTest, NewTablesKeepTheMapTheBackupsAndTheSlotEdits) {
  Open(DemoImage());
  page->mapView().grid()[5] = 0x24;
  prompts->yesNoAnswers = {true, false};
  Button(kBackupTiles)->click();
  const int shown = page->loadedIndex();
  Combo(kFormationIds[1])->setCurrentIndex(99);
  Refresh(ui::RefreshReason::TablesChanged);
  EXPECT_EQ(page->mapView().grid()[5], 0x24);
  EXPECT_EQ(page->backupMask(), 1);
  EXPECT_EQ(Byte(Slot(shown, 1)) & 0x7F, 99);
  Refresh(ui::RefreshReason::Opened);
  EXPECT_NE(page->mapView().grid()[5], 0x24);
}

TEST_F(MapsPageTest, BackupTilesAndRestoreAskOnlyAboutWhatWasBackedUp) {
  Open(DemoImage());
  for (int round = 0; round < 2; ++round) {
    prompts->yesNoAnswers = {true, false};
    Button(kBackupTiles)->click();
  }
  EXPECT_EQ(page->backupMask(), 1);
  prompts->questions.clear();
  prompts->yesNoAnswers = {true};
  Button(kRestoreTiles)->click();
  EXPECT_EQ(prompts->questions,
            std::vector<QString>{QStringLiteral("Restore backed up TSA data?")});
  EXPECT_EQ(prompts->texts().back(), QStringLiteral("Backed up TSA data has been restored."));
  Refresh(ui::RefreshReason::Opened);
  EXPECT_FALSE(Button(kRestoreTiles)->isEnabled());
}

// What the editor writes: map_dialogs_test.
TEST_F(MapsPageTest, ADoubleClickOnThePickerOpensTheTileEditorOnThatMetatile) {
  Open(DemoImage());
  bool opened = false;
  prompts->modalScripts.push_back([&opened](QDialog& dialog) {
    opened = dynamic_cast<ui::TileEditorDialog*>(&dialog) != nullptr;
    return ui::kDialogCancel;
  });
  QTest::mouseDClick(&page->picker(), Qt::LeftButton, {}, QPoint(16 * 3 + 4, 16 * 2 + 4));
  EXPECT_TRUE(opened);
  EXPECT_EQ(settings.Int(settings::kCurrentMetatile), 0x23);
}

TEST_F(MapsPageTest, AnUneditedSaveKeepsWhatThePageCannotShow) {
  // Every row is the same 256 alternating cells: the image's map re-encodes
  // far beyond its room, and its distribution is not in ascending order.
  demo::ImageBuilder image = DemoImage();
  std::vector<uint8_t> row(257, 0xFF);
  for (int c = 0; c < 256; ++c)
    row[c] = static_cast<uint8_t>(c % 2);
  demo::PlaceMapRow(image, 0, kMapDataOffset, row);
  for (int r = 1; r < 256; ++r)
    image.Word(kRowPointerTableOffset + 2 * r, image.view().Word(kRowPointerTableOffset));
  image.Bytes(kSlotDistributionOffset, {3, 1, 2, 0});
  Open(image);
  const std::vector<uint8_t> before = Image();
  EXPECT_EQ(page->saveRefusal(), "");
  page->save();
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(Label(kFreeBytes), QStringLiteral("0"));
}

TEST_F(MapsPageTest, ExportPngWritesTheWholeMap) {
  Open(DemoImage());
  test::TempDir dir;
  // A name typed without the extension gets the filter's.
  prompts->saveFiles.push_back(QString::fromStdString((dir.path() / "world").string()));
  for (QPushButton* button : page->findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("Export PNG..."))
      button->click();
  }
  EXPECT_EQ(QImage(QString::fromStdString((dir.path() / "world.png").string())).size(),
            QSize(4096, 4096));
}

// Through the main window, on the demo image saved to a file.
class MapsSaveTest : public test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window.Start(dir.path().string(), std::nullopt);
    prompts->openFiles.push_back(QString::fromStdString(path));
    window.ChooseAndOpen();
    window.tabs()->setCurrentIndex(ui::kMapsTab);
  }
  ui::MapsPage& Page() { return *dynamic_cast<ui::MapsPage*>(window.page(ui::kMapsTab)); }

  test::TempDir dir;
  const std::string path = dir.Write("demo.nes", DemoImage().Build());
  ui::AppState state;
  ui::MainWindow window{state};
};

TEST_F(MapsSaveTest, SaveRefusesAMapTooLargeAndKeepsTheFile) {
  WorldMapGrid& grid = Page().mapView().grid();
  for (std::size_t i = 0; i < grid.size(); ++i)
    grid[i] = static_cast<uint8_t>(i % 2);  // 257 bytes a row
  const std::vector<uint8_t> before = test::TempDir::Read(path);
  prompts->messages.clear();
  EXPECT_FALSE(window.Save());
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(prompts->messages[0].text.toStdString(), WorldMapTooLargeText(256 * 257 - 0x3C33));
  EXPECT_EQ(test::TempDir::Read(path), before);
  // "Find Kab" finds no free byte either.
  Find<QPushButton>(Page(), kFindKab)->click();
  EXPECT_EQ(Find<QLabel>(Page(), kFreeBytes)->text(), QStringLiteral("0"));
}

TEST_F(MapsSaveTest, AStrokeAndAFillAreStepsAndUndoShowsTheirCell) {
  ui::MapView& view = Page().mapView();
  QWidget* canvas = view.canvasWidget();
  QUndoStack& stack = window.history().stack();
  const auto opened = std::make_unique<WorldMapGrid>(view.grid());
  view.resize(320, 320);
  view.ScrollToCell(0, 200);
  const auto mouse = [&](QEvent::Type type, int x, Qt::MouseButtons held) {
    const QPointF at(16 * x + 8, 16 * 2 + 8);  // cell (x, 202)
    QMouseEvent event(type, at, canvas->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
    QCoreApplication::sendEvent(canvas, &event);
  };
  state.settings.SetInt(settings::kCurrentMetatile, 0x7F);
  mouse(QEvent::MouseButtonPress, 1, Qt::LeftButton);
  mouse(QEvent::MouseMove, 4, Qt::LeftButton);
  EXPECT_EQ(stack.count(), 0) << "a stroke is a step when the button is let go";
  mouse(QEvent::MouseButtonRelease, 4, Qt::NoButton);
  view.SetFillMode(true);
  state.settings.SetInt(settings::kCurrentMetatile, 0x24);
  ClickCell(view, 0, 0);
  ASSERT_EQ(stack.count(), 2);
  EXPECT_EQ(stack.text(0), QStringLiteral("Paint 4 map cells"));
  EXPECT_EQ(stack.text(1), QStringLiteral("Fill map"));

  window.tabs()->setCurrentIndex(ui::kMainTab);
  window.Undo();
  window.Undo();
  EXPECT_TRUE(view.grid() == *opened);
  EXPECT_EQ(window.tabs()->currentIndex(), ui::kMapsTab);

  // Map bytes another step changes are decoded again, and so is its undo.
  auto other = std::make_unique<WorldMapGrid>();
  other->fill(3);
  window.history().Commit(nullptr, {QStringLiteral("Map"), {}, {}}, [&](const RomView& rom) {
    WriteWorldMap(rom, *other, Page().mapView().encoding());
  });
  EXPECT_EQ(view.grid(), *other);
  window.Undo();
  EXPECT_EQ(view.grid(), *opened);

  // Save writes the map as a step of its own: undone with every step before
  // it, the image is the file as opened, the map bytes whole.
  window.Redo();
  ClickCell(view, 5, 5);  // fills the map of 3s
  ASSERT_TRUE(window.Save());
  EXPECT_EQ(stack.undoText(), QStringLiteral("Write the world map"));
  while (stack.canUndo())
    window.Undo();
  const std::span<const uint8_t> image = state.document.image();
  EXPECT_TRUE(std::ranges::equal(image, DemoImage().Build()));
  EXPECT_EQ(view.grid(), *opened);
}

TEST_F(MapsSaveTest, APaintedMapComesBackCellByCellAfterSaveAndReopen) {
  state.settings.SetInt(settings::kCurrentMetatile, 0x24);
  Page().mapView().SetFillMode(true);
  ClickCell(Page().mapView(), 0, 0);  // the sea around the demo islands
  Page().mapView().SetFillMode(false);
  state.settings.SetInt(settings::kCurrentMetatile, 0x7F);  // only ever a literal
  for (int x : {3, 4, 255})
    ClickCell(Page().mapView(), x, 255);
  const auto painted = std::make_unique<WorldMapGrid>(Page().mapView().grid());
  EXPECT_EQ((*painted)[255 * 256 + 255], 0x7F);

  ASSERT_TRUE(window.Save());
  window.Reopen();
  EXPECT_TRUE(Page().mapView().grid() == *painted);
}

}  // namespace
}  // namespace kivo
