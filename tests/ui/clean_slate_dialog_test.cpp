#include "ui/tools/clean_slate_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "demo/image_builder.h"
#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/tools/clean_slate.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;

using test::Find;

class CleanSlateTest : public test::UiTest {
 protected:
  test::TempDir dir;
  RomDocument document;
  std::string rom;

  void Hold(const Bytes& image) {
    rom = dir.Write("game.nes", image);
    document.Adopt(image, rom);
  }
  // Unchecks everything, then clicks `ids` on.
  static void Only(QDialog& dialog, std::initializer_list<int> ids) {
    Find<QPushButton>(dialog, 1364)->click();
    for (int id : ids)
      Find<QCheckBox>(dialog, id)->click();
  }
  // OK, answered "Blank and write".
  static void PressOk(QDialog& dialog) {
    static_cast<ui::ScriptedPrompts&>(ui::prompts()).choiceAnswers.push_back(0);
    Find<QPushButton>(dialog, ui::kDialogOk)->click();
  }
};

// Which box checks or enables which: SlateChecks (clean_slate_test).
TEST_F(CleanSlateTest, BoxesListAndClicks) {
  Hold(demo::ImageBuilder().Build());
  ui::CleanSlateDialog dialog(document, rom);
  EXPECT_EQ(dialog.findChildren<QCheckBox*>().size(), 56);
  QCheckBox* set1 = Find<QCheckBox>(dialog, 1324);
  EXPECT_EQ(qobject_cast<QGroupBox*>(set1->parentWidget())->title(), "Text");
  EXPECT_FALSE(Find<QCheckBox>(dialog, 1367)->isEnabled());

  QListWidget* tiles = Find<QListWidget>(dialog, 1369);
  EXPECT_EQ(tiles->currentItem()->text(), "Water - center");

  // Clicks reach the rules: the world map box takes the tile list with it.
  Find<QCheckBox>(dialog, 1317)->click();
  EXPECT_FALSE(tiles->isEnabled());

  QPushButton* toggle = Find<QPushButton>(dialog, 1364);
  toggle->click();
  EXPECT_EQ(toggle->text(), "Select everything!");
  EXPECT_FALSE(Find<QCheckBox>(dialog, 1378)->isChecked());
  toggle->click();
  EXPECT_TRUE(set1->isChecked() && tiles->isEnabled());
}

TEST_F(CleanSlateTest, OkBlanksReportsAndWritesTheFile) {
  demo::ImageBuilder image;
  image.Fill(0x0B0C, 3, 0x99).Byte(0x0B0F, 0x99);
  Hold(image.Build());
  ui::CleanSlateDialog dialog(document, rom);
  Only(dialog, {1375});
  prompts->modalScripts.push_back([](QDialog& d) {
    PressOk(d);
    return d.result();
  });
  EXPECT_EQ(ui::prompts().RunModal(dialog), ui::kDialogOk);
  EXPECT_EQ(prompts->questions.back(),
            "Blank 1 kinds of data and write game.nes now? Edit > Undo can bring the data back "
            "until you close the file.");
  EXPECT_EQ(prompts->texts(), std::vector<QString>{"The slate has been wiped clean."});
  const Bytes written = test::TempDir::Read(rom);
  EXPECT_EQ(Bytes(written.begin() + 0xB0C, written.begin() + 0xB10), (Bytes{0, 0, 0, 0x99}));
  EXPECT_EQ(written, Bytes(document.image().begin(), document.image().end()));
}

TEST_F(CleanSlateTest, AFailedWriteKeepsTheFileAndTheDialogOpen) {
  demo::ImageBuilder image;
  image.Fill(0x0B0C, 3, 0x99);
  Hold(image.Build());
  const auto onDisk = dir.Snapshot();
  ui::CleanSlateDialog dialog(document, rom);
  Only(dialog, {1375});
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    prompts->messages.clear();
    ScopedWriteFault fault(step);
    dialog.setResult(0);
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays open";
    EXPECT_EQ(prompts->texts().back(), "Could not open rom for cleaning...");
    EXPECT_EQ(dir.Snapshot(), onDisk) << "the ROM as it was, nothing beside it";
  }
  EXPECT_TRUE(dialog.imageChanged());
  EXPECT_EQ(document.view().Byte(0x0B0C), 0) << "the blanked image stays in memory";
}

// A page that holds one edit until it stores, or refuses to store.
class EditingPage : public ui::Page {
 public:
  ui::PageContext context;
  std::string refusal;
  int follows = 0;
  void refresh(const ui::PageContext& given) override { context = given; }
  void save() override {
    ui::CommitEdit(context, this, {QStringLiteral("Edit"), {}, {}},
                   [](const RomView& rom) { rom.SetByte(0x300, 0x5C); });
  }
  std::string saveRefusal() override { return refusal; }
  void followImage(const ByteChange&) override { ++follows; }
};

TEST_F(CleanSlateTest, TheCommandStoresThePagesFirstAndIsOneStep) {
  rom = dir.Write("game.nes", demo::ImageBuilder().Fill(0x0B0C, 3, 0x99).Build());
  test::WriteDataFile(dir, {{PathField::Rom, rom}});
  ui::AppState state;
  ui::MainWindow window(state);
  auto* page = new EditingPage;
  window.ReplacePage(ui::kCharacterTab, page);
  window.Start(dir.path().string(), std::nullopt);
  ASSERT_TRUE(state.document.editable());
  const Bytes before = test::TempDir::Read(rom);

  // A page that cannot store stops the command before the dialog.
  page->refusal = "The map is too large.";
  window.CleanTheSlate();
  EXPECT_EQ(prompts->texts().back(), "The map is too large.");
  EXPECT_EQ(test::TempDir::Read(rom), before);

  // Cancel to the question blanks nothing.
  page->refusal.clear();
  prompts->modalScripts.push_back([](QDialog& d) {
    Only(d, {1375});
    d.findChild<QPushButton*>(QString::number(ui::kDialogOk))->click();  // no answer: Cancel
    return ui::kDialogCancel;
  });
  window.CleanTheSlate();
  EXPECT_EQ(state.document.view().Byte(0xB0C), 0x99);

  prompts->modalScripts.push_back([](QDialog& d) {
    Only(d, {1375});
    PressOk(d);
    return d.result();
  });
  window.CleanTheSlate();
  const Bytes written = test::TempDir::Read(rom);
  EXPECT_EQ(written[0x300], 0x5C) << "the page's edit reached the file";
  EXPECT_EQ(written[0xB0C], 0);
  EXPECT_EQ(page->follows, 1) << "the pages follow the blanked image";
  EXPECT_FALSE(window.HasUnsavedEdits()) << "the file holds the image";

  // Undone, every blanked byte is back, and the work counts as unsaved: the
  // file holds the blanked data until the next Save.
  EXPECT_EQ(window.history().stack().undoText(), "Clean the Slate");
  window.Undo();
  EXPECT_EQ(state.document.view().Byte(0xB0C), 0x99);
  EXPECT_EQ(page->follows, 2);
  EXPECT_TRUE(window.HasUnsavedEdits());
  window.Redo();
  EXPECT_FALSE(window.HasUnsavedEdits());

  // Blanked, the write failed and the dialog was cancelled: the blanking is
  // an unsaved step like any other.
  prompts->modalScripts.push_back([](QDialog& d) {
    ScopedWriteFault fault(WriteStep::Rename);
    Only(d, {1352});  // the names, with the characters' set to 0xFF
    PressOk(d);
    return ui::kDialogCancel;
  });
  window.CleanTheSlate();
  EXPECT_EQ(test::TempDir::Read(rom), written);
  EXPECT_TRUE(window.HasUnsavedEdits());
  window.Undo();
  EXPECT_FALSE(window.HasUnsavedEdits());
}

}  // namespace
}  // namespace kivo
