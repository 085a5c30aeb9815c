#include "ui/editors/character_page.h"

#include <QSlider>

#include "demo/text_layout.h"
#include "ui/editors/stat_template_dialog.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr auto Record = [](int index) { return 0xF90 + 0x80 * static_cast<std::size_t>(index); };

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

  EXPECT_EQ(Characters()->item(2)->text(), QStringLiteral("Guy"));  // six blanks: the default name
  EXPECT_EQ(page->loadedIndex(), 4);
  // Spell lists: "--none--" and the spells; equipment lists by their ranges.
  EXPECT_EQ(Combo(1132)->itemText(40).toStdString(), demo::DemoSpellName(39));
  const int lists[][3] = {{1176, 0x30, 63}, {1177, 0x30, 63},  {1178, 0x8D, 10}, {1179, 0x6F, 10},
                          {1180, 0x79, 20}, {1181, 0x00, 191}, {1182, 0x00, 191}};
  for (auto [id, first, rows] : lists) {
    EXPECT_EQ(Combo(id)->count(), rows + 1) << id;
    EXPECT_EQ(Combo(id)->itemText(rows).toStdString(), demo::DemoItemName(first + rows)) << id;
  }

  // Lyra's record, as the demo wrote it: healer, back row, staff in the right hand.
  EXPECT_TRUE(Box(1030)->isChecked());
  EXPECT_FALSE(Box(1029)->isChecked());
  EXPECT_EQ(Combo(1176)->currentIndex(), 0x48 - 0x30);
  EXPECT_EQ(Combo(1132)->currentText().toStdString(), demo::DemoSpellName(7));
  EXPECT_EQ(Text(1062), QStringLiteral("6"));  // spell level shown from 1
  EXPECT_FALSE(Button(1027)->isEnabled());     // Edit sprite
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
      {1183, "70000"}, {1184, ""},   {1186, "777"}, {1187, "150"},
      {1056, "0"},     {1054, "17"}, {1057, "150"}, {1062, "12 and some text"},
      {1063, "abc"},   {1191, ""}};
  for (auto [id, text] : typed)
    Type(id, QString::fromLatin1(text));
  // Equipment and spell lists store the id of the picked row.
  const std::pair<int, int> picks[] = {{1179, 1}, {1180, 1}, {1178, 1},
                                       {1181, 5}, {1182, 0}, {1163, 1}};
  for (auto [id, row] : picks)
    Pick(id, row);
  page->save();
  // Byte 0 becomes the record's own index; no field names byte 0x15.
  const std::pair<std::size_t, int> stored[] = {
      {0x10, 99},   {0x40, 0}, {0x41, 99}, {0x42, 15},   {0x50, 11},   {0x51, 0},
      {0x70, 0},    {0x00, 3}, {0x75, 1},  {0x15, 0xAB}, {0x19, 0x70}, {0x1A, 0x7A},
      {0x1B, 0x8E}, {0x1E, 5}, {0x1F, 0},  {0x34, 0xC0}};
  for (auto [at, value] : stored)
    EXPECT_EQ(Byte(Record(3) + at), value) << at;
  EXPECT_EQ(Word(Record(3) + 0x08), 0xFFFF);
  EXPECT_EQ(Word(Record(3) + 0x0A), 0);
  EXPECT_EQ(Word(Record(3) + 0x0E), 777);
  EXPECT_EQ(Text(1183), QStringLiteral("65535")) << "Save shows the record as stored";

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
  left->setCurrentIndex(56);
  EXPECT_EQ(right->currentIndex(), 0);
  EXPECT_EQ(left->currentIndex(), 56);
  page->save();
  EXPECT_EQ(Byte(Record(0) + 0x1C), 0);
  EXPECT_EQ(Byte(Record(0) + 0x1D), 0x68);
}

// 999 points at the "More magical" end here; the other figures: stat_template_test.
TEST_F(CharacterPageTest, StatTemplate) {
  settings.SetInt(settings::kSelectedCharacter, 2);
  Open(DemoImage());

  prompts->modalScripts.push_back([](QDialog& d) {
    auto* points = Find<QLineEdit>(d, 1666);
    EXPECT_EQ(points->text(), QStringLiteral("125"));
    points->setText(QStringLiteral("1200"));  // rewritten as 999
    EXPECT_EQ(points->text(), QStringLiteral("999"));
    Find<QSlider>(d, 1665)->setValue(49);
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
  const std::pair<int, const char*> shown[] = {
      {1183, "70000"}, {1184, "70000"}, {1185, "931"}, {1187, "44"},  // 300 as a byte
      {1191, "2"},     {1192, "90"},    {1042, "15"},  {1193, "99"}};
  for (auto [id, text] : shown)
    EXPECT_EQ(Text(id), QString::fromLatin1(text)) << id;
  // OK is one edit: the record holds the values at once, clamped.
  EXPECT_EQ(Word(Record(2) + 0x08), 0xFFFF);
  EXPECT_EQ(Byte(Record(2) + 0x10), 44);
}

}  // namespace
}  // namespace kivo
