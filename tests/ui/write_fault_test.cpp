// Every step of the safe write failing under the main window's commands:
// Save, Save As, the settings written at exit and Clean the data. The files
// keep their bytes, nothing is left beside them and the user is told.

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "demo/image_builder.h"
#include "model/core/file_io.h"
#include "support/temp_dir.h"
#include "ui/core/main_window.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

class WriteFaultUiTest : public test::UiTest {
 protected:
  test::TempDir dir;
  ui::AppState state;
  std::unique_ptr<ui::MainWindow> window;
  std::string rom;

  // A window that opened game.nes at start and remembers it in Kivo.dat.
  void StartWindow() {
    rom = dir.Write("game.nes", demo::ImageBuilder().Release(3).Build());
    test::WriteDataFile(dir, {{PathField::Rom, rom}});
    state = ui::AppState();
    window = std::make_unique<ui::MainWindow>(state);
    window->Start(dir.path().string(), std::nullopt);
    ASSERT_TRUE(state.document.editable());
    prompts->messages.clear();
  }

  // An edit made as a page makes it: one step of the window's history.
  void Edit(std::size_t offset, uint8_t value) {
    window->history().Commit(nullptr, {QStringLiteral("Edit"), {}, {}},
                             [=](const RomView& rom) { rom.SetByte(offset, value); });
  }

  QString LastMessage() const {
    return prompts->messages.empty() ? QString() : prompts->messages.back().text;
  }
};

TEST_F(WriteFaultUiTest, SaveAndSaveAsKeepTheRomAtEveryFailingStep) {
  StartWindow();
  Edit(0x200, 0x42);  // an unsaved edit
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    const auto before = dir.Snapshot();
    ScopedWriteFault fault(step);
    EXPECT_FALSE(window->Save());
    EXPECT_EQ(LastMessage(), "Cannot open rom for saving!");
    EXPECT_EQ(prompts->messages.back().icon, MessageIcon::Warning);

    prompts->saveFiles.push_back(QString::fromStdString(dir.File("copy.nes")));
    window->SaveAs();
    EXPECT_EQ(LastMessage(), "Cannot open rom for saving!");
    EXPECT_EQ(dir.Snapshot(), before);
    EXPECT_EQ(state.settings.Path(PathField::Rom), rom) << "Save As did not move the ROM";
    EXPECT_EQ(fault.failures(), 2);
  }
  EXPECT_EQ(state.document.view().Byte(0x200), 0x42) << "the edit is still held";
  EXPECT_TRUE(window->HasUnsavedEdits());
  EXPECT_EQ(test::TempDir::Read(rom), demo::ImageBuilder().Release(3).Build());

  EXPECT_TRUE(window->Save());
  EXPECT_EQ(test::TempDir::Read(rom)[0x200], 0x42);
}

TEST_F(WriteFaultUiTest, SettingsWrittenAtExitKeepTheOldFileAtEveryFailingStep) {
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    StartWindow();
    window->show();
    state.settings.SetInt(settings::kSelectedShop, 12);
    const auto before = dir.Snapshot();
    {
      ScopedWriteFault fault(step);
      EXPECT_TRUE(window->close()) << "a settings write that fails does not keep Kivo open";
      EXPECT_EQ(fault.failures(), 1);
    }
    EXPECT_EQ(prompts->texts(), std::vector<QString>{"Data file not found!"});
    EXPECT_EQ(prompts->messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(dir.Snapshot(), before);
    window.reset();
  }
}

TEST_F(WriteFaultUiTest, CleanTheDataKeepsTheFileAndTheDialogAtEveryFailingStep) {
  StartWindow();
  state.settings.SetInt(settings::kSelectedShop, 12);
  ASSERT_TRUE(SaveSettings(state.settings, dir.File(settings::kDataFileName)).empty());
  Edit(0x200, 0x42);
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    const auto before = dir.Snapshot();
    ScopedWriteFault fault(step);
    prompts->messages.clear();
    prompts->yesNoAnswers = {true};
    prompts->modalScripts.push_back([](QDialog& dialog) {
      dialog.findChild<QPushButton*>(QString::number(ui::kDialogOk))->click();
      EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open when the file is not written";
      return ui::kDialogCancel;
    });
    window->CleanTheData();
    EXPECT_EQ(prompts->texts(), (std::vector<QString>{"The data has been cleaned and reset",
                                                      "Unable to open data file for cleaning!"}));
    EXPECT_EQ(prompts->messages.back().icon, MessageIcon::Error);
    EXPECT_EQ(dir.Snapshot(), before);
    EXPECT_EQ(state.document.view().Byte(0x200), 0x42) << "no re-open after a failed clean";
    EXPECT_EQ(state.settings.Int(settings::kSelectedShop), 0) << "the resets stay in memory";
  }
}

TEST_F(WriteFaultUiTest, AReadOnlyRomIsRefusedWithItsReasonBeforeAnythingIsWritten) {
  // The folder is writable, so only the check before writing keeps the file.
  StartWindow();
  ASSERT_EQ(chmod(rom.c_str(), 0444), 0);
  const std::string copy = dir.Write("copy.nes", std::string("older copy"));
  ASSERT_EQ(chmod(copy.c_str(), 0444), 0);
  Edit(0xB0C, 0x42);  // an unsaved edit
  const auto before = dir.Snapshot();
  const QString reason = QString::fromLocal8Bit(std::strerror(EACCES));

  EXPECT_FALSE(window->Save());
  EXPECT_EQ(LastMessage(), "Cannot open rom for saving!");
  EXPECT_TRUE(prompts->messages.back().informative.startsWith(QString::fromStdString(rom)));
  EXPECT_TRUE(prompts->messages.back().informative.endsWith(reason));

  prompts->saveFiles.push_back(QString::fromStdString(copy));
  window->SaveAs();
  EXPECT_EQ(LastMessage(), "Cannot open rom for saving!");
  EXPECT_TRUE(prompts->messages.back().informative.startsWith(QString::fromStdString(copy)));

  // Clean the Slate says so before it blanks anything, and stays open.
  prompts->modalScripts.push_back([](QDialog& d) {
    d.findChild<QPushButton*>(QString::number(ui::kDialogOk))->click();
    EXPECT_TRUE(d.isVisible());
    return ui::kDialogCancel;
  });
  window->CleanTheSlate();
  EXPECT_EQ(LastMessage(), "Could not open rom for cleaning...");
  EXPECT_TRUE(prompts->messages.back().informative.endsWith(reason));
  EXPECT_EQ(state.document.view().Byte(0xB0C), 0x42) << "nothing was blanked";
  EXPECT_EQ(dir.Snapshot(), before);
  EXPECT_EQ(state.settings.Path(PathField::Rom), rom);
}

}  // namespace
}  // namespace kivo
