// Make room on the Text page, in the window on the demo workspace: a text
// that grows takes the bank's free bytes as one step, and one that does not
// fit changes nothing.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "demo/demo_tables.h"
#include "model/text/text_banks.h"
#include "model/text/text_categories.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Find;

class TextRoomTest : public test::WindowTest {
 protected:
  QWidget* page = nullptr;
  enum { kWrite, kKeepEditing, kDiscard, kMakeRoom };

  void SetUp() override {
    WindowTest::SetUp();
    StartOnDemo();
    window->tabs()->setCurrentIndex(ui::kTextTab);
    page = window->page(ui::kTextTab);
    Find<QListWidget>(*page, 1209)->setCurrentRow(0);  // Items
    Find<QListWidget>(*page, 1210)->setCurrentRow(3);
  }
  Bytes Image() const { return {state.document.image().begin(), state.document.image().end()}; }
  QString BankFree() { return page->findChild<QLabel*>(QStringLiteral("bankFree"))->text(); }
  std::vector<std::string> Items() {
    return EntryRowTexts(state.document.image(), 0, 0, demo::DemoDteTable(), state.settings);
  }
  void Type(const QString& text) {
    auto* box = Find<QLineEdit>(*page, 1217);
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
  }
};

TEST_F(TextRoomTest, ALongerTextTakesTheBanksFreeBytesAsOneStep) {
  const Bytes before = Image();
  const std::size_t free = PlanTextBankRepack(before, 0, 0).measure.free();
  ASSERT_GT(free, 12u) << "the demo's item bank has room";
  EXPECT_EQ(BankFree(), QStringLiteral("Bank free: %1 bytes").arg(free));
  std::vector<std::string> expected = Items();
  expected[3] += "abcdefghij";

  // The question's fourth answer, then the one question a session asks.
  prompts->choiceAnswers = {kMakeRoom, 0};
  Type(QString::fromStdString(expected[3]));
  ASSERT_EQ(prompts->questions.size(), 2u);
  EXPECT_TRUE(prompts->questions[1].startsWith(
      QStringLiteral("Make room moves the texts of bank 0x20010 and rewrites their 510 pointers.")))
      << prompts->questions[1].toStdString();
  EXPECT_EQ(Items(), expected);
  EXPECT_EQ(window->history().stack().undoText(), QStringLiteral("Make room in bank 0x20010"));
  // What is left over is no text's now, so it leaves the text space.
  EXPECT_EQ(BankFree(), QStringLiteral("Bank free: %1 bytes")
                            .arg(PlanTextBankRepack(Image(), 0, 0).measure.free()));
  EXPECT_EQ(Find<QLineEdit>(*page, 1217)->text().toStdString(), expected[3]);
  window->Undo();
  EXPECT_EQ(Image(), before);

  // Too long for the bank: it says by how much, nothing changes, and the
  // typed text stays to be shortened. The button asks no more.
  prompts->choiceAnswers = {kMakeRoom};
  prompts->questions.clear();
  Type(QString::fromStdString(expected[3] + std::string(free, 'x')));
  EXPECT_EQ(Image(), before);
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_TRUE(prompts->messages[0].text.startsWith(QStringLiteral("Bank 0x20010 needs ")));
  prompts->choiceAnswers = {kDiscard};
  Find<QListWidget>(*page, 1210)->setCurrentRow(4);
  Find<QLineEdit>(*page, 1217)->setText(QStringLiteral("Elixir of the Moonwell"));
  prompts->questions.clear();
  page->findChild<QPushButton*>(QStringLiteral("makeRoom"))->click();
  EXPECT_EQ(Items()[4], "Elixir of the Moonwell");
  EXPECT_TRUE(prompts->questions.empty());
}

}  // namespace
}  // namespace kivo
