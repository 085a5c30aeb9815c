// The edit history through the main window on the demo workspace: each kind
// of edit undoes, redoes and reaches the file byte for byte; the pages follow
// each other; the modified state is the history's clean state.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QUndoView>
#include <functional>

#include "model/editors/character.h"
#include "model/text/text_categories.h"
#include "ui/core/main_window.h"
#include "ui/map/map_view.h"
#include "ui/map/maps_page.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Find;

class EditHistoryTest : public test::WindowTest {
 protected:
  std::string rom;

  void SetUp() override {
    WindowTest::SetUp();
    rom = StartOnDemo();
  }

  Bytes Image() const { return {state.document.image().begin(), state.document.image().end()}; }
  QWidget& Page(int tab) { return *window->page(tab); }
  QUndoStack& Stack() { return window->history().stack(); }

  // Types `text` into box `id` of the page of `tab` and presses Enter, as a user would.
  void Type(int tab, int id, const QString& text) {
    window->tabs()->setCurrentIndex(tab);
    auto* box = Find<QLineEdit>(Page(tab), id);
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }
  void Select(int tab, int listId, int row) {
    window->tabs()->setCurrentIndex(tab);
    Find<QListWidget>(Page(tab), listId)->setCurrentRow(row);
  }
};

TEST_F(EditHistoryTest, EveryKindOfEditUndoesRedoesAndReachesTheFile) {
  struct Kind {
    const char* name;
    int tab;
    std::function<void()> edit;
  };
  const Kind kinds[] = {
      {"a character's field", ui::kCharacterTab, [&] { Type(ui::kCharacterTab, 1183, "321"); }},
      {"a text entry", ui::kTextTab,
       [&] {
         Select(ui::kTextTab, 1209, 0);
         Select(ui::kTextTab, 1210, 3);
         Type(ui::kTextTab, 1217, "Tonic");
       }},
      {"a weapon's field", ui::kEquipmentTab, [&] { Type(ui::kEquipmentTab, 1195, "42"); }},
      {"a monster's field", ui::kMonsterTab, [&] { Type(ui::kMonsterTab, 1031, "1234"); }},
      {"a spell's field", ui::kSpellsTab, [&] { Type(ui::kSpellsTab, 1383, "77"); }},
      {"a shop's price", ui::kShopTab, [&] { Type(ui::kShopTab, 1408, "500"); }},
      {"a formation's field", ui::kFormationTab, [&] { Type(ui::kFormationTab, 1466, "2"); }},
      {"a map fill", ui::kMapsTab,
       [&] {
         window->tabs()->setCurrentIndex(ui::kMapsTab);
         ui::MapView& view = dynamic_cast<ui::MapsPage&>(Page(ui::kMapsTab)).mapView();
         view.SetFillMode(true);
         state.settings.SetInt(settings::kCurrentMetatile, 0x24);
         view.ScrollToCell(0, 0);
         QTest::mouseClick(view.canvasWidget(), Qt::LeftButton, {}, QPoint(8, 8));
       }},
  };
  for (int tab = 0; tab < ui::kTabCount; ++tab)
    window->page(tab);  // every page follows every step
  // The image, and the map grid, which reaches the image at Save.
  auto edited = [&] {
    Bytes all = Image();
    if (auto* maps = dynamic_cast<ui::MapsPage*>(window->builtPage(ui::kMapsTab)))
      all.insert(all.end(), maps->mapView().grid().begin(), maps->mapView().grid().end());
    return all;
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const Bytes before = edited();
    const Bytes file = test::TempDir::Read(rom);
    const int steps = Stack().count();
    kind.edit();
    const Bytes after = edited();
    ASSERT_NE(after, before);
    EXPECT_EQ(Stack().count(), steps + 1) << "one step";

    window->tabs()->setCurrentIndex(ui::kMainTab);
    window->Undo();
    EXPECT_EQ(edited(), before);
    EXPECT_EQ(window->tabs()->currentIndex(), kind.tab) << "undo shows where the step was made";
    window->Redo();
    EXPECT_EQ(edited(), after);
    ASSERT_TRUE(window->Save());
    EXPECT_EQ(test::TempDir::Read(rom), Image());
    EXPECT_NE(test::TempDir::Read(rom), file);
    EXPECT_TRUE(Stack().isClean());
  }
}

TEST_F(EditHistoryTest, ANameChangedOnTheTextPageIsCurrentEverywhereAtOnce) {
  // Lists that show names, each with a row selected.
  QListWidget* characters = Find<QListWidget>(Page(ui::kCharacterTab), 1028);
  QListWidget* weapons = Find<QListWidget>(Page(ui::kEquipmentTab), 1454);
  QListWidget* monsters = Find<QListWidget>(Page(ui::kMonsterTab), 1067);
  QComboBox* shopItem = Find<QComboBox>(Page(ui::kShopTab), 1223);
  Select(ui::kCharacterTab, 1028, 2);
  Select(ui::kEquipmentTab, 1454, 5);
  Select(ui::kMonsterTab, 1067, 3);
  const int weaponItemRow = 0x31 - 1;  // item ids from 1

  auto rename = [&](int category, int row, const QString& name) {
    Select(ui::kTextTab, 1209, category);
    Select(ui::kTextTab, 1210, row);
    Type(ui::kTextTab, 1217, name);
  };
  rename(kCharactersCategory, 0, QStringLiteral("Ria"));
  rename(1, 0, QStringLiteral("Twig"));  // Weapons row 0: item 0x31, weapon row 1
  rename(7, 0, QStringLiteral("Imp"));   // Monsters row 0
  EXPECT_TRUE(characters->item(0)->text().startsWith(QStringLiteral("Ria")));
  EXPECT_EQ(weapons->item(1)->text(), QStringLiteral("Twig"));
  EXPECT_EQ(shopItem->itemText(weaponItemRow), QStringLiteral("Twig"));
  EXPECT_EQ(monsters->item(0)->text(), QStringLiteral("Imp"));
  EXPECT_EQ(characters->currentRow(), 2);
  EXPECT_EQ(weapons->currentRow(), 5);
  EXPECT_EQ(monsters->currentRow(), 3);

  // Undone, the old names are back everywhere.
  window->Undo();
  EXPECT_NE(monsters->item(0)->text(), QStringLiteral("Imp"));
  window->Undo();
  EXPECT_NE(weapons->item(1)->text(), QStringLiteral("Twig"));
  EXPECT_NE(shopItem->itemText(weaponItemRow), QStringLiteral("Twig"));
}

TEST_F(EditHistoryTest, OneFieldMergesAndTheMenuNamesTheStep) {
  Select(ui::kCharacterTab, 1028, 1);
  const QString name = Find<QListWidget>(Page(ui::kCharacterTab), 1028)->item(1)->text();
  const Bytes before = Image();
  QAction* undo = window->findChild<QAction*>(QStringLiteral("undo"));
  QAction* redo = window->findChild<QAction*>(QStringLiteral("redo"));
  ASSERT_NE(undo, nullptr);
  ASSERT_NE(redo, nullptr);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(undo->shortcut(), QKeySequence::keyBindings(QKeySequence::Undo).front());
  EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));

  Type(ui::kCharacterTab, 1183, "500");
  Type(ui::kCharacterTab, 1183, "600");
  EXPECT_EQ(Stack().count(), 1) << "one field of one record: one step";
  EXPECT_EQ(undo->text(), QStringLiteral("Undo Edit HP of %1").arg(name));
  Type(ui::kCharacterTab, 1184, "700");
  EXPECT_EQ(Stack().count(), 2);

  // The title marks the unsaved edits; undoing back to the saved state asks
  // nothing at close.
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("[*]")));
  window->Undo();
  window->Undo();
  EXPECT_EQ(Image(), before);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_TRUE(redo->isEnabled());
  EXPECT_FALSE(window->isWindowModified());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Kivo - Character Editor"));
  // Typed back to what it was: no step at all.
  Type(ui::kCharacterTab, 1183, "9");
  Type(ui::kCharacterTab, 1183,
       QString::number(std::as_const(state.document).view().Word(kCharacterRecords + 0x80 + 8)));
  window->Undo();
  EXPECT_EQ(Image(), before);
  window->show();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(prompts->questions.empty());
}

TEST_F(EditHistoryTest, UndoHistoryGoesToTheStepClicked) {
  Type(ui::kCharacterTab, 1183, "11");
  Type(ui::kCharacterTab, 1184, "22");
  const Bytes edited = Image();
  prompts->modalScripts.push_back([](QDialog& dialog) {
    auto* view = dialog.findChild<QUndoView*>();
    EXPECT_NE(view, nullptr);
    EXPECT_EQ(view->model()->rowCount(), 3);  // the opened state, then two steps
    view->setCurrentIndex(view->model()->index(0, 0));
    return ui::kDialogOk;
  });
  window->findChild<QAction*>(QStringLiteral("undoHistory"))->trigger();
  EXPECT_EQ(Stack().index(), 0);
  EXPECT_NE(Image(), edited);
}

}  // namespace
}  // namespace kivo
