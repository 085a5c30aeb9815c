#include "ui/text/label_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <algorithm>
#include <array>

#include "model/core/settings.h"
#include "model/text/labels.h"
#include "ui/text/effect_label_dialog.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::Find;
using test::UiTest;

void PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

// A script that types `text` into the label dialog and ends it with `key`.
ui::ScriptedPrompts::ModalScript Answer(QString text, int key = Qt::Key_Return) {
  return [text, key](QDialog& d) {
    EXPECT_TRUE(d.findChildren<QPushButton*>().isEmpty());
    auto* edit = Find<QLineEdit>(d, 1279);
    edit->setText(text);
    PressKey(edit, key);
    EXPECT_FALSE(d.isVisible());
    return ui::kDialogCancel;  // ignored: the key ended it
  };
}

const LabelSet& Shops() {
  return GetLabelSet(LabelSetId::Shops);
}

void FillShops(QListWidget& list, const SettingsBlock& settings) {
  for (const std::string& text : RowTexts(settings, Shops()))
    list.addItem(QString::fromStdString(text));
}

// Return and Escape end the dialog, which has no buttons.
TEST_F(UiTest, ChangeListLabelCutsStoresAndKeepsTheSelection) {
  SettingsBlock settings;
  QListWidget list;
  FillShops(list, settings);
  list.setCurrentRow(3);

  // A 40th character is dropped; the row keeps its place and the selection.
  prompts->modalScripts.push_back([](QDialog& d) {
    EXPECT_EQ(Find<QLineEdit>(d, 1279)->text(), QStringLiteral("Altea - Mithril Weapon"));
    return Answer(QString(40, u'y'))(d);
  });
  EXPECT_TRUE(ui::ChangeListLabel(nullptr, list, settings, Shops()));
  EXPECT_EQ(settings.Field(Shops().fields, 3), std::string(39, 'y'));
  EXPECT_EQ(list.item(3)->text(), QString(39, u'y'));
  EXPECT_EQ(list.currentRow(), 3);

  // Cancel changes neither the list nor the settings block.
  const SettingsBlock before = settings;
  prompts->modalScripts.push_back(Answer(QStringLiteral("Cancelled"), Qt::Key_Escape));
  EXPECT_FALSE(ui::ChangeListLabel(nullptr, list, settings, Shops()));
  EXPECT_EQ(list.item(3)->text(), QString(39, u'y'));
  EXPECT_TRUE(std::ranges::equal(settings.bytes(), before.bytes()));

  // No row selected: no dialog, nothing written.
  list.setCurrentRow(-1);
  prompts->modalScripts.push_back(Answer(QStringLiteral("Never")));
  EXPECT_FALSE(ui::ChangeListLabel(nullptr, list, settings, Shops()));
  EXPECT_EQ(prompts->modalScripts.size(), 1u);
  EXPECT_TRUE(std::ranges::equal(settings.bytes(), before.bytes()));
}

TEST_F(UiTest, LabelBoxesTakeNoMoreThanTheirFieldsHold) {
  // What is typed is what comes back after a restart: a shop label holds 39
  // bytes of UTF-8 and never half a character, an added effect 29.
  SettingsBlock settings;
  QListWidget list;
  FillShops(list, settings);
  list.setCurrentRow(0);
  prompts->modalScripts.push_back([](QDialog& d) {
    auto* edit = Find<QLineEdit>(d, 1279);
    edit->clear();
    for (int i = 0; i < 25; ++i)
      edit->insert(QStringLiteral("\u00e9"));  // typed one by one
    EXPECT_EQ(edit->text(), QString(19, u'\u00e9'));
    edit->insert(QStringLiteral("yy"));  // pasted: what fits is kept
    EXPECT_EQ(edit->text(), QString(19, u'\u00e9') + QLatin1Char('y'));
    d.accept();
    return ui::kDialogOk;
  });
  ASSERT_TRUE(ui::ChangeListLabel(nullptr, list, settings, Shops()));
  EXPECT_EQ(QString::fromStdString(settings.Field(Shops().fields, 0)),
            QString(19, u'\u00e9') + QLatin1Char('y'));

  ui::EffectLabelDialog effects(settings);
  auto* edit = Find<QLineEdit>(effects, 1432);
  edit->clear();
  QTest::keyClicks(edit, QString(60, u'e'));
  EXPECT_EQ(edit->text(), QString(29, u'e'));
}

TEST_F(UiTest, ChangeLabelCommandFollowsTheSelection) {
  QListWidget list;
  QPushButton command;
  ui::EnableWhileSelected(command, list);
  EXPECT_FALSE(command.isEnabled());
  list.addItems({QStringLiteral("a"), QStringLiteral("b")});
  list.setCurrentRow(1);
  EXPECT_TRUE(command.isEnabled());
  {
    const QSignalBlocker blocker(list);  // as pages fill their lists
    list.clear();
  }
  EXPECT_FALSE(command.isEnabled());
}

// An effect list and seven ailment boxes as the Equipment and Monster pages have them.
struct EffectWidgets {
  QListWidget effects;
  std::array<QCheckBox, 7> boxes;
  std::array<QCheckBox*, 7> pointers{};
  explicit EffectWidgets(const SettingsBlock& settings) {
    for (const std::string& text : RowTexts(settings, GetLabelSet(LabelSetId::AddedEffects)))
      effects.addItem(QString::fromStdString(text));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      boxes[i].setText(QStringLiteral("box %1").arg(i));
      pointers[i] = &boxes[i];
    }
  }
};

// The list rows and box captions after OK through the page: the Equipment page's tests.
TEST_F(UiTest, EffectLabelDialog) {
  SettingsBlock settings;
  const LabelSet& effects = GetLabelSet(LabelSetId::AddedEffects);
  SetLabel(settings, effects, 3, "Vampire bite");
  EffectWidgets page(settings);
  page.effects.setCurrentRow(1);

  // Cancel: neither the boxes nor the settings block change.
  const SettingsBlock before = settings;
  prompts->modalScripts.push_back([](QDialog& d) {
    Find<QLineEdit>(d, 1431)->setText(QStringLiteral("Typed"));
    Find<QPushButton>(d, ui::kDialogCancel)->click();
    return ui::kDialogOk;  // ignored
  });
  EXPECT_FALSE(ui::ChangeEffectLabels(nullptr, settings, page.effects, page.pointers));
  EXPECT_TRUE(std::ranges::equal(settings.bytes(), before.bytes()));
  EXPECT_EQ(page.boxes[0].text(), QStringLiteral("box 0"));

  prompts->modalScripts.push_back([](QDialog& d) {
    // Labels where there are some, defaults elsewhere.
    EXPECT_EQ(Find<QLineEdit>(d, 1434)->text(), QStringLiteral("Vampire bite"));
    EXPECT_EQ(Find<QLineEdit>(d, 1443)->text(), QStringLiteral("Confusion"));
    Find<QLineEdit>(d, 1432)->setText(QString(30, u'e'));                // cut to 29
    Find<QLineEdit>(d, 1444)->setText(QStringLiteral("Darkness!!!!!"));  // 13: cut to 12
    Find<QPushButton>(d, ui::kDialogOk)->click();
    return ui::kDialogCancel;  // ignored
  });
  EXPECT_TRUE(ui::ChangeEffectLabels(nullptr, settings, page.effects, page.pointers));

  // Every field is written: untouched rows now hold their default names.
  EXPECT_EQ(settings.Field(effects.fields, 0), "Nothing");
  EXPECT_EQ(settings.Field(effects.fields, 1), std::string(29, 'e'));
  EXPECT_EQ(settings.Field(GetLabelSet(LabelSetId::PermanentAilments).fields, 0), "Darkness!!!!");
  EXPECT_EQ(page.boxes[0].text(), QStringLiteral("Darkness!!!!"));

  // Row 2 selected: the last six show the temporary ones, the first keeps its caption.
  page.effects.setCurrentRow(2);
  page.boxes[0].setText(QStringLiteral("hidden"));
  ui::ShowEffectLabels(settings, page.effects, page.pointers);
  EXPECT_EQ(page.boxes[0].text(), QStringLiteral("hidden"));
  EXPECT_EQ(page.boxes[1].text(), QStringLiteral("Poison"));
}

}  // namespace
}  // namespace kivo
