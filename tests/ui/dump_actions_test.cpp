#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>
#include <regex>

#include "model/dump/dump.h"
#include "model/editors/shop.h"
#include "ui/core/dump_actions.h"
#include "ui_test.h"

namespace kivo {
namespace {

using test::TempDir;

class DumpActionsTest : public test::WindowTest {
 protected:
  QAction* Item(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
  std::string Read(const std::string& name) {
    const std::vector<uint8_t> bytes = TempDir::Read(dir.File(name));
    return {bytes.begin(), bytes.end()};
  }
};

TEST_F(DumpActionsTest, DumpsEachKindAsConfigured) {
  ui::AppState empty;
  ui::MainWindow closed(empty);
  EXPECT_FALSE(closed.findChild<QAction*>(QStringLiteral("dumpAll"))->isEnabled());
  EXPECT_FALSE(closed.findChild<QAction*>(QStringLiteral("loadDump"))->isEnabled());

  StartOnDemo();
  for (const char* id : {"40026", "40035", "dumpAll", "loadDump"})
    EXPECT_TRUE(Item(id)->isEnabled()) << id;
  prompts->saveFiles = {QString::fromStdString(dir.File("shops"))};
  Item("40033")->trigger();
  EXPECT_EQ(prompts->suggestedFiles.back(), QStringLiteral("game-shop.json"));
  EXPECT_EQ(Read("shops.json"), DumpJson(state.document, std::vector{DumpKind::Shop},
                                         {&state.tables[0].table, &state.tables[1].table, nullptr})
                                    .text);

  state.settings.SetInt(settings::kConfigDumpRow, int(ui::DumpTarget::Both));
  prompts->saveFiles = {QString::fromStdString(dir.File("map.json"))};
  Item("40031")->trigger();
  EXPECT_NE(Read("map.json").find("\"grid\""), std::string::npos);
  const std::vector<uint8_t> map = DumpBinary(state.document, DumpKind::Map);
  EXPECT_TRUE(TempDir::Read(dir.File("map.bin")) == map);

  prompts->saveFiles = {QString::fromStdString(dir.File("all.json"))};
  Item("dumpAll")->trigger();
  EXPECT_EQ(prompts->suggestedFiles.back(), QStringLiteral("game-all.json"));
  EXPECT_NE(Read("all.json").find("\"text\": {"), std::string::npos);
  EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(DumpActionsTest, LoadingIsOneStepEveryPageFollows) {
  StartOnDemo();
  auto* gil = test::Find<QLineEdit>(*window->page(ui::kShopTab), 1379);
  const QString before = gil->text();
  prompts->saveFiles = {QString::fromStdString(dir.File("shop.json"))};
  Item("40033")->trigger();
  std::string text = std::regex_replace(Read("shop.json"), std::regex("\"starting_gil\": \\d+"),
                                        "\"starting_gil\": 1234567");
  text = std::regex_replace(text, std::regex("\"crc32\": \"\\w+\""), "\"crc32\": \"00000000\"");
  dir.Write("shop.json", text);

  // Cancelled at the question: nothing changes.
  prompts->openFiles = {QString::fromStdString(dir.File("shop.json"))};
  Item("loadDump")->trigger();
  ASSERT_EQ(prompts->questions.size(), 1u);
  EXPECT_TRUE(std::regex_match(prompts->questions[0].toStdString(),
                               std::regex("Load 1 kind: 28 shop records, 256 price entries, 1 "
                                          "starting gil: \\d bytes change.\n\nThis dump was "
                                          "made from another ROM.")))
      << prompts->questions[0].toStdString();
  EXPECT_EQ(window->history().stack().count(), 0);

  prompts->openFiles = {QString::fromStdString(dir.File("shop.json"))};
  prompts->choiceAnswers = {0};
  Item("loadDump")->trigger();
  EXPECT_EQ(gil->text(), QStringLiteral("1234567"));
  EXPECT_EQ(ReadStartingGil(state.document.view()), 1234567);
  EXPECT_EQ(window->history().stack().undoText(), QStringLiteral("Load shop.json"));
  window->Undo();
  EXPECT_EQ(gil->text(), before);

  // A refused load says why and changes nothing.
  dir.Write("bad.json", std::regex_replace(text, std::regex("1234567"), "99999999"));
  prompts->openFiles = {QString::fromStdString(dir.File("bad.json"))};
  Item("loadDump")->trigger();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].text,
            "bad.json cannot be loaded:\n\nshop.starting_gil: 99999999 is outside 0..9999999");
  EXPECT_FALSE(window->history().stack().canUndo());
}

}  // namespace
}  // namespace kivo
