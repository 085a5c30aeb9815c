#include "ui/core/main_window.h"

#include <QAction>
#include <QDialog>
#include <QTabWidget>
#include <filesystem>

#include "demo/image_builder.h"
#include "ui/core/main_page.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using ui::MainWindow;

// A page that records what the window asks of it and edits one byte, as the
// user edits (Edit) or when it stores (pendingEdit, written on the next save).
class ProbePage : public ui::Page {
 public:
  int refreshes = 0;
  int saves = 0;
  ui::RefreshReason lastReason = ui::RefreshReason::Opened;
  ui::PageContext context;
  std::optional<uint8_t> pendingEdit;
  bool unstored = false;  // an edit save() leaves until confirmed
  bool confirms = true;   // the answer to the question before a write

  void refresh(const ui::PageContext& given) override {
    ++refreshes;
    lastReason = given.reason;
    context = given;
  }
  void Edit(uint8_t value) {
    ui::CommitEdit(context, this, {QStringLiteral("Edit the probe"), {ui::kCharacterTab}, {}},
                   [value](const RomView& rom) { rom.SetByte(0x100, value); });
  }
  void save() override {
    ++saves;
    if (pendingEdit)
      Edit(*pendingEdit);
    pendingEdit.reset();
  }
  bool confirmStore() override { return confirms; }
  bool holdsUnstoredEdit() const override { return unstored; }
};

class MainWindowTest : public test::WindowTest {
 protected:
  ProbePage* probe = nullptr;

  void StartWindow(std::optional<std::string> file = std::nullopt) {
    window = std::make_unique<MainWindow>(state);
    probe = new ProbePage;
    window->ReplacePage(ui::kCharacterTab, probe);
    window->Start(dir.path().string(), file);
  }

  // Writes `image` as game.nes, remembered in Kivo.dat, and starts on it.
  std::string StartOn(const std::vector<uint8_t>& image) {
    const std::string rom = dir.Write("game.nes", image);
    test::WriteDataFile(dir, {{PathField::Rom, rom}});
    StartWindow();
    return rom;
  }

  bool Enabled(int id) const { return window->action(id)->isEnabled(); }
  // How many of the four items that need an editable image are enabled.
  int ImageItemsEnabled() const {
    int count = 0;
    for (int id :
         {ui::kSaveCommand, ui::kCheckVersionCommand, ui::kCleanSlateCommand, ui::kReopenCommand})
      count += Enabled(id);
    return count;
  }
};

TEST_F(MainWindowTest, FirstStartCreatesTheDataFileAndHoldsNoRom) {
  StartWindow();
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"Data file does not exist, creating..."});
  EXPECT_EQ(ImageItemsEnabled(), 0);
  EXPECT_FALSE(window->tabs()->isTabEnabled(ui::kCharacterTab));
  EXPECT_FALSE(Enabled(40026)) << "no image, nothing to dump";
  EXPECT_EQ(probe->refreshes, 0);

  window->RomInfo();
  EXPECT_EQ(prompts->messages.back().text, "A ROM must be open for this to proceed!");
}

TEST_F(MainWindowTest, AStoredRomThatCannotBeOpenedIsReported) {
  test::WriteDataFile(dir, {{PathField::Rom, dir.File("gone.nes")}});
  StartWindow();
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"Failed to open a rom. That's bad."});
  EXPECT_FALSE(state.document.held());
  EXPECT_EQ(ImageItemsEnabled(), 0);
}

TEST_F(MainWindowTest, StoredPaletteAndTablesAreLoadedAtStart) {
  test::WriteDataFile(dir,
                      {{PathField::Ff2StandardTable, dir.Write("std.tbl", std::string("41=A\n"))},
                       {PathField::Ff2StandardDteTable, dir.File("missing-dte.tbl")},
                       {PathField::Palette, dir.File("missing.pal")},
                       {PathField::Ff1StandardTable, dir.File("ff1-is-not-loaded-at-start.tbl")}});
  StartWindow();
  EXPECT_EQ(prompts->texts(),
            (std::vector<QString>{
                "Could not load the palette file. Colors will not display properly.",
                "Could not load the standard DTE table.\nSome of the text will not display."}));
  EXPECT_EQ(state.table(TableKind::Ff2Standard).table[0x41], "A");
}

TEST_F(MainWindowTest, EachImageKindSetsTabsItemsAndPicture) {
  StartWindow();
  struct Case {
    std::size_t size;
    bool editable;
    MainPicture picture;
  };
  for (const Case& c :
       {Case{kStandaloneSize, true, MainPicture::Game},
        Case{kCombinationSize, true, MainPicture::Game}, Case{kGbaSize, false, MainPicture::Gba},
        Case{0x50000, true, MainPicture::Unknown}, Case{0x100, false, MainPicture::Unknown}}) {
    SCOPED_TRACE(c.size);
    const std::string path = dir.Write("rom.nes", demo::ImageBuilder(c.size).Build());
    prompts->openFiles.push_back(QString::fromStdString(path));
    window->ChooseAndOpen();
    EXPECT_TRUE(state.document.held());
    EXPECT_EQ(ImageItemsEnabled(), c.editable ? 4 : 0);
    EXPECT_EQ(c.editable, window->tabs()->isTabEnabled(ui::kTextTab));
    EXPECT_EQ(window->mainPage()->shownPicture(), c.picture);
    EXPECT_EQ(state.settings.Path(PathField::Rom), path);
    if (!c.editable) {
      EXPECT_EQ(window->tabs()->currentIndex(), ui::kMainTab);
    }
  }
  EXPECT_EQ(probe->refreshes, 3) << "only editable images refresh the pages";
}

TEST_F(MainWindowTest, CancellingTheOpenDialogChangesNothing) {
  const std::string rom = StartOn(demo::ImageBuilder().Build());
  window->ChooseAndOpen();  // no file queued: cancelled
  EXPECT_EQ(prompts->openFileDialogs, 1);
  EXPECT_EQ(state.document.currentPath(), rom);
  EXPECT_EQ(window->windowTitle(), QString::fromStdString("Kivo - " + rom));
  EXPECT_EQ(prompts->fileFilters.back().front().description,
            "Nintendo Entertainment System roms (*.nes)");
}

TEST_F(MainWindowTest, SaveWritesEveryPageThenTheFile) {
  const std::string rom = StartOn(demo::ImageBuilder().Build());
  ASSERT_TRUE(state.document.editable());
  EXPECT_FALSE(window->HasUnsavedEdits());

  // The image as the pages stored it when it was opened (they normalise a few
  // bytes of a blank image), plus the one edit.
  std::vector<uint8_t> expected(state.document.image().begin(), state.document.image().end());
  expected[0x100] = 0x5A;
  probe->pendingEdit = 0x5A;
  EXPECT_TRUE(window->Save());
  EXPECT_EQ(test::TempDir::Read(rom), expected);
  EXPECT_FALSE(window->HasUnsavedEdits());

  // A page that keeps an edit until the user confirms it: it counts as
  // unsaved, and a "keep editing" answer cancels the save.
  probe->unstored = true;
  probe->confirms = false;
  EXPECT_TRUE(window->HasUnsavedEdits());
  probe->pendingEdit = 0x77;
  EXPECT_FALSE(window->Save());
  EXPECT_EQ(test::TempDir::Read(rom), expected);
  probe->unstored = false;
  probe->confirms = true;

  // Save As adds the extension to a name typed without one.
  prompts->saveFiles.push_back(QString::fromStdString(dir.File("copy")));
  window->SaveAs();
  EXPECT_EQ(state.settings.Path(PathField::Rom), dir.File("copy.nes"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("copy.nes")));
}

TEST_F(MainWindowTest, UnsavedEditsAreNeverDroppedSilently) {
  const std::string other = dir.Write("other.nes", demo::ImageBuilder().Byte(0x200, 9).Build());
  const std::string rom = StartOn(demo::ImageBuilder().Build());

  // Nothing changed: no question.
  prompts->openFiles.push_back(QString::fromStdString(other));
  window->ChooseAndOpen();
  EXPECT_TRUE(prompts->questions.empty());
  EXPECT_EQ(state.document.currentPath(), other);

  // Cancel stops the command.
  probe->Edit(1);
  prompts->saveAnswers.push_back(ui::SaveChoice::Cancel);
  window->Reopen();
  ASSERT_EQ(prompts->questions.size(), 1u);
  EXPECT_EQ(prompts->questions.back(), "Save changes to other.nes?");
  EXPECT_EQ(state.document.view().Byte(0x100), 1) << "the edit is still there";

  // Discard drops it.
  prompts->saveAnswers.push_back(ui::SaveChoice::Discard);
  window->Reopen();
  EXPECT_EQ(state.document.view().Byte(0x100), 0);
  EXPECT_EQ(test::TempDir::Read(other)[0x100], 0);

  // Save writes it before going on.
  probe->Edit(7);
  prompts->saveAnswers.push_back(ui::SaveChoice::Save);
  prompts->openFiles.push_back(QString::fromStdString(rom));
  window->ChooseAndOpen();
  EXPECT_EQ(test::TempDir::Read(dir.File("other.nes"))[0x100], 7);
  EXPECT_EQ(state.document.currentPath(), rom);
}

TEST_F(MainWindowTest, ClosingAsksWritesSettingsAndCanBeCancelled) {
  const std::string rom = StartOn(demo::ImageBuilder().Build());
  window->show();
  state.settings.SetInt(settings::kConfigDumpRow, 2);

  probe->Edit(3);
  prompts->saveAnswers.push_back(ui::SaveChoice::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(state.document.held());

  // The map window goes with the main window, so the program can end.
  window->tabs()->setCurrentIndex(ui::kMapsTab);
  auto visibleWindows = [this] {
    int count = window->isVisible() ? 1 : 0;
    for (QWidget* w : window->findChildren<QWidget*>())
      count += w->isWindow() && w->isVisible() ? 1 : 0;
    return count;
  };
  ASSERT_EQ(visibleWindows(), 2);

  prompts->saveAnswers.push_back(ui::SaveChoice::Discard);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(visibleWindows(), 0);
  EXPECT_FALSE(state.document.held());
  SettingsBlock reread;
  EXPECT_TRUE(LoadSettings(reread, dir.path().string()).messages.empty());
  EXPECT_EQ(reread.Int(settings::kConfigDumpRow), 2);
  EXPECT_EQ(test::TempDir::Read(rom)[0x100], 0);
}

TEST_F(MainWindowTest, TitlesFollowTheTabsAndAFileArgumentIsOpened) {
  const std::string rom = dir.Write("arg.nes", demo::ImageBuilder().Release(3).Build());
  StartWindow(rom);
  EXPECT_EQ(state.settings.Path(PathField::Rom), rom);
  EXPECT_EQ(window->windowTitle(), QString::fromStdString("Kivo - " + rom));
  window->tabs()->setCurrentIndex(ui::kTextTab);
  EXPECT_EQ(window->windowTitle(), "Kivo - Text Editor");

  window->CheckVersion();
  EXPECT_TRUE(prompts->texts().back().startsWith("This looks like Vask's translation, v1.03."));
}

TEST_F(MainWindowTest, ConfigureRefreshesOnlyAfterOkWithAnImage) {
  StartWindow();
  prompts->modalScripts.push_back([](QDialog&) { return ui::kDialogOk; });
  window->Configure();
  EXPECT_EQ(probe->refreshes, 0) << "no image: nothing to refresh";

  prompts->openFiles.push_back(
      QString::fromStdString(dir.Write("game.nes", demo::ImageBuilder().Build())));
  window->ChooseAndOpen();
  const int savesBefore = probe->saves;
  window->Configure();  // no script queued: the dialog is cancelled
  EXPECT_EQ(probe->refreshes, 1);

  prompts->modalScripts.push_back([](QDialog&) { return ui::kDialogOk; });
  window->Configure();
  EXPECT_EQ(probe->refreshes, 2);
  EXPECT_EQ(probe->lastReason, ui::RefreshReason::TablesChanged);
  EXPECT_GT(probe->saves, savesBefore) << "pages store before they are rebuilt";
}

TEST_F(MainWindowTest, CleaningTheDataReopensTheRom) {
  const std::string rom = StartOn(demo::ImageBuilder().Build());
  prompts->modalScripts.push_back([](QDialog&) { return ui::kDialogOk; });
  window->CleanTheData();
  EXPECT_EQ(prompts->texts().back(),
            "ROM has been reopened, all changes since last save have been discarded.");
  EXPECT_EQ(probe->refreshes, 2);
}

}  // namespace
}  // namespace kivo
