#include <QLineEdit>
#include <QListWidget>

#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::UiTest;

TEST(NumericEdit, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(ui::ReadDecimal(QStringLiteral("12abc")), 12);
  EXPECT_EQ(ui::ReadDecimal(QStringLiteral("  -7")), -7);
  EXPECT_EQ(ui::ReadDecimal(QStringLiteral("x12")), 0);
  EXPECT_EQ(ui::ReadDecimal(QStringLiteral("99999999999")), 2147483647);
  EXPECT_EQ(ui::ReadDecimal(QStringLiteral("-99999999999")), -2147483647 - 1);
  EXPECT_EQ(ui::ReadHex(QStringLiteral("0x2aZ")), 0x2A);
  EXPECT_EQ(ui::ReadHex(QStringLiteral("0x")), 0);
  EXPECT_EQ(ui::ReadHex(QStringLiteral("-10")), -16);
  EXPECT_EQ(ui::ReadHex(QStringLiteral("--")), 0);
  EXPECT_EQ(ui::FormatHex(0xABC0), QStringLiteral("ABC0"));
}

TEST_F(UiTest, ReplacingARowKeepsTheSelection) {
  QListWidget list;
  for (int i = 0; i < 8; ++i)
    list.addItem(QString::number(i));
  list.setCurrentRow(3);
  ui::ReplaceListEntry(list, QStringLiteral("five"), 5);
  EXPECT_EQ(list.currentRow(), 3);
  EXPECT_EQ(list.item(5)->text(), QStringLiteral("five"));
  EXPECT_EQ(list.count(), 8);
  ui::ReplaceListEntry(list, QStringLiteral("three"), -1);  // the selected row
  EXPECT_EQ(list.item(3)->text(), QStringLiteral("three"));
  list.setCurrentRow(-1);
  ui::ReplaceListEntry(list, QStringLiteral("none"), -1);  // nothing selected: nothing happens
  EXPECT_EQ(list.count(), 8);
}

}  // namespace
}  // namespace kivo
