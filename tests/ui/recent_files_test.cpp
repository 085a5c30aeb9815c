// File > Open Recent: order, limit, missing files, the unsaved-edits question.

#include <QAction>
#include <QMenu>
#include <QSettings>

#include "ui/core/recent_files.h"
#include "ui_test.h"

namespace kivo::test {
namespace {

class RecentFilesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Kivo", "Kivo").clear();
  }
  ui::RecentFiles& recent() { return *window->recentFiles(); }
  // The menu's entries as shown, without the separator and Clear Menu.
  QStringList Captions() {
    QStringList captions;
    for (QAction* entry : recent().menu()->actions())
      captions.append(entry->text());
    return captions.mid(0, captions.size() - 2);
  }
  void Choose(int row) { recent().menu()->actions()[row]->trigger(); }
};

TEST_F(RecentFilesTest, OpenedFilesComeFirstAndStayAcrossRuns) {
  const std::string rom = StartOnDemo();
  EXPECT_TRUE(Captions().isEmpty()) << "the ROM remembered in Kivo.dat is not a new open";
  EXPECT_FALSE(recent().menu()->menuAction()->isEnabled());

  std::vector<QString> files;
  for (int n = 0; n < 12; ++n) {
    files.push_back(QString::fromStdString(
        dir.Write("r&" + std::to_string(n) + ".nes", demo::BuildDemoImage())));
    window->OpenChosen(files.back());
  }
  window->OpenChosen(files[5]);  // again: moves up, not in twice
  const QStringList captions = Captions();
  ASSERT_EQ(captions.size(), ui::kRecentFileCount);
  EXPECT_EQ(captions[0], "&1 " + QString(files[5]).replace("&", "&&"));
  EXPECT_TRUE(captions[9].startsWith("1&0 "));
  EXPECT_EQ(recent().paths().mid(1, 2), (QStringList{files[11], files[10]}));
  EXPECT_EQ(recent().paths().back(), files[2]) << "the oldest fell off";

  // A new run reads the same list; Clear Menu empties it for the next run too.
  ui::RecentFiles again(window.get());
  EXPECT_EQ(again.paths(), recent().paths());
  recent().menu()->actions().last()->trigger();  // Clear Menu
  EXPECT_TRUE(Captions().isEmpty());
  EXPECT_TRUE(ui::RecentFiles(window.get()).paths().isEmpty());
}

TEST_F(RecentFilesTest, ChoosingAsksAboutEditsAndDropsMissingFiles) {
  const std::string rom = StartOnDemo();
  const QString gone = QString::fromStdString(dir.Write("gone.nes", demo::BuildDemoImage()));
  const QString other = QString::fromStdString(dir.Write("other.nes", demo::BuildDemoImage()));
  for (const QString& file : {gone, other, QString::fromStdString(rom)})
    window->OpenChosen(file);
  std::filesystem::remove(gone.toStdString());

  // An unsaved edit: Cancel keeps the file open, Discard opens the one chosen.
  window->history().Commit(nullptr, {QStringLiteral("Edit"), {ui::kCharacterTab}, {}},
                           [](const RomView& image) { image.SetByte(0x100, 0x42); });
  prompts->saveAnswers = {ui::SaveChoice::Cancel, ui::SaveChoice::Discard};
  Choose(1);
  EXPECT_EQ(state.document.currentPath(), rom);
  EXPECT_EQ(prompts->questions.size(), 1u);
  Choose(1);
  EXPECT_EQ(state.document.currentPath(), other.toStdString());

  Choose(2);  // gone.nes
  EXPECT_EQ(prompts->texts().back(),
            gone + " was not found. It has been removed from the recent files.");
  EXPECT_EQ(state.document.currentPath(), other.toStdString());
  EXPECT_EQ(recent().paths(), (QStringList{other, QString::fromStdString(rom)}));
}

}  // namespace
}  // namespace kivo::test
