#include "ui/editors/character_page.h"

#include <QSlider>

#include "demo/text_layout.h"
#include "ui/editors/stat_template_dialog.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr std::size_t Record(int index) {
  return 0xF90 + 0x80 * static_cast<std::size_t>(index);
}

using test::DemoImage;
using test::Find;

class CharacterPageTest : public test::PageTest<ui::CharacterPage> {
 protected:
  QListWidget* Characters() { return List(1028); }
};

TEST_F(CharacterPageTest, RefreshFillsTheListsAndShowsTheRememberedCharacter) {
  demo::ImageBuilder image = DemoImage();
  demo::TextLayout(image, standard).Fixed(Record(2) + 2, 6, "      ");
  settings.SetInt(settings::kSelectedCharacter, 4);
  Open(image);

  QListWidget* list = Characters();
  EXPECT_EQ(list->item(0)->text().toStdString(), demo::DemoCharacterName(0));
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("Guy"));  // six blanks: the default name
  EXPECT_EQ(list->currentRow(), 4);
  EXPECT_EQ(page->loadedIndex(), 4);

  // Spell lists: "--none--" and the spells; equipment lists by their ranges.
  EXPECT_EQ(Combo(1132)->itemText(40).toStdString(), demo::DemoSpellName(39));
  const std::pair<int, int> lists[] = {{1176, 0x30}, {1177, 0x30}, {1178, 0x8D}, {1179, 0x6F},
                                       {1180, 0x79}, {1181, 0x00}, {1182, 0x00}};
  const int rows[] = {63, 63, 10, 10, 20, 191, 191};
  for (int i = 0; i < 7; ++i) {
    QComboBox* combo = Combo(lists[i].first);
    ASSERT_EQ(combo->count(), rows[i] + 1) << lists[i].first;
    EXPECT_EQ(combo->itemText(0), QStringLiteral("--none--"));
    EXPECT_EQ(combo->itemText(rows[i]).toStdString(),
              demo::DemoItemName(lists[i].second + rows[i]));
  }

  // Lyra's record, as the demo wrote it: healer, back row, staff in the right hand.
  EXPECT_TRUE(Box(1030)->isChecked());
  EXPECT_FALSE(Box(1029)->isChecked());
  EXPECT_EQ(Combo(1176)->currentIndex(), 0x48 - 0x30);
  EXPECT_EQ(Combo(1132)->currentText().toStdString(), demo::DemoSpellName(7));
  EXPECT_EQ(Text(1062), QStringLiteral("6"));  // spell level shown from 1
  EXPECT_EQ(Text(1059), QStringLiteral("3"));  // Cane level
  EXPECT_FALSE(Button(1027)->isEnabled());     // Edit sprite

  ExpectRefreshKeepsRowsAndOutsideRowsShowRowZero(list, settings::kSelectedCharacter);
}

TEST_F(CharacterPageTest, SaveClampsAndRewritesIndexHandAndRow) {
  demo::ImageBuilder image = DemoImage();
  image.Byte(Record(3), 0x05).Byte(Record(3) + 0x75, 7).Byte(Record(3) + 0x15, 0xAB);
  settings.SetInt(settings::kSelectedCharacter, 3);
  Open(image);
  EXPECT_FALSE(Box(1030)->isChecked());  // 7 reads as front row

  // HP, MP, Strength, Fist and Shield levels, Fist exp, spell levels (any
  // text), and the evasion count, whose empty box is stored as 1.
  const std::pair<int, const char*> typed[] = {
      {1183, "70000"}, {1184, ""},  {1187, "150"}, {1056, "0"},  {1054, "17"},
      {1057, "150"},   {1062, "12 and some text"}, {1063, "abc"}, {1191, ""}};
  for (auto [id, text] : typed)
    Type(id, QString::fromLatin1(text));
  page->save();
  // Byte 0 becomes the record's own index; no field names byte 0x15.
  const std::pair<std::size_t, int> stored[] = {{0x10, 99}, {0x40, 0}, {0x41, 99}, {0x42, 15},
                                                {0x50, 11}, {0x51, 0}, {0x70, 0},  {0x00, 3},
                                                {0x75, 1},  {0x15, 0xAB}};
  for (auto [at, value] : stored)
    EXPECT_EQ(Byte(Record(3) + at), value) << at;
  EXPECT_EQ(Word(Record(3) + 0x08), 0xFFFF);
  EXPECT_EQ(Word(Record(3) + 0x0A), 0);
  // Save shows the record as stored.
  EXPECT_EQ(Text(1183), QStringLiteral("65535"));
  EXPECT_EQ(Text(1054), QStringLiteral("16"));

  Box(1029)->setChecked(true);
  Box(1030)->setChecked(true);
  page->save();
  EXPECT_EQ(Byte(Record(3)), 0x83);
  EXPECT_EQ(Byte(Record(3) + 0x75), 0);
}

TEST_F(CharacterPageTest, HandExclusionBothWays) {
  demo::ImageBuilder image = DemoImage();
  // Both hands hold two-handed items: the right hand is checked first.
  image.Byte(Record(0) + 0x1C, 0x6A).Byte(Record(0) + 0x1D, 0x6C);
  settings.SetInt(settings::kSelectedCharacter, 0);
  Open(image);
  QComboBox* right = Combo(1176);
  QComboBox* left = Combo(1177);
  EXPECT_EQ(right->currentIndex(), 0x6A - 0x30);
  EXPECT_EQ(left->currentIndex(), 0);

  // Picking anything while the other hand holds a two-handed item undoes the pick.
  left->setCurrentIndex(5);
  EXPECT_EQ(left->currentIndex(), 0);
  EXPECT_EQ(right->currentIndex(), 0x6A - 0x30);

  // A newly picked two-handed item empties the other hand.
  right->setCurrentIndex(3);
  left->setCurrentIndex(10);
  EXPECT_EQ(right->currentIndex(), 3);
  left->setCurrentIndex(56);
  EXPECT_EQ(right->currentIndex(), 0);
  EXPECT_EQ(left->currentIndex(), 56);
  page->save();
  EXPECT_EQ(Byte(Record(0) + 0x1C), 0);
  EXPECT_EQ(Byte(Record(0) + 0x1D), 0x68);
}

TEST_F(CharacterPageTest, MovingBetweenCharactersNeverLosesAnEdit) {
  Open(DemoImage());
  Characters()->setCurrentRow(1);
  Type(1186, QStringLiteral("777"));
  Combo(1179)->setCurrentIndex(4);
  Box(1030)->setChecked(false);
  Characters()->setCurrentRow(6);  // stores Mira, then shows Wren
  EXPECT_EQ(page->loadedIndex(), 6);
  EXPECT_EQ(settings.Int(settings::kSelectedCharacter), 6);
  EXPECT_EQ(Word(Record(1) + 0x0E), 777);
  EXPECT_EQ(Byte(Record(1) + 0x19), 0x73);
  EXPECT_EQ(Byte(Record(1) + 0x75), 1);
  EXPECT_NE(Text(1186), QStringLiteral("777"));

  Type(1187, QStringLiteral("42"));
  Characters()->setCurrentRow(1);
  EXPECT_EQ(Text(1186), QStringLiteral("777"));
  EXPECT_EQ(Byte(Record(6) + 0x10), 42);

  // New tables: the pages stored first, and the character in view stays.
  Type(1185, QStringLiteral("12"));
  page->save();
  Refresh(ui::RefreshReason::TablesChanged);
  EXPECT_EQ(Characters()->currentRow(), 1);
  EXPECT_EQ(Text(1185), QStringLiteral("12"));
}

TEST_F(CharacterPageTest, IdsWithoutARowAreKept) {
  demo::ImageBuilder image = DemoImage();
  image
      .Byte(Record(5) + 0x19, 0x35)      // a weapon on the head
      .Byte(Record(5) + 0x1B, 0x7A)      // body armour as gloves
      .Byte(Record(5) + 0x30 + 4, 0x10)  // an item in a spell slot
      .Byte(Record(5) + 0x1E, 0xC3);     // a spell on the belt
  settings.SetInt(settings::kSelectedCharacter, 5);
  Open(image);
  ExpectRawValue(1179, "0x35");
  EXPECT_EQ(Combo(1178)->currentIndex(), -1);
  EXPECT_EQ(Combo(1163)->currentIndex(), -1);  // slot 5
  EXPECT_EQ(Combo(1181)->currentIndex(), -1);

  Type(1183, QStringLiteral("5"));
  page->save();
  EXPECT_EQ(Byte(Record(5) + 0x19), 0x35);
  EXPECT_EQ(Byte(Record(5) + 0x1B), 0x7A);
  EXPECT_EQ(Byte(Record(5) + 0x34), 0x10);
  EXPECT_EQ(Byte(Record(5) + 0x1E), 0xC3);
  EXPECT_EQ(Combo(1179)->currentIndex(), -1);

  // Once the user picks a row, the row's id is stored.
  Combo(1179)->setCurrentIndex(2);
  Combo(1163)->setCurrentIndex(0);
  page->save();
  EXPECT_EQ(Byte(Record(5) + 0x19), 0x71);
  EXPECT_EQ(Byte(Record(5) + 0x34), 0);
  EXPECT_EQ(Combo(1179)->currentIndex(), 2);
}

TEST_F(CharacterPageTest, StatTemplate) {
  settings.SetInt(settings::kSelectedCharacter, 2);
  Open(DemoImage());
  const QString hpBefore = Text(1183);
  const uint16_t storedHp = Word(Record(2) + 0x08);

  // Cancel changes nothing.
  prompts->modalScripts.push_back([](QDialog&) { return ui::kDialogCancel; });
  Button(1658)->click();
  EXPECT_TRUE(prompts->modalScripts.empty());
  EXPECT_EQ(Text(1183), hpBefore);

  prompts->modalScripts.push_back([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Stat Template"));
    auto* points = Find<QLineEdit>(d, 1666);
    auto* slider = Find<QSlider>(d, 1665);
    EXPECT_EQ(points->text(), QStringLiteral("125"));
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(Find<QLineEdit>(d, 1672)->text(), QStringLiteral("106"));
    EXPECT_EQ(Find<QLineEdit>(d, 1677)->text(), QStringLiteral("20"));

    points->setText(QStringLiteral("1200"));  // rewritten as 999
    EXPECT_EQ(points->text(), QStringLiteral("999"));
    slider->setValue(49);
    const int expected[][2] = {{1672, 163}, {1673, 931}, {1667, 99}, {1668, 96},
                               {1669, 52},  {1670, 2},   {1671, 90}, {1678, 99},
                               {1676, 99},  {1674, 99},  {1675, 15}, {1677, 99}};
    for (const auto& [id, value] : expected)
      EXPECT_EQ(Find<QLineEdit>(d, id)->text(), QString::number(value)) << id;

    // Typing in a result box computes nothing.
    Find<QLineEdit>(d, 1667)->setText(QStringLiteral("300"));
    Find<QLineEdit>(d, 1672)->setText(QStringLiteral("70000"));
    EXPECT_EQ(Find<QLineEdit>(d, 1668)->text(), QStringLiteral("96"));
    Find<QPushButton>(d, ui::kDialogOk)->click();
    return ui::kDialogCancel;  // ignored: OK ended it
  });
  Button(1658)->click();
  EXPECT_EQ(Text(1183), QStringLiteral("70000"));
  EXPECT_EQ(Text(1184), QStringLiteral("70000"));
  EXPECT_EQ(Text(1185), QStringLiteral("931"));
  EXPECT_EQ(Text(1187), QStringLiteral("44"));  // 300 as a byte
  EXPECT_EQ(Text(1191), QStringLiteral("2"));
  EXPECT_EQ(Text(1192), QStringLiteral("90"));
  EXPECT_EQ(Text(1042), QStringLiteral("15"));
  EXPECT_EQ(Text(1193), QStringLiteral("99"));
  // OK is one edit: the record holds the values at once, clamped.
  EXPECT_NE(storedHp, 0xFFFF);
  EXPECT_EQ(Word(Record(2) + 0x08), 0xFFFF);
  EXPECT_EQ(Byte(Record(2) + 0x10), 44);
}

}  // namespace
}  // namespace kivo
