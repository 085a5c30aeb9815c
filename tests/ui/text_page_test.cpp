#include "ui/text/text_page.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr int kItems = 0;
constexpr int kDialogue1 = 11;

using test::DemoImage;
using test::Find;

// Codes of the demo tables.
uint8_t Code(char c) {
  if (c >= 'A' && c <= 'Z')
    return demo::kDemoFirstUpperCode + (c - 'A');
  if (c >= 'a' && c <= 'z')
    return demo::kDemoFirstLowerCode + (c - 'a');
  return demo::kDemoBlankCode;
}
std::vector<uint8_t> Codes(std::string_view text) {
  std::vector<uint8_t> codes;
  for (char c : text)
    codes.push_back(Code(c));
  return codes;
}
// `text` as stored: its codes and the end byte.
std::vector<uint8_t> Stored(std::string_view text) {
  std::vector<uint8_t> codes = Codes(text);
  codes.push_back(0x00);
  return codes;
}

class TextPageTest : public test::PageTest<ui::TextPage> {
 protected:
  QListWidget* Categories() { return List(1209); }
  QListWidget* Entries() { return List(1210); }
  QPlainTextEdit* Dialogue() { return Find<QPlainTextEdit>(*page, 1216); }
  QString Row(int row) { return Entries()->item(row)->text(); }
  bool Shown(int id) {
    return page->findChild<QWidget*>(QString::number(id))->isVisibleTo(page.get());
  }
  void Select(int category, int row = 0) {
    Categories()->setCurrentRow(category);
    Entries()->setCurrentRow(row);
  }
  EntryLocation Where(int category, int row) {
    return LocateEntry(document.image(), document.baseShift(), category, row);
  }
  QLabel* Count() { return page->findChild<QLabel*>(QStringLiteral("byteCount")); }
  QString ByteCount() { return Count()->text(); }
  bool ByteCountMarked() { return Count()->property("marked").toBool(); }
  // The operands of the finger pairs of the dialogue string at `index`.
  std::vector<uint8_t> Fingers(std::size_t index) {
    const auto image = document.image();
    std::vector<uint8_t> fingers;
    for (std::size_t i = index; i + 1 < image.size() && image[i] != 0x00; ++i) {
      if (image[i] == kFingerCode)
        fingers.push_back(image[i + 1]);
      if (image[i] == kFingerCode || image[i] == kKeywordCode)
        ++i;
    }
    return fingers;
  }
};

TEST_F(TextPageTest, RefreshShowsItemsRowZeroInEveryControl) {
  SetLabel(settings, GetLabelSet(LabelSetId::Dialogue1), 0, "Old sailor");
  Open(DemoImage());
  EXPECT_EQ(Categories()->item(8)->text(), QStringLiteral("Battle messages"));
  EXPECT_EQ(Row(45).toStdString(), demo::DemoItemName(0x2E));

  const EntryLocation salve = Where(kItems, 0);
  EXPECT_EQ(Text(1211), QStringLiteral("28212"));
  EXPECT_EQ(Text(1212), QString::number(salve.pointerValue, 16).toUpper());
  EXPECT_EQ(Text(1213), QString::number(salve.textLocation, 16).toUpper());
  EXPECT_EQ(Text(1217).toStdString(), demo::DemoItemName(1));
  EXPECT_EQ(Text(1215), QStringLiteral("--"));
  EXPECT_EQ(ByteCount(), QStringLiteral("6 bytes, was 6"));
  EXPECT_FALSE(Shown(1216));
  EXPECT_FALSE(Shown(1476));
  // Both boxes draw every character the same width, whatever font the
  // system calls fixed-pitch (the page picks one that does).
  for (const QFont& font : {Edit(1217)->font(), Dialogue()->font()}) {
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("MMMM")));
  }
  // The keyword name cache follows the image.
  EXPECT_EQ(settings.Field(settings::kKeywordNameCache, 0xF1), demo::DemoItemName(0xF1));

  // Dialogue: labels in the list, the multi-line box, Change label, finger.
  Select(kDialogue1, 2);
  EXPECT_EQ(Row(0), QStringLiteral("Old sailor"));
  EXPECT_EQ(Row(9), QStringLiteral("Dialogue 9"));
  EXPECT_FALSE(Shown(1217));
  EXPECT_TRUE(Shown(1476));
  EXPECT_EQ(Dialogue()->toPlainText().toStdString(),
            QString::fromStdString(demo::DemoDialogue(1, 2)).replace("\r\n", "\n").toStdString());
  EXPECT_EQ(Text(1215), QStringLiteral("1"));
}

TEST_F(TextPageTest, PrologueAndEpilogueShowItems) {
  Open(DemoImage());
  for (int category : {kPrologueCategory, kEpilogueCategory}) {
    Select(kDialogue1, 1);
    Categories()->setCurrentRow(category);
    EXPECT_EQ(Categories()->currentRow(), kItems);
    EXPECT_EQ(Text(1217).toStdString(), demo::DemoItemName(1));
  }
}

TEST_F(TextPageTest, CharacterNamesAreSixBytesAndHaveNoPointer) {
  Open(DemoImage());
  Select(kCharactersCategory, 0);
  EXPECT_EQ(Text(1212), QStringLiteral("----"));
  EXPECT_EQ(Text(1213), QStringLiteral("F92"));
  EXPECT_EQ(Text(1217).toStdString(), demo::DemoCharacterName(0));

  Edit(1217)->clear();
  Edit(1212)->setText(QStringLiteral("1234"));
  Entries()->setCurrentRow(1);
  EXPECT_EQ(Bytes(0xF92, 6), std::vector<uint8_t>(6, 0xFF));

  Edit(1217)->setText(QStringLiteral("Gwendolyn"));
  EXPECT_EQ(ByteCount(), QStringLiteral("6 bytes, was 6, cut to fit"));
  EXPECT_TRUE(ByteCountMarked());
  Entries()->setCurrentRow(2);
  EXPECT_EQ(Bytes(0xF92 + 0x80, 6), Codes("Gwendo"));
}

TEST_F(TextPageTest, ANewPointerValueTakesEffectWhenTheEntryIsShownAgain) {
  Open(DemoImage());
  const EntryLocation salve = Where(kItems, 0);
  const EntryLocation bigSalve = Where(kItems, 1);
  Edit(1212)->setText(QString::number(bigSalve.pointerValue, 16));
  Edit(1217)->setText(QStringLiteral("Tonic"));
  EXPECT_EQ(ByteCount(), QStringLiteral("6 bytes, was 6"));
  Entries()->setCurrentRow(3);

  EXPECT_EQ(
      Bytes(salve.pointerLocation, 2),
      (std::vector<uint8_t>{uint8_t(bigSalve.pointerValue), uint8_t(bigSalve.pointerValue >> 8)}));
  EXPECT_EQ(Bytes(salve.textLocation, 6), Stored("Tonic"));
  Entries()->setCurrentRow(0);
  EXPECT_EQ(Text(1217).toStdString(), demo::DemoItemName(2));

  // Save stores, then shows the entry through its new pointer.
  Edit(1212)->setText(QString::number(salve.pointerValue, 16));
  page->save();
  EXPECT_EQ(Text(1217), QStringLiteral("Tonic"));
  EXPECT_EQ(Entries()->currentRow(), 0);
}

TEST_F(TextPageTest, ClearedDialogueLabelShowsTheDefaultAfterReselecting) {
  SetLabel(settings, GetLabelSet(LabelSetId::Dialogue1), 7, "Lighthouse keeper");
  Open(DemoImage());
  Select(kDialogue1, 7);
  EXPECT_EQ(Row(7), QStringLiteral("Lighthouse keeper"));

  AnswerLabel(QString());
  QTest::mouseClick(Button(1476), Qt::LeftButton);
  EXPECT_EQ(Row(7), QString());
  EXPECT_EQ(settings.Field(settings::kDialogueLabels1, 7), "");

  Select(kItems);
  Select(kDialogue1);
  EXPECT_EQ(Row(7), QStringLiteral("Dialogue 7"));
}

TEST_F(TextPageTest, PreferDteIsKeptPerCategory) {
  Open(DemoImage());
  auto* prefer = Box(1214);
  const EntryLocation salve = Where(kItems, 0);
  Edit(1217)->setText(QStringLiteral("the sea"));
  EXPECT_EQ(ByteCount(), QStringLiteral("8 bytes, was 6"));
  prompts->choiceAnswers.push_back(0);  // Write anyway
  Entries()->setCurrentRow(1);
  EXPECT_EQ(Bytes(salve.textLocation, 8), Stored("the sea"));

  // With Prefer DTE the pairs of the DTE table are taken.
  Entries()->setCurrentRow(0);
  QTest::mouseClick(prefer, Qt::LeftButton);
  EXPECT_EQ(settings.Int(0x844), 1);
  Edit(1217)->setText(QStringLiteral("the sun"));
  EXPECT_EQ(ByteCount(), QStringLiteral("6 bytes, was 8"));
  Entries()->setCurrentRow(1);
  const uint8_t th = demo::kDemoFirstPairCode + 1;
  const uint8_t eBlank = demo::kDemoFirstPairCode;
  EXPECT_EQ(Bytes(salve.textLocation, 6),
            (std::vector<uint8_t>{th, eBlank, Code('s'), Code('u'), Code('n'), 0x00}));

  Select(1);
  EXPECT_FALSE(prefer->isChecked());
  Select(kItems);
  EXPECT_TRUE(prefer->isChecked());
}

TEST_F(TextPageTest, DialogueWithALineBreakAndAKeyword) {
  Open(DemoImage());
  Select(kDialogue1, 3);
  const EntryLocation scout = Where(kDialogue1, 3);
  Dialogue()->clear();
  Dialogue()->setFocus();
  QTest::keyClicks(Dialogue(), QStringLiteral("Take the Tent"));
  QTest::keyClick(Dialogue(), Qt::Key_Return);
  QTest::keyClicks(Dialogue(), QStringLiteral("now"));
  Entries()->setCurrentRow(4);

  const uint8_t tentId = 0x12;
  ASSERT_EQ(demo::DemoItemName(tentId), "Tent");
  std::vector<uint8_t> expected = Codes("Take the ");
  expected.insert(expected.end(), {kKeywordCode, tentId, demo::kDemoLineBreakCode});
  const std::vector<uint8_t> now = Stored("now");
  expected.insert(expected.end(), now.begin(), now.end());
  EXPECT_EQ(Bytes(scout.textLocation, 16), expected);
  Entries()->setCurrentRow(3);
  EXPECT_EQ(Dialogue()->toPlainText(), QStringLiteral("Take the Tent\nnow"));

  // A new finger value goes into every finger pair.
  Entries()->setCurrentRow(2);
  const std::size_t question = Where(kDialogue1, 2).textLocation;
  ASSERT_EQ(Fingers(question), (std::vector<uint8_t>{0x01, 0x01}));
  Edit(1215)->clear();
  QTest::keyClicks(Edit(1215), QStringLiteral("1f"));
  EXPECT_EQ(Text(1215), QStringLiteral("1F"));
  prompts->choiceAnswers.push_back(0);  // written through the standard table, it grows
  Entries()->setCurrentRow(1);
  EXPECT_EQ(Fingers(question), (std::vector<uint8_t>{0x1F, 0x1F}));
}

TEST_F(TextPageTest, RefreshKeepsThePlaceOnlyWhenTheTablesChanged) {
  Open(DemoImage());
  Select(12, 1);
  Refresh(ui::RefreshReason::TablesChanged);
  EXPECT_EQ(Categories()->currentRow(), 12);
  EXPECT_EQ(Entries()->currentRow(), 1);
  EXPECT_EQ(Dialogue()->toPlainText().toStdString(),
            QString::fromStdString(demo::DemoDialogue(2, 1)).replace("\r\n", "\n").toStdString());
  // Storing what was shown changes no byte (every entry: text_entry_store_test).
  EXPECT_TRUE(SaveChangesNothing());

  // Opening discards what the boxes hold and starts at Items row 0.
  const std::vector<uint8_t> before = Image();
  Dialogue()->setPlainText(QStringLiteral("Lost"));
  Refresh(ui::RefreshReason::Opened);
  EXPECT_EQ(Categories()->currentRow(), kItems);
  EXPECT_EQ(Image(), before);
}

TEST_F(TextPageTest, ATextThatGrowsAsksBeforeOverwritingWhatFollows) {
  Open(DemoImage());
  const EntryLocation salve = Where(kItems, 0);
  ASSERT_EQ(Where(kItems, 1).textLocation, salve.textLocation + 6) << "Big Salve follows Salve";
  const std::vector<uint8_t> before = Image();
  const QString question = QStringLiteral(
      "Potion needs 7 bytes where the old text had 6. Writing it overwrites the 1 bytes after "
      "it, which hold Items 1: Big Salve.");
  enum { kWrite, kKeepEditing, kDiscard };

  // Keep editing: nothing is stored, and the entry stays with what was typed.
  Edit(1217)->setText(QStringLiteral("Potion"));
  EXPECT_TRUE(page->holdsUnstoredEdit());
  prompts->choiceAnswers.push_back(kKeepEditing);
  Entries()->setCurrentRow(3);
  EXPECT_EQ(prompts->questions, std::vector<QString>{question});
  EXPECT_EQ(Entries()->currentRow(), 0);
  EXPECT_EQ(Text(1217), QStringLiteral("Potion"));
  page->save();  // File > Save has not confirmed it: it stays unstored
  EXPECT_EQ(Text(1217), QStringLiteral("Potion"));
  EXPECT_EQ(Image(), before);

  // Discard change: the move goes on and nothing is stored.
  prompts->choiceAnswers.push_back(kDiscard);
  Select(2);
  EXPECT_EQ(Categories()->currentRow(), 2);
  EXPECT_EQ(Image(), before);

  // Write anyway: Big Salve loses its first byte, as the question said.
  Select(kItems);
  Edit(1217)->setText(QStringLiteral("Potion"));
  prompts->choiceAnswers.push_back(kWrite);
  EXPECT_TRUE(page->confirmStore());
  page->save();
  EXPECT_EQ(Bytes(salve.textLocation, 7), Stored("Potion")) << "Big Salve is empty now";

  // Bytes where no text starts are named as such.
  EXPECT_EQ(TextStartingIn(document.image(), 0, 0x10, 0x20, dte, {}), "bytes of no known text");
}

TEST_F(TextPageTest, CharactersTheTablesCannotWriteAreNamedAsTheyAreTyped) {
  Open(DemoImage());
  Select(kDialogue1, 3);
  Dialogue()->setPlainText(QStringLiteral("Hi~ caf\u00e9~"));
  EXPECT_TRUE(ByteCount().endsWith(QStringLiteral(", cannot be written: ~ \u00e9")))
      << ByteCount().toStdString();
  EXPECT_TRUE(ByteCountMarked());
  Dialogue()->setPlainText(QStringLiteral("Hi"));
  EXPECT_FALSE(ByteCount().contains(QStringLiteral("cannot be written")));
}

}  // namespace
}  // namespace kivo
