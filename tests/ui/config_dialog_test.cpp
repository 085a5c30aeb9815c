#include "ui/core/config_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "ui/core/app_state.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using test::Find;
using test::UiTest;

void Click(QWidget& dialog, int id) {
  Find<QPushButton>(dialog, id)->click();
}

QString FieldText(QWidget& dialog, int id) {
  return Find<QLineEdit>(dialog, id)->text();
}

struct ConfigFixture {
  ConfigFixture() { state.settings.ResetToDefaults(); }
  ui::AppState state;
  test::TempDir dir;
};

TEST_F(UiTest, ConfigCancelledChoosers) {
  ConfigFixture f;
  ui::ConfigDialog dialog(f.state);

  Click(dialog, 1290);  // FF2 standard DTE, file dialog cancelled
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].text,
            QStringLiteral("Failed to open Final Fantasy 2's Standard DTE Table!"));
  EXPECT_EQ(prompts->fileFilters[0][0].pattern, QStringLiteral("*.tbl"));
  EXPECT_FALSE(f.state.table(TableKind::Ff2StandardDte).loaded);

  prompts->messages.clear();
  Click(dialog, 1288);  // palette, cancelled: silent
  EXPECT_TRUE(prompts->messages.empty());
  EXPECT_EQ(prompts->openFileDialogs, 2);
  EXPECT_EQ(prompts->fileFilters.back()[0].pattern, QStringLiteral("*.pal"));
  EXPECT_EQ(f.state.settings.Path(PathField::Palette), "");
}

TEST_F(UiTest, ConfigLoadsTablesAndPalettes) {
  ConfigFixture f;
  f.state.table(TableKind::Ff2Standard) = {{}, true, TableEncoding::ShiftJis};
  ui::ConfigDialog dialog(f.state);
  EXPECT_EQ(dialog.shownEncoding(TableKind::Ff2Standard), QStringLiteral("Shift-JIS"));

  const std::string table = f.dir.Write("ff1.tbl", std::string("41=A\r\n42=\xE9\r\n"));
  prompts->openFiles = {QString::fromStdString(table)};
  Click(dialog, 1293);
  ASSERT_EQ(prompts->texts(), std::vector<QString>{QStringLiteral("FF1's Standard table loaded.")});
  EXPECT_EQ(f.state.settings.Path(PathField::Ff1StandardTable), table);
  EXPECT_EQ(FieldText(dialog, 1296), QString::fromStdString(table));
  EXPECT_EQ(f.state.table(TableKind::Ff1Standard).table[0x42], "\xC3\xA9");  // Windows-1252
  EXPECT_EQ(dialog.shownEncoding(TableKind::Ff1Standard), QStringLiteral("Windows-1252"));

  // A file that cannot be read: the loader's message (char_table_test), nothing stored.
  prompts->messages.clear();
  prompts->openFiles = {QString::fromStdString(f.dir.File("gone.tbl"))};
  Click(dialog, 1291);
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(f.state.settings.Path(PathField::Ff2PrototypeTable), "");
  EXPECT_EQ(FieldText(dialog, 1299), QString());
  EXPECT_FALSE(f.state.table(TableKind::Ff2Prototype).loaded);

  // Palette: record 0 lands in entry 0; the path is stored and shown.
  std::vector<uint8_t> pal(192, 0);
  pal[0] = 0x12, pal[1] = 0x34, pal[2] = 0x56;
  const std::string palette = f.dir.Write("nes.pal", pal);
  prompts->messages.clear();
  prompts->openFiles = {QString::fromStdString(palette)};
  Click(dialog, 1288);
  ASSERT_EQ(prompts->texts(), std::vector<QString>{QStringLiteral("Palette loaded.")});
  EXPECT_EQ(f.state.palette[0].blue, 0x56);
  EXPECT_EQ(f.state.settings.Path(PathField::Palette), palette);
  EXPECT_EQ(FieldText(dialog, 1287), QString::fromStdString(palette));
}

TEST_F(UiTest, ConfigPathTooLongToRememberLoadsButIsNotStored) {
  ConfigFixture f;
  const std::filesystem::path folder = f.dir.path() / std::string(150, 'a') / std::string(150, 'b');
  std::filesystem::create_directories(folder);
  const std::string table = (folder / "long.tbl").string();
  ASSERT_GT(table.size(), 259u);
  std::ofstream(table) << "41=Z\n";
  f.state.settings.SetPath(PathField::Ff2StandardTable, "/old/ff2.tbl");
  ui::ConfigDialog dialog(f.state);
  prompts->openFiles = {QString::fromStdString(table)};
  Click(dialog, 1289);
  ASSERT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("FF2's Standard table loaded."));
  EXPECT_EQ(prompts->messages[1].text, QString::fromUtf8(kPathTooLongText));
  EXPECT_EQ(prompts->messages[1].icon, MessageIcon::Warning);
  EXPECT_EQ(f.state.table(TableKind::Ff2Standard).table[0x41], "Z");
  EXPECT_EQ(f.state.settings.Path(PathField::Ff2StandardTable), "/old/ff2.tbl");
  EXPECT_EQ(FieldText(dialog, 1297), QStringLiteral("/old/ff2.tbl"));
}

TEST_F(UiTest, ConfigLoadStaysAfterCancel) {
  ConfigFixture f;
  const std::string table = f.dir.Write("ff2.tbl", std::string("8A=A\n"));
  {
    ui::ConfigDialog dialog(f.state);
    prompts->openFiles = {QString::fromStdString(table)};
    prompts->modalScripts.push_back([](QDialog& d) {
      Click(d, 1289);
      Click(d, ui::kDialogCancel);
      return ui::kDialogOk;  // ignored: Cancel already ended it
    });
    EXPECT_EQ(prompts->RunModal(dialog), ui::kDialogCancel);
  }
  EXPECT_EQ(f.state.table(TableKind::Ff2Standard).table[0x8A], "A");
  ui::ConfigDialog again(f.state);  // shows the path stored at the load
  EXPECT_EQ(FieldText(again, 1297), QString::fromStdString(table));
}

}  // namespace
}  // namespace kivo
