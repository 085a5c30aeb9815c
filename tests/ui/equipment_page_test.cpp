#include "ui/editors/equipment_page.h"

#include <QLabel>
#include <QTest>

#include "demo/demo_equipment.h"
#include "ui/framework/dialog.h"
#include "ui/gfx/swatch_row.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr auto Weapon = [](int row) { return 0x30106 + 9 * static_cast<std::size_t>(row); };
constexpr auto Armour = [](int row) { return 0x30010 + 6 * static_cast<std::size_t>(row); };
constexpr auto SpellRecord = [](int m) { return 0x30346 + 5 * static_cast<std::size_t>(m); };
constexpr std::size_t kPalettes = 0x2CD8E;

constexpr int kIronSwordPalette = demo::kDemoMaterialPalettes + 2;

using test::BattleColour;
using test::DemoImage;
using test::Find;

class EquipmentPageTest : public test::PageTest<ui::EquipmentPage> {
 protected:
  QListWidget* Weapons() { return List(1454); }
  QListWidget* Armours() { return List(1456); }
  QListWidget* Effects() { return List(1194); }
  QString PaletteText() { return Find<QLabel>(*page, 1453)->text(); }
  // Ailment box `box` (0..6) as the user sees it.
  bool Shown(int box) { return !Box(1125 + box)->isHidden(); }
  bool Ticked(int box) { return Box(1125 + box)->isChecked(); }
  void ClickSwatch(int k) {
    QTest::mouseClick(&page->swatches(), Qt::LeftButton, {}, QPoint(16 * k + 8, 8));
  }
};

TEST_F(EquipmentPageTest, RefreshFillsEveryListAndSelectsTheRememberedRows) {
  demo::ImageBuilder image = DemoImage();
  image.Bytes(SpellRecord(5), {0x50, 9});  // past the 71 cache fields
  settings.SetInt(settings::kSelectedWeapon, demo::kDemoIronSwordRow);
  settings.SetInt(settings::kSelectedArmour, 7);
  Open(image);

  EXPECT_EQ(Weapons()->item(0)->text(), QStringLiteral("Unequipped"));
  EXPECT_EQ(Weapons()->item(63)->text().toStdString(), demo::DemoItemName(0x6F));
  EXPECT_EQ(Armours()->item(40)->text().toStdString(), demo::DemoItemName(0x97));
  EXPECT_EQ(page->loadedArmour(), 7);
  QComboBox* cast = Combo(1064);
  EXPECT_EQ(cast->itemText(1).toStdString(), demo::DemoSpellName(0) + " 1");
  EXPECT_EQ(cast->itemText(6), QStringLiteral("(raw value 0x50) 9"));

  // The Iron Sword and its palette.
  EXPECT_EQ(Combo(1199)->currentText(), QStringLiteral("Sword"));
  EXPECT_EQ(PaletteText(), QString::number(kIronSwordPalette, 16).toUpper());
  EXPECT_EQ(page->swatches().colours()[2], Byte(BattleColour(kIronSwordPalette, 2)));

  ExpectRefreshKeepsRowsAndOutsideRowsShowRowZero(Weapons(), settings::kSelectedWeapon);
  EXPECT_EQ(PaletteText(), QStringLiteral("--"));  // "Unequipped" has no picture palette
}

TEST_F(EquipmentPageTest, SaveClampsAndMovingBetweenRecordsKeepsEveryEdit) {
  Open(DemoImage());
  Weapons()->setCurrentRow(demo::kDemoIronSwordRow);
  Armours()->setCurrentRow(9);

  // Attack, Accuracy and the rest ("x" is not a number: 0).
  const std::pair<int, const char*> typed[] = {
      {1195, "300"}, {1196, "-5"}, {1197, "12"}, {1198, "x"}};
  for (auto [id, text] : typed)
    Type(id, QString::fromLatin1(text));
  Box(1464)->setChecked(true);  // Ice
  Box(1208)->setChecked(true);  // Undead
  Pick(1064, 3);                // spell record 2
  Pick(1199, 7);                // Bow
  Type(1015, QStringLiteral("77"));
  Pick(1013, 0);                // "--none--"
  Box(1020)->setChecked(true);  // Mind, bit 0x04

  // Picking another armour row stores the weapon edits as well.
  Armours()->setCurrentRow(10);
  EXPECT_EQ(Bytes(Weapon(demo::kDemoIronSwordRow), 9),
            (std::vector<uint8_t>{7, 0, 255, 12, 0, 0x80, 0x80, 0x00, 2}));
  EXPECT_EQ(Byte(Armour(9)), 77);
  EXPECT_EQ(Byte(Armour(9) + 3) & 0x04, 0x04);
  EXPECT_EQ(Byte(Armour(9) + 4), 0xFF);
  EXPECT_EQ(settings.Int(settings::kSelectedArmour), 10);

  // Picking another weapon row stores the armour edits.
  Type(1017, QStringLiteral("256"));
  Pick(1013, 6);  // Magic
  Weapons()->setCurrentRow(1);
  EXPECT_EQ(Byte(Armour(10) + 5), 255);
  EXPECT_EQ(Byte(Armour(10) + 4), 5);

  // The shell's Save writes both.
  Type(1016, QStringLiteral("4"));
  Type(1195, QStringLiteral("99"));
  page->save();
  EXPECT_EQ(Byte(Armour(10) + 1), 4);
  EXPECT_EQ(Byte(Weapon(1) + 2), 99);
}

// Bits no box shows: equipment_bits_test.
TEST_F(EquipmentPageTest, AilmentBoxesFollowTheEffectRowAndTheImage) {
  Open(DemoImage());
  Weapons()->setCurrentRow(demo::kDemoBlindKnifeRow);  // byte 7 = 0x03

  EXPECT_EQ(Effects()->currentRow(), 1);
  for (int box = 0; box < 7; ++box)
    EXPECT_TRUE(Shown(box)) << box;
  EXPECT_TRUE(Ticked(0));
  EXPECT_FALSE(Ticked(1));
  EXPECT_EQ(Box(1125)->text(), QStringLiteral("Blind"));

  // Ticking Envenom, showing "Drain HP" and coming back shows the image.
  Box(1126)->setChecked(true);
  Effects()->setCurrentRow(3);
  for (int box = 0; box < 7; ++box)
    EXPECT_FALSE(Shown(box) || Ticked(box));
  Effects()->setCurrentRow(1);
  EXPECT_TRUE(Ticked(0));
  EXPECT_FALSE(Ticked(1));
  Box(1126)->setChecked(true);
  Effects()->setCurrentRow(3);
  page->save();
  EXPECT_EQ(Byte(Weapon(demo::kDemoBlindKnifeRow) + 7), 0x04);

  // Row 2 hides the first box and names the temporary ailments.
  Weapons()->setCurrentRow(demo::kDemoSleepBowRow);  // 0x4A
  EXPECT_EQ(Effects()->currentRow(), 2);
  EXPECT_FALSE(Shown(0));
  EXPECT_EQ(Box(1127)->text(), QStringLiteral("Sleep"));
  EXPECT_TRUE(Ticked(2));
  EXPECT_TRUE(Ticked(5));
  Box(1131)->setChecked(true);  // Confusion
  page->save();
  EXPECT_EQ(Byte(Weapon(demo::kDemoSleepBowRow) + 7), 0xCA);

  // Labels: new captions and rows; ticks not yet saved stay.
  Box(1126)->setChecked(true);
  prompts->modalScripts.push_back([](QDialog& dialog) {
    Find<QLineEdit>(dialog, 1433)->setText(QStringLiteral("Daze"));   // effect row 2
    Find<QLineEdit>(dialog, 1438)->setText(QStringLiteral("Venom"));  // temporary 0x04
    dialog.accept();
    return ui::kDialogOk;
  });
  Button(1452)->click();
  EXPECT_EQ(Effects()->item(2)->text(), QStringLiteral("Daze"));
  EXPECT_EQ(Box(1126)->text(), QStringLiteral("Venom"));
  page->save();
  EXPECT_EQ(Byte(Weapon(demo::kDemoSleepBowRow) + 7), 0xCE);
}

TEST_F(EquipmentPageTest, EditsAreStepsAsMadeAndUndoShowsThem) {
  settings.SetInt(settings::kSelectedArmour, 9);
  Open(DemoImage());
  QUndoStack& steps = RecordSteps();
  const std::vector<uint8_t> before = Image();

  Leave(1015, QStringLiteral("77"));
  EXPECT_EQ(Byte(Armour(9)), 77);
  EXPECT_EQ(steps.undoText(), QStringLiteral("Edit Defense of ") + Armours()->item(9)->text());
  Weapons()->setCurrentRow(demo::kDemoIronSwordRow);
  Leave(1195, QStringLiteral("300"));
  EXPECT_EQ(Byte(Weapon(demo::kDemoIronSwordRow) + 2), 255);
  EXPECT_EQ(Text(1195), QStringLiteral("300"));  // as typed until shown again
  // Nothing is left to store.
  Armours()->setCurrentRow(10);
  Weapons()->setCurrentRow(1);
  EXPECT_EQ(steps.count(), 2);

  // Undo selects the record of the step and shows it as the image holds it.
  steps.undo();
  EXPECT_EQ(Weapons()->currentRow(), demo::kDemoIronSwordRow);
  EXPECT_EQ(Text(1195), QString::number(Byte(Weapon(demo::kDemoIronSwordRow) + 2)));
  steps.undo();
  EXPECT_EQ(Armours()->currentRow(), 9);
  EXPECT_EQ(Image(), before);
}

TEST_F(EquipmentPageTest, RowsBelowTenHaveNoPicturePalette) {
  demo::ImageBuilder image = DemoImage();
  image.Byte(kPalettes + 5, 0x33);
  Open(image);
  Weapons()->setCurrentRow(5);

  EXPECT_EQ(PaletteText(), QStringLiteral("--"));
  EXPECT_FALSE(Button(1200)->isEnabled());
  EXPECT_FALSE(Button(1124)->isEnabled()) << "Edit Gfx has no command";
  prompts->modalScripts.push_back([](QDialog&) { return ui::kDialogOk; });
  ClickSwatch(0);
  EXPECT_EQ(prompts->modalScripts.size(), 1u);  // no dialog opened
  prompts->modalScripts.clear();
  EXPECT_TRUE(SaveChangesNothing());
}

}  // namespace
}  // namespace kivo
