#include "ui/editors/formation_page.h"

#include <QLabel>
#include <QTest>

#include "demo/demo_formations.h"
#include "ui/framework/dialog.h"
#include "ui/gfx/colour_grid.h"
#include "ui/gfx/palette_grid.h"
#include "ui/gfx/swatch_row.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr std::size_t kExtra = 0x2CA30;
constexpr int kList = 1478, kFormation2 = 1260, kMonsterIndex = 1265, kQuantityIndex = 1266;
constexpr int kPattern = 1259, kUnknown = 1274, kPalette1 = 1273, kPalette2 = 1272;

using test::BattleColour;
using test::DemoImage;
using test::Find;

class FormationPageTest : public test::PageTest<ui::FormationPage> {
 protected:
  static std::size_t Record(int f) { return 0x2C630 + 8 * static_cast<std::size_t>(f); }
  static std::size_t MonsterSetRow(int m) { return 0x2CAB0 + 4 * static_cast<std::size_t>(m); }
  static std::size_t QuantityRow(int q) { return 0x2CBB0 + 4 * static_cast<std::size_t>(q); }
  // Per enemy k (0..3): monster list, least and greatest number, picture, palette 2 box.
  static int Enemy(int k) { return 1267 + k; }
  static int Least(int k) { return 1466 + 2 * k; }
  static int Greatest(int k) { return 1467 + 2 * k; }
  static int Picture(int k) { return 1474 + k; }
  static int UsesPalette2(int k) { return 1275 + k; }
  QListWidget* Formations() { return List(kList); }
  void ClickSwatch(int which, int k) {
    QTest::mouseClick(&page->swatches(which), Qt::LeftButton, {}, QPoint(16 * k + 8, 8));
  }
};

TEST_F(FormationPageTest, RefreshFillsTheListsAndShowsTheRememberedFormation) {
  settings.SetInt(settings::kSelectedFormation, 10);
  settings.SetField(settings::kFormationLabels, 2, "Goblin ambush");
  settings.SetField(settings::kPatternTableLabels, 1, "Forest");
  Open(DemoImage());

  EXPECT_EQ(Formations()->item(0)->text(), QStringLiteral("Formation 0"));
  EXPECT_EQ(Formations()->item(2)->text(), QStringLiteral("Goblin ambush"));
  EXPECT_EQ(Combo(kQuantityIndex)->count(), 122);
  EXPECT_EQ(Combo(kPattern)->itemText(1), QStringLiteral("Forest"));
  EXPECT_EQ(Combo(Enemy(3))->itemText(127).toStdString(), demo::DemoMonsterName(127));

  // Formation 10 of the demo: monster set 10 (leader 20), quantity set 10.
  EXPECT_FALSE(Box(kFormation2)->isChecked());
  EXPECT_EQ(Combo(kMonsterIndex)->currentIndex(), 10);
  EXPECT_EQ(Combo(kQuantityIndex)->currentIndex(), 10);
  const std::array<int, 4> monsters = {20, 21, 21, 22};
  const std::array<int, 4> least = {1, 2, 0, 1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Combo(Enemy(k))->currentIndex(), monsters[k]) << k;
    EXPECT_EQ(Edit(Least(k))->text().toInt(), least[k]) << k;
    EXPECT_EQ(Edit(Greatest(k))->text().toInt(), least[k] + 3) << k;
    EXPECT_EQ(Edit(Picture(k))->text().toInt(), 10 + k) << k;
    EXPECT_EQ(Box(UsesPalette2(k))->isChecked(), k == 1 || k == 3) << k;
  }
  EXPECT_EQ(Combo(kPattern)->currentIndex(), 10);
  EXPECT_EQ(Label(kPalette1), QStringLiteral("4A"));
  EXPECT_EQ(Label(kPalette2), QStringLiteral("42"));
  EXPECT_EQ(Edit(kUnknown)->text(), QStringLiteral("8A"));

  // "Formation 2" comes from the settings: the quantity index of byte 7.
  settings.SetFlag(settings::kFormation2, true);
  Refresh(ui::RefreshReason::Opened);
  EXPECT_TRUE(Box(kFormation2)->isChecked());
  EXPECT_EQ(Combo(kQuantityIndex)->currentIndex(), 17);
}

TEST_F(FormationPageTest, Formation2StoresTheQuantityIndexIntoTheByteThatWasShown) {
  settings.SetInt(settings::kSelectedFormation, 10);
  Open(DemoImage());

  Combo(kQuantityIndex)->setCurrentIndex(30);
  Box(kFormation2)->click();  // checked now
  EXPECT_EQ(Byte(Record(10) + 6), 30);
  EXPECT_EQ(Byte(Record(10) + 7), 17);
  EXPECT_EQ(Combo(kQuantityIndex)->currentIndex(), 17);
  EXPECT_TRUE(settings.Flag(settings::kFormation2));

  Combo(kQuantityIndex)->setCurrentIndex(40);
  Box(kFormation2)->click();  // unchecked again
  EXPECT_EQ(Byte(Record(10) + 6), 30);
  EXPECT_EQ(Byte(Record(10) + 7), 40);
  EXPECT_EQ(Combo(kQuantityIndex)->currentIndex(), 30);
}

TEST_F(FormationPageTest, SetEditsReachEveryFormationSharingTheRow) {
  settings.SetInt(settings::kSelectedFormation, demo::kDemoSharedSetFormation);
  Open(DemoImage());
  const int partner = demo::kDemoSharedSetPartner;

  // Enemy 1 of the shared monster set changes for both formations.
  Combo(Enemy(0))->setCurrentIndex(100);
  Formations()->setCurrentRow(partner);
  EXPECT_EQ(Byte(MonsterSetRow(3)), 100);
  EXPECT_EQ(Combo(Enemy(0))->currentIndex(), 100);

  // Edits go to the row selected when the store runs: another set row for
  // this formation, then enemy 1 of that row.
  Combo(kMonsterIndex)->setCurrentIndex(7);
  EXPECT_EQ(Combo(Enemy(0))->currentIndex(), 14);  // the row's own monsters show
  Combo(Enemy(0))->setCurrentIndex(99);
  Formations()->setCurrentRow(7);
  EXPECT_EQ(Byte(Record(partner) + 5), 7);
  EXPECT_EQ(Byte(MonsterSetRow(3)), 100);

  // Quantities clamp to 0..15 (pictures: formation_test).
  Type(Least(0), QStringLiteral("20"));
  Type(Greatest(0), QStringLiteral("20"));
  Type(Least(1), QStringLiteral("3"));
  page->save();
  EXPECT_EQ(Byte(QuantityRow(7)), 0xFF);
  EXPECT_EQ(Byte(QuantityRow(7) + 1) & 0x0F, 3);
}

// Set indexes past their tables: formation_test.
TEST_F(FormationPageTest, AnEmptyQuantityKeepsItsNibbleAndUnknownItsLowByte) {
  settings.SetInt(settings::kSelectedFormation, 21);
  Open(DemoImage());
  const uint8_t quantity = Byte(QuantityRow(21));
  Edit(Least(0))->clear();
  Edit(Greatest(0))->setText(QStringLiteral("9"));
  Edit(kUnknown)->setText(QStringLiteral("1ff"));
  page->save();
  EXPECT_EQ(Byte(QuantityRow(21)), 0x90 | (quantity & 0x0F));
  EXPECT_EQ(Byte(kExtra + 21), 0xFF);
  EXPECT_EQ(Edit(kUnknown)->text(), QStringLiteral("FF"));
}

TEST_F(FormationPageTest, PalettesAndSwatches) {
  settings.SetInt(settings::kSelectedFormation, demo::kDemoSharedSetFormation);
  Open(DemoImage());

  // A swatch of palette 2 writes at once, for every formation using it.
  prompts->modalScripts.push_back([](QDialog& dialog) {
    dialog.findChild<ui::ColourGrid*>()->ClickAt({8 + 16 * 0x0A + 3, 40 + 16 * 2 + 3});  // 0x2A
    return ui::kDialogOk;
  });
  ClickSwatch(1, 0);
  EXPECT_TRUE(prompts->modalScripts.empty());
  EXPECT_EQ(Byte(BattleColour(demo::kDemoSharedPalette, 0)), 0x2A);
  ASSERT_EQ(Byte(Record(11) + 4), demo::kDemoSharedPalette);
  Formations()->setCurrentRow(11);
  EXPECT_EQ(page->swatches(1).colours()[0], 0x2A);

  // "Change pal" is stored on OK.
  prompts->modalScripts.push_back([](QDialog& dialog) {
    dialog.findChild<ui::PaletteGrid*>()->ClickAt({24 + 64 * 2 + 16, 60 + 16 * 5});  // 0x25
    return ui::kDialogOk;
  });
  Button(1264)->click();
  EXPECT_EQ(Label(kPalette2), QStringLiteral("25"));
  EXPECT_EQ(Byte(Record(11) + 4), 0x25);
}

TEST_F(FormationPageTest, EditsAreStepsAsMadeAndUndoShowsThem) {
  settings.SetInt(settings::kSelectedFormation, 7);
  Open(DemoImage());
  QUndoStack& steps = RecordSteps();

  const uint8_t pictures = Byte(Record(7) + 2);
  Leave(Picture(2), QStringLiteral("20"));
  EXPECT_EQ(Byte(Record(7) + 2), 0xF0 | (pictures & 0x0F));
  EXPECT_EQ(steps.undoText(), QStringLiteral("Edit Enemy 3 Pic of Formation 7"));
  Formations()->setCurrentRow(8);  // nothing left to store
  EXPECT_EQ(steps.count(), 1);
  steps.undo();
  EXPECT_EQ(Formations()->currentRow(), 7);
  EXPECT_EQ(Byte(Record(7) + 2), pictures);
  EXPECT_EQ(Edit(Picture(2))->text(), QString::number(pictures >> 4));
}

TEST_F(FormationPageTest, MovingOnStoresEveryFieldOfTheRecord) {
  settings.SetInt(settings::kSelectedFormation, 10);
  Open(DemoImage());
  Box(UsesPalette2(0))->setChecked(true);
  Box(UsesPalette2(1))->setChecked(false);
  Type(Picture(0), QStringLiteral("2"));
  Type(Picture(3), QStringLiteral("9"));
  Pick(kPattern, 4);
  Type(kUnknown, QStringLiteral("3c"));
  Formations()->setCurrentRow(20);
  EXPECT_EQ(settings.Int(settings::kSelectedFormation), 20);
  EXPECT_EQ(Byte(Record(10)), 0x80 | 0x10 | 4);
  EXPECT_EQ(Byte(Record(10) + 1), 0x2B);
  EXPECT_EQ(Byte(Record(10) + 2), 0xC9);
  EXPECT_EQ(Byte(kExtra + 10), 0x3C);
}

}  // namespace
}  // namespace kivo
