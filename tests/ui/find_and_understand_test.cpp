// Finding and understanding data in the window: filters above the long
// lists, the Text page's Find, what a value box holds and where, shared
// entries, and the status bar.

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest/QtTest>

#include "demo/demo_image.h"
#include "ui/framework/tabs.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::Find;

QString Hex(std::size_t offset) {
  return QStringLiteral("0x") + QString::number(offset, 16).toUpper();
}

class FindAndUnderstandTest : public test::WindowTest {
 protected:
  std::string rom;

  void SetUp() override {
    WindowTest::SetUp();
    rom = StartOnDemo();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QWidget& Show(int tab) {
    window->tabs()->setCurrentIndex(tab);
    return *window->page(tab);
  }
  QString Status() const { return window->statusBar()->currentMessage(); }
  uint8_t Byte(std::size_t offset) const { return state.document.image()[offset]; }
  int Word(std::size_t offset) const { return Byte(offset) | Byte(offset + 1) << 8; }
};

TEST_F(FindAndUnderstandTest, FiltersHideRowsAndKeepTheSelection) {
  const std::pair<int, int> lists[] = {{ui::kCharacterTab, 1028}, {ui::kEquipmentTab, 1454},
                                       {ui::kEquipmentTab, 1456}, {ui::kFormationTab, 1478},
                                       {ui::kSpellsTab, 1407},    {ui::kSpellsTab, 1400},
                                       {ui::kShopTab, 1221},      {ui::kTextTab, 1210}};
  for (const auto& [tab, id] : lists)
    EXPECT_NE(Show(tab).findChild<QLineEdit*>(QStringLiteral("filter-%1").arg(id)), nullptr) << id;

  QWidget& page = Show(ui::kMonsterTab);
  auto* monsters = Find<QListWidget>(page, 1067);
  auto* filter = page.findChild<QLineEdit*>(QStringLiteral("filter-1067"));
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->placeholderText(), QStringLiteral("Filter"));
  monsters->setCurrentRow(5);
  monsters->setFocus();
  QTest::keyClick(monsters, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), filter);

  const QString wanted = monsters->item(40)->text().mid(1, 3);
  QTest::keyClicks(filter, wanted.toUpper());
  int shown = 0;
  for (int row = 0; row < monsters->count(); ++row) {
    const bool holds = monsters->item(row)->text().contains(wanted, Qt::CaseInsensitive);
    EXPECT_EQ(monsters->isRowHidden(row), !holds) << row;
    shown += holds ? 1 : 0;
  }
  EXPECT_LT(shown, monsters->count());
  EXPECT_EQ(monsters->currentRow(), 5);
  QTest::keyClick(filter, Qt::Key_Escape);
  EXPECT_TRUE(filter->text().isEmpty());
  for (int row = 0; row < monsters->count(); ++row)
    EXPECT_FALSE(monsters->isRowHidden(row));
  EXPECT_EQ(monsters->currentRow(), 5);

  // Name lists complete what is typed anywhere in a row.
  auto* enemy = Find<QComboBox>(Show(ui::kFormationTab), 1267);
  ASSERT_NE(enemy->completer(), nullptr);
  EXPECT_EQ(enemy->completer()->filterMode(), Qt::MatchContains);
  enemy->completer()->setCompletionPrefix(enemy->itemText(40).mid(2, 3));
  EXPECT_GE(enemy->completer()->completionCount(), 1);
}

TEST_F(FindAndUnderstandTest, TheTextPageFindsTextInAnyCategory) {
  QWidget& page = Show(ui::kTextTab);
  auto* categories = Find<QListWidget>(page, 1209);
  auto* entries = Find<QListWidget>(page, 1210);
  auto* text = Find<QLineEdit>(page, 1217);
  categories->setCurrentRow(3);
  entries->setCurrentRow(4);
  const QString wanted = text->text();
  ASSERT_FALSE(wanted.isEmpty());
  categories->setCurrentRow(0);

  auto* find = page.findChild<QLineEdit*>(QStringLiteral("textFind"));
  ASSERT_NE(find, nullptr);
  find->setText(wanted.toLower());
  QTest::keyClick(find, Qt::Key_F3);
  EXPECT_TRUE(text->text().contains(wanted, Qt::CaseInsensitive));
  const std::pair<int, int> first = {categories->currentRow(), entries->currentRow()};
  EXPECT_NE(first.first, 0);
  QTest::keyClick(find, Qt::Key_F3);
  QTest::keyClick(find, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(std::make_pair(categories->currentRow(), entries->currentRow()), first);

  find->setText(QStringLiteral("no entry holds this"));
  QTest::keyClick(find, Qt::Key_F3);
  EXPECT_EQ(std::make_pair(categories->currentRow(), entries->currentRow()), first);
  EXPECT_EQ(Status(), QStringLiteral("No entry holds \"no entry holds this\"."));
}

TEST_F(FindAndUnderstandTest, ValueBoxesSayTheirRangeAndPlaceAndWhatIsStored) {
  QWidget& monsters = Show(ui::kMonsterTab);
  Find<QListWidget>(monsters, 1067)->setCurrentRow(3);
  const int index = Find<QComboBox>(monsters, 1075)->currentIndex();
  const std::size_t at = 0x30CD3 + 2 * static_cast<std::size_t>(index);
  const QString line =
      QStringLiteral("0..65535 \u00B7 2 bytes at %1 (HP/MP value %2)").arg(Hex(at)).arg(index);
  auto* hp = Find<QLineEdit>(monsters, 1031);
  EXPECT_EQ(hp->toolTip(), line);
  hp->setFocus();
  EXPECT_EQ(Status(), line);

  hp->selectAll();
  QTest::keyClicks(hp, QStringLiteral("99999999"));
  QTest::keyClick(hp, Qt::Key_Return);
  EXPECT_EQ(hp->text(), QStringLiteral("65535"));
  EXPECT_EQ(Word(at), 0xFFFF);
  EXPECT_EQ(Status(), QStringLiteral("HP: 99999999 is more than 65535; 65535 is stored."));
  Find<QLineEdit>(monsters, 1032)->setFocus();  // the word stays for its five seconds
  EXPECT_EQ(Status(), QStringLiteral("HP: 99999999 is more than 65535; 65535 is stored."));

  QWidget& characters = Show(ui::kCharacterTab);
  const int character = Find<QListWidget>(characters, 1028)->currentRow();
  EXPECT_EQ(Find<QLineEdit>(characters, 1187)->toolTip(),
            QStringLiteral("0..99 \u00B7 1 byte at %1 (character %2, byte 0x10)")
                .arg(Hex(0xF90 + 0x80 * static_cast<std::size_t>(character) + 0x10))
                .arg(character));
  EXPECT_TRUE(Find<QLineEdit>(Show(ui::kTextTab), 1215)
                  ->toolTip()
                  .startsWith(QStringLiteral("hexadecimal, 00..FF")));
}

TEST_F(FindAndUnderstandTest, SharedEntriesAndRowsSayWhatTheyHold) {
  QWidget& page = Show(ui::kMonsterTab);
  auto* monsters = Find<QListWidget>(page, 1067);
  monsters->setCurrentRow(20);
  // HP and MP indexes select from one table, so both count.
  const int index = Find<QComboBox>(page, 1075)->currentIndex();
  QStringList users;
  for (int m = 0; m < 128; ++m) {
    const std::size_t record = 0x307D3 + 10 * static_cast<std::size_t>(m);
    if (Byte(record + 1) == index || Byte(record + 2) == index)
      users.append(monsters->item(m)->text());
  }
  auto* shared = page.findChild<QLabel*>(QStringLiteral("shared-1075"));
  ASSERT_NE(shared, nullptr);
  ASSERT_GT(users.size(), 1);
  EXPECT_EQ(shared->text(), QStringLiteral("shared by %1 monsters").arg(users.size()));
  EXPECT_EQ(shared->toolTip().split(u'\n').first(), users.first());
  EXPECT_EQ(Find<QComboBox>(page, 1075)->itemData(2, Qt::ToolTipRole).toString(),
            QStringLiteral("Index 2: %1").arg(Word(0x30CD3 + 4)));

  // Formation 0's row names its monsters and how many of each come.
  QWidget& formations = Show(ui::kFormationTab);
  const std::size_t record = 0x2C630;
  const std::size_t set = 0x2CAB0 + 4 * std::size_t{Byte(record + 5)};
  const std::size_t quantities = 0x2CBB0 + 4 * std::size_t{Byte(record + 6)};
  auto* enemy = Find<QComboBox>(formations, 1267);
  QStringList expected;
  for (std::size_t k = 0; k < 4; ++k) {
    const uint8_t q = Byte(quantities + k);
    if (q != 0)
      expected.append(QStringLiteral("%1 x %2-%3")
                          .arg(enemy->itemText(Byte(set + k)))
                          .arg(q & 0x0F)
                          .arg(q >> 4));
  }
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(Find<QListWidget>(formations, 1478)->item(0)->toolTip(),
            expected.join(QStringLiteral(", ")));
  EXPECT_TRUE(formations.findChild<QLabel*>(QStringLiteral("shared-1265"))
                  ->text()
                  .contains(QStringLiteral("shared")));
}

TEST_F(FindAndUnderstandTest, TheStatusBarNamesTheRomAndEachSave) {
  auto* romStatus = window->statusBar()->findChild<QLabel*>(QStringLiteral("romStatus"));
  ASSERT_NE(romStatus, nullptr);
  EXPECT_EQ(romStatus->text(),
            QStringLiteral("%1 \u00B7 standalone image").arg(QString::fromStdString(rom)));
  EXPECT_TRUE(window->Save());
  EXPECT_EQ(Status(), QStringLiteral("Saved game.nes"));
}

}  // namespace
}  // namespace kivo
