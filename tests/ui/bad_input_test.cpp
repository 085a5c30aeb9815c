// The main window meeting bad files as users do: broken images, a folder or
// a FIFO where a ROM should be, a Kivo.dat that is a folder. Each gives its
// message and the program goes on working.

#include <sys/stat.h>

#include <QTabWidget>
#include <algorithm>
#include <filesystem>

#include "../../fuzz/bad_images.h"
#include "demo/image_builder.h"
#include "support/temp_dir.h"
#include "ui/core/main_page.h"
#include "ui/core/main_window.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

class BadInputUiTest : public test::UiTest {
 protected:
  test::TempDir dir;
  ui::AppState state;
  std::unique_ptr<ui::MainWindow> window;

  void StartWindow() {
    window = std::make_unique<ui::MainWindow>(state);
    window->Start(dir.path().string(), std::nullopt);
  }

  // True when the window holds the image at `path`, not still the one before.
  bool Open(const std::string& path) {
    prompts->openFiles.push_back(QString::fromStdString(path));
    window->ChooseAndOpen();
    return state.document.held() && state.document.currentPath() == path;
  }

  // The program still works: a good image opens and is editable.
  void ExpectAGoodImageOpens() {
    const std::string good = dir.Write("good.nes", demo::ImageBuilder().Release(3).Build());
    prompts->messages.clear();
    ASSERT_TRUE(Open(good));
    EXPECT_TRUE(state.document.editable());
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_TRUE(window->tabs()->isTabEnabled(ui::kTextTab));
  }
};

TEST_F(BadInputUiTest, BrokenImagesOpenQuietlyAndSayWhatTheyAreWhenAsked) {
  StartWindow();
  prompts->messages.clear();
  std::vector<fuzz::BadImage> images = fuzz::BadImages();
  // The slow images come first, while only the Main page is built: in them
  // every name runs on to the end of the image, which the pages take a minute
  // to decode under the sanitizers (the model tests read them all). Each
  // page is shown on the others, and is refreshed by every open after that.
  std::stable_partition(images.begin(), images.end(),
                        [](const fuzz::BadImage& bad) { return bad.slow; });
  for (const fuzz::BadImage& bad : images) {
    SCOPED_TRACE(bad.name);
    ASSERT_TRUE(Open(dir.Write(bad.name + ".nes", bad.bytes)));
    if (state.document.editable() && !bad.slow) {
      for (int tab = ui::kCharacterTab; tab < ui::kTabCount; ++tab)
        window->tabs()->setCurrentIndex(tab);
      window->tabs()->setCurrentIndex(ui::kMainTab);
    }
    EXPECT_TRUE(prompts->messages.empty());
    // Storing the pages again changes nothing, so the next open asks nothing.
    EXPECT_FALSE(window->HasUnsavedEdits());
    if (state.document.editable()) {
      window->CheckVersion();
      EXPECT_EQ(prompts->texts().back(),
                "Well, whatever you loaded isn't FF2.\n\nSAVE AT YOUR OWN RISK!");
    } else {
      EXPECT_EQ(window->tabs()->currentIndex(), ui::kMainTab);
      EXPECT_FALSE(window->tabs()->isTabEnabled(ui::kTextTab));
    }
    // ROM information reads only the header, whatever the image holds.
    prompts->messages.clear();
    window->RomInfo();
    if (bad.bytes.size() < 16 || bad.bytes[0] != 'N') {
      EXPECT_EQ(prompts->texts(),
                std::vector<QString>{"Possibility exists that this isn't a valid header!"});
    }
    prompts->messages.clear();
  }
  EXPECT_TRUE(prompts->questions.empty());
  ExpectAGoodImageOpens();
}

// Every reader refusing a folder or a FIFO at once: bad_input_test (model).
TEST_F(BadInputUiTest, AFolderOrAFifoAsTheRomGivesTheOpenMessage) {
  const std::string fifo = dir.File("pipe.nes");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  // Remembered as the ROM of the last run, the FIFO is refused at start.
  test::WriteDataFile(dir, {{PathField::Rom, fifo}});
  StartWindow();
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"Failed to open a rom. That's bad."});
  EXPECT_FALSE(state.document.held());

  fs::create_directory(dir.File("folder.nes"));
  prompts->messages.clear();
  EXPECT_FALSE(Open(dir.File("folder.nes")));
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"Failed to open a rom. That's bad."});
  EXPECT_FALSE(window->action(ui::kSaveCommand)->isEnabled());
  EXPECT_EQ(window->mainPage()->shownPath(), QString());
  ExpectAGoodImageOpens();
}

TEST_F(BadInputUiTest, KivoDatAsAFolderRunsOnDefaultsAndSaysSoAtStartAndExit) {
  fs::create_directory(dir.File(settings::kDataFileName));
  StartWindow();
  EXPECT_EQ(prompts->texts(), (std::vector<QString>{"Data file does not exist, creating...",
                                                    QString::fromUtf8(kSettingsCannotCreateText)}));
  ExpectAGoodImageOpens();

  window->show();
  prompts->messages.clear();
  EXPECT_TRUE(window->close());
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"Data file not found!"});
  EXPECT_TRUE(fs::is_directory(dir.File(settings::kDataFileName)));
}

}  // namespace
}  // namespace kivo
