#include "ui/editors/spells_page.h"

#include <QGroupBox>
#include <QLabel>

#include "demo/demo_spells.h"
#include "ui/framework/dialog.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr auto Spell = [](int s) { return 0x305E9 + 7 * static_cast<std::size_t>(s); };
constexpr auto Record = [](int a) { return 0x30346 + 5 * static_cast<std::size_t>(a); };

using test::DemoImage;
using test::Find;

class SpellsPageTest : public test::PageTest<ui::SpellsPage> {
 protected:
  QListWidget* Spells() { return List(1407); }
  QListWidget* Records() { return List(1400); }
  // Ailment box `box` (0..6, bit 0x02 << box) as the user sees it.
  bool Shown(int box) { return !Box(1393 + box)->isHidden(); }
  bool FrameShown() { return !Find<QGroupBox>(*page, 1682)->isHidden(); }
};

TEST_F(SpellsPageTest, RefreshFillsEveryListAndSelectsTheRememberedRows) {
  demo::ImageBuilder image = DemoImage();
  image.Bytes(Record(7), {0x00, 3});
  settings.SetInt(settings::kSelectedSpell, demo::kDemoSleepSpell);
  settings.SetInt(settings::kSelectedSpellAi, 7);
  settings.SetField(settings::kSpellNameCache, 1, "Stale name");
  Open(image);

  EXPECT_EQ(Spells()->item(69)->text().toStdString(), demo::DemoSpellName(69));
  QComboBox* aiSpell = Combo(1401);
  EXPECT_EQ(aiSpell->itemText(0), QStringLiteral("Unused"));
  EXPECT_EQ(aiSpell->itemText(71).toStdString(), demo::DemoSpellName(69));
  // Records are named from the spell name cache, which is rebuilt from this image.
  EXPECT_EQ(Records()->item(0)->text().toStdString(), demo::DemoSpellName(0) + " 1");
  EXPECT_EQ(Records()->item(7)->text(), QStringLiteral("Attack 3"));

  EXPECT_EQ(List(1382)->currentRow(), 4);
  EXPECT_EQ(Find<QLabel>(*page, 1380)->text(),
            QString::number(Byte(Spell(demo::kDemoSleepSpell) + 5), 16).toUpper());
  EXPECT_EQ(Records()->currentRow(), 7);
  EXPECT_EQ(aiSpell->currentIndex(), 1);  // "Attack"
  EXPECT_EQ(Edit(1402)->text(), QStringLiteral("3"));

  // The Spells page keeps a remembered row it cannot show until a row is picked.
  ExpectRefreshKeepsRowsAndOutsideRowsShowRowZero(Spells(), settings::kSelectedSpell, true);
  ExpectRefreshKeepsRowsAndOutsideRowsShowRowZero(Records(), settings::kSelectedSpellAi, true);
}

TEST_F(SpellsPageTest, AilmentBoxesFollowTheTypeAndHiddenBoxesKeepTheirBits) {
  demo::ImageBuilder image = DemoImage();
  image.Bytes(Spell(10), {4, 50, 60, 0x00, 0x0B, 0x41, 3});  // bit 0x02 under a hidden box
  image.Bytes(Spell(11), {3, 50, 60, 0x00, 0xA2, 0x41, 3});
  Open(image);

  Spells()->setCurrentRow(10);
  EXPECT_TRUE(FrameShown());
  EXPECT_FALSE(Shown(0));
  EXPECT_EQ(Box(1394)->text(), QStringLiteral("Poison"));
  EXPECT_TRUE(Box(1395)->isChecked());  // 0x08 Sleep
  Box(1396)->setChecked(true);          // 0x10 Mute
  page->save();
  // Bit 0x02 stays, bit 0x01 is always written 0.
  EXPECT_EQ(Byte(Spell(10) + 4), 0x1A);

  Spells()->setCurrentRow(11);
  EXPECT_EQ(Box(1393)->text(), QStringLiteral("Blind"));
  EXPECT_TRUE(Shown(0));
  // Type 3 to 1: the boxes hide, the bits stay.
  List(1382)->setCurrentRow(1);
  EXPECT_FALSE(FrameShown());
  page->save();
  EXPECT_EQ(Bytes(Spell(11), 5), (std::vector<uint8_t>{1, 50, 60, 0x00, 0xA2}));
}

TEST_F(SpellsPageTest, StoredValuesWithoutARowAndEditsWithoutANumberAreKept) {
  demo::ImageBuilder image = DemoImage();
  image.Bytes(Spell(20), {40, 70, 80, 0x05, 0x00, 0x42, 0xFF});
  image.Bytes(Spell(21), {2, 70, 80, 0x05, 0x00, 0x42, 22});
  image.Bytes(Record(30), {0x00, 5, 90, 9, 20});
  image.Bytes(Record(31), {0x60, 5, 90, 0, 20});
  settings.SetInt(settings::kSelectedSpell, 20);
  settings.SetInt(settings::kSelectedSpellAi, 30);
  Open(image);

  EXPECT_EQ(List(1382)->currentRow(), -1);
  ExpectRawValue(1465, "0xFF");
  EXPECT_EQ(List(1405)->currentRow(), -1);
  // Edits holding no number keep the stored values.
  Type(1383, QString());
  Type(1402, QStringLiteral(" "));
  Type(1403, QString());
  EXPECT_TRUE(SaveChangesNothing());
  EXPECT_EQ(Edit(1383)->text(), QStringLiteral("70"));

  // A picked row replaces the stored value.
  Spells()->setCurrentRow(21);
  Records()->setCurrentRow(31);
  ExpectRawValue(1401, "0x60");
  Pick(1465, 0);
  Pick(1401, 1);  // "Attack"
  List(1405)->setCurrentRow(5);
  page->save();
  EXPECT_EQ(Byte(Spell(21) + 6), 0);
  EXPECT_EQ(Bytes(Record(31), 5), (std::vector<uint8_t>{0x00, 5, 90, 6, 20}));
}

TEST_F(SpellsPageTest, RecordEditsClampAndTheRowTextFollowsSpellAndLevel) {
  Open(DemoImage());
  Records()->setCurrentRow(10);
  const QString name = Combo(1401)->itemText(4);  // spell byte 3

  Combo(1401)->setCurrentIndex(4);
  Edit(1402)->setText(QStringLiteral("0"));
  EXPECT_EQ(Records()->item(10)->text(), name + QStringLiteral(" 0"));
  EXPECT_EQ(Records()->currentRow(), 10);
  Edit(1404)->setText(QStringLiteral("150"));
  Edit(1403)->setText(QStringLiteral("7"));
  page->save();
  EXPECT_EQ(Byte(Record(10)), 3);
  EXPECT_EQ(Byte(Record(10) + 1), 1);  // level 0 stored as 1
  EXPECT_EQ(Byte(Record(10) + 2), 100);
  EXPECT_EQ(Byte(Record(10) + 4), 7);
  EXPECT_EQ(Records()->item(10)->text(), name + QStringLiteral(" 1"));

  Edit(1402)->setText(QStringLiteral("40"));
  EXPECT_EQ(Records()->item(10)->text(), name + QStringLiteral(" 40"));
  Records()->setCurrentRow(11);  // moving on stores
  EXPECT_EQ(Byte(Record(10) + 1), 16);
  EXPECT_EQ(Records()->item(10)->text(), name + QStringLiteral(" 16"));

  // "Unused" stores 0xFF.
  Combo(1401)->setCurrentIndex(0);
  EXPECT_EQ(Records()->item(11)->text(), QStringLiteral("Unused"));
  Records()->setCurrentRow(12);
  EXPECT_EQ(Byte(Record(11)), 0xFF);
}

TEST_F(SpellsPageTest, MovingToAnotherRecordStoresEveryField) {
  Open(DemoImage());
  Spells()->setCurrentRow(5);
  Records()->setCurrentRow(20);

  List(1382)->setCurrentRow(17);
  Edit(1383)->setText(QStringLiteral("300"));
  Edit(1384)->setText(QStringLiteral("42"));
  Box(1392)->setChecked(true);  // Ice, 0x80
  Box(1385)->setChecked(false);
  Combo(1465)->setCurrentIndex(9);
  Edit(1404)->setText(QStringLiteral("33"));

  // Another spell record stores the record; another spell the spell.
  Records()->setCurrentRow(21);
  EXPECT_EQ(Byte(Record(20) + 2), 33);
  const uint8_t elements = Byte(Spell(5) + 3);
  Spells()->setCurrentRow(6);
  EXPECT_EQ(Bytes(Spell(5), 3), (std::vector<uint8_t>{17, 255, 42}));
  EXPECT_EQ(Byte(Spell(5) + 3), static_cast<uint8_t>((elements & 0x7E) | 0x80));
  EXPECT_EQ(Byte(Spell(5) + 6), 9);
  EXPECT_EQ(settings.Int(settings::kSelectedSpell), 6);
}

TEST_F(SpellsPageTest, EditsAreStepsAsMadeAndUndoShowsThem) {
  settings.SetInt(settings::kSelectedSpellAi, 10);
  Open(DemoImage());
  QUndoStack& steps = RecordSteps();
  const std::vector<uint8_t> before = Image();
  const QString name = Records()->item(10)->text();

  Leave(1402, QStringLiteral("40"));
  EXPECT_EQ(Byte(Record(10) + 1), 16);
  EXPECT_EQ(steps.undoText(), QStringLiteral("Edit Level of ") + name);
  Spells()->setCurrentRow(5);
  List(1382)->setCurrentRow(17);  // a row picked by key is stored too
  EXPECT_EQ(Byte(Spell(5)), 17);
  Records()->setCurrentRow(11);  // nothing left to store
  EXPECT_EQ(steps.count(), 2);

  steps.undo();
  EXPECT_EQ(Spells()->currentRow(), 5);
  EXPECT_EQ(List(1382)->currentRow(), Byte(Spell(5)));
  steps.undo();
  EXPECT_EQ(Records()->currentRow(), 10);
  EXPECT_EQ(Records()->item(10)->text(), name);
  EXPECT_EQ(Image(), before);
}

}  // namespace
}  // namespace kivo
