// File > Create Patch... and Apply Patch... on the demo workspace: the patch
// holds the image as it is, unsaved edits included; applying one is a step
// the pages follow; every refusal changes nothing.

#include <QAction>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include "model/patch/patch.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Find;

class PatchActionsTest : public test::WindowTest {
 protected:
  Bytes Image() const { return {state.document.image().begin(), state.document.image().end()}; }
  void Trigger(const char* name) { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
  QLineEdit* HpBox() {
    window->tabs()->setCurrentIndex(ui::kCharacterTab);
    return Find<QLineEdit>(*window->page(ui::kCharacterTab), 1183);
  }
  void Drop(const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // As the window system delivers it, past the application's drag manager,
    // which knows of no drag in an offscreen test.
    static_cast<QObject*>(window.get())->event(&drop);
  }
};

TEST_F(PatchActionsTest, CreateThenApplyAsOneStepThePagesFollow) {
  const std::string rom = StartOnDemo();
  const Bytes original = Image();
  QLineEdit* hp = HpBox();
  hp->selectAll();
  QTest::keyClicks(hp, QStringLiteral("321"));
  QTest::keyClick(hp, Qt::Key_Return);
  const Bytes modified = Image();
  ASSERT_NE(modified, original);

  // The original, then the patch's name: BPS is the first filter, so its
  // extension is added.
  prompts->openFiles = {QString::fromStdString(rom)};
  prompts->saveFiles = {QString::fromStdString(dir.File("hack"))};
  Trigger("createPatch");
  const Bytes patch = test::TempDir::Read(dir.File("hack.bps"));
  ASSERT_EQ(PatchFormatOfBytes(patch), PatchFormat::Bps);
  EXPECT_EQ(ApplyPatch(original, patch).value, modified);

  window->Undo();
  ASSERT_EQ(Image(), original);
  prompts->openFiles = {QString::fromStdString(dir.File("hack.bps"))};
  Trigger("applyPatch");
  EXPECT_EQ(Image(), modified);
  EXPECT_EQ(HpBox()->text(), QStringLiteral("321"));
  EXPECT_EQ(window->history().stack().undoText(), QStringLiteral("Apply patch hack.bps"));
  EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Applied patch hack.bps"));
  EXPECT_TRUE(window->isWindowModified());
  window->Undo();
  EXPECT_EQ(Image(), original);

  // Dropping an IPS patch on the window applies it the same way.
  dir.Write("hack.ips", CreateIps(original, modified).value);
  Drop(dir.File("hack.ips"));
  EXPECT_EQ(Image(), modified);
  EXPECT_TRUE(prompts->messages.empty()) << prompts->texts().front().toStdString();
}

TEST_F(PatchActionsTest, APatchThatFailsAnyCheckChangesNothing) {
  StartOnDemo();
  const Bytes original = Image();
  Bytes other = original;
  other[0x100] ^= 1;
  Bytes shorter(original.begin(), original.end() - 16);
  dir.Write("other.bps", CreateBps(other, original));
  dir.Write("short.ips", CreateIps(original, shorter).value);
  dir.Write("junk.bps", Bytes{'n', 'o', 'p', 'e'});
  const int steps = window->history().stack().count();
  for (const char* name : {"other.bps", "short.ips", "junk.bps"}) {
    SCOPED_TRACE(name);
    prompts->messages.clear();
    prompts->openFiles = {QString::fromStdString(dir.File(name))};
    Trigger("applyPatch");
    EXPECT_EQ(Image(), original);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].informative, QString::fromStdString(dir.File(name)));
  }
  EXPECT_TRUE(prompts->messages[0].text.startsWith(QStringLiteral("This is not an IPS or BPS")));
  EXPECT_EQ(window->history().stack().count(), steps);
}

}  // namespace
}  // namespace kivo
