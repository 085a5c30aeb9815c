#include "ui/core/clean_data_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <filesystem>

#include "model/core/settings.h"
#include "support/temp_dir.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::Find;
using test::UiTest;

const QString kQuestion = QStringLiteral(
    "If a rom is open, it will need to be re-opened once this process is done. Changes to the rom "
    "won't be saved. Proceed?");

std::vector<uint8_t> Of(const SettingsBlock& block) {
  return {block.bytes().begin(), block.bytes().end()};
}

SettingsBlock Customised() {
  SettingsBlock block;
  block.ResetToDefaults();
  block.SetPath(PathField::Rom, "/games/ff2.nes");
  block.SetField(settings::kDialogueLabels1, 0, "set 1 first");
  block.SetField(settings::kDialogueLabels2, 0, "set 2 first");
  block.SetInt(settings::kSelectedCharacter, 3);
  block.SetInt(settings::kSelectedShop, 5);
  block.SetCustomColour(0, {1, 2, 3});
  return block;
}

// Presses OK; returns Cancel for the run if the dialog is still up after it.
int PressOk(QDialog& dialog) {
  Find<QPushButton>(dialog, ui::kDialogOk)->click();
  return ui::kDialogCancel;
}

TEST_F(UiTest, CleanDataAnsweredNoChangesNothing) {
  test::TempDir dir;
  const std::string dataFile = dir.File("Kivo.dat");
  SettingsBlock block = Customised();
  ui::CleanDataDialog dialog(block, dataFile);
  prompts->modalScripts.push_back([](QDialog& d) {
    const int result = PressOk(d);
    EXPECT_TRUE(d.isVisible());  // No leaves it open
    return result;
  });
  EXPECT_EQ(prompts->RunModal(dialog), ui::kDialogCancel);
  ASSERT_EQ(prompts->questions.size(), 1u);
  EXPECT_EQ(prompts->questions[0], kQuestion);
  EXPECT_TRUE(prompts->messages.empty());
  EXPECT_EQ(Of(block), Of(Customised()));
  EXPECT_FALSE(std::filesystem::exists(dataFile));
}

TEST_F(UiTest, CleanDataResetsOnlyTheTickedFieldsAndWritesTheFile) {
  test::TempDir dir;
  const std::string dataFile = dir.File("Kivo.dat");
  SettingsBlock block = Customised();
  ui::CleanDataDialog dialog(block, dataFile);
  prompts->yesNoAnswers = {true};
  prompts->modalScripts.push_back([](QDialog& d) {
    Find<QPushButton>(d, 1652)->click();  // untick everything
    Find<QCheckBox>(d, 1660)->setChecked(true);
    Find<QCheckBox>(d, 1635)->setChecked(true);
    return PressOk(d);
  });
  EXPECT_EQ(prompts->RunModal(dialog), ui::kDialogOk);
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("The data has been cleaned and reset"));

  SettingsBlock want = Customised();
  want.SetField(settings::kDialogueLabels1, 0, "");
  want.SetInt(settings::kSelectedCharacter, 0);
  EXPECT_EQ(Of(block), Of(want));
  EXPECT_EQ(test::TempDir::Read(dataFile), Of(want));

  // Nothing ticked still asks, reports no change and writes the file.
  SettingsBlock second = Customised();
  const std::string secondFile = dir.File("Second.dat");
  ui::CleanDataDialog untouched(second, secondFile);
  prompts->messages.clear();
  prompts->yesNoAnswers = {true};
  prompts->modalScripts.push_back([](QDialog& d) {
    Find<QPushButton>(d, 1652)->click();
    return PressOk(d);
  });
  EXPECT_EQ(prompts->RunModal(untouched), ui::kDialogOk);
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("The data hasn't been changed..."));
  EXPECT_EQ(prompts->questions.size(), 2u);
  EXPECT_EQ(test::TempDir::Read(secondFile), Of(Customised()));
}

}  // namespace
}  // namespace kivo
