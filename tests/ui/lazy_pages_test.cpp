// The main window builds an editor page only when its tab is first shown or
// something asks for it. A page that joins after an image was opened must
// behave as if it had been there from the start: it shows the image, its
// edits are saved and asked about, and what its store merely rewrites is not
// an edit.

#include <QTabWidget>

#include "demo/demo_image.h"
#include "demo/image_builder.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

// A page whose store always rewrites one byte (as a store that tidies a
// value would), and whose edits write another as they are made.
class RewritingPage : public ui::Page {
 public:
  static constexpr std::size_t kRewritten = 0x200;
  static constexpr std::size_t kEdited = 0x100;

  int refreshes = 0;
  ui::PageContext context;

  void refresh(const ui::PageContext& given) override {
    ++refreshes;
    context = given;
  }
  void Write(std::size_t offset, uint8_t value) {
    ui::CommitEdit(context, this, {QStringLiteral("Edit"), {ui::kShopTab}, {}},
                   [=](const RomView& rom) { rom.SetByte(offset, value); });
  }
  void Edit(uint8_t value) { Write(kEdited, value); }
  void save() override { Write(kRewritten, 0x42); }
};

using LazyPagesTest = test::WindowTest;

TEST_F(LazyPagesTest, APageBuiltAfterOpeningIsSavedAndAskedAboutLikeTheOthers) {
  StartWith(demo::ImageBuilder().Build());
  for (int tab = ui::kCharacterTab; tab < ui::kTabCount; ++tab)
    EXPECT_EQ(window->builtPage(tab), nullptr) << "tab " << tab << " built before it was shown";

  auto* page = new RewritingPage;
  window->ReplacePage(ui::kShopTab, page);
  EXPECT_EQ(page->refreshes, 1) << "refreshed from the open image as it joins";
  EXPECT_FALSE(window->HasUnsavedEdits()) << "joining stores nothing";
  EXPECT_EQ(window->page(ui::kShopTab), page);

  // Its edit is asked about, and kept when the question is cancelled.
  page->Edit(5);
  prompts->saveAnswers.push_back(ui::SaveChoice::Cancel);
  window->Reopen();
  EXPECT_EQ(prompts->questions.size(), 1u);
  EXPECT_EQ(state.document.view().Byte(RewritingPage::kEdited), 5);

  // Save writes it, and afterwards nothing is unsaved.
  ASSERT_TRUE(window->Save());
  const std::vector<uint8_t> saved = test::TempDir::Read(state.document.currentPath());
  EXPECT_EQ(saved[RewritingPage::kEdited + state.document.baseShift()], 5);
  EXPECT_EQ(saved[RewritingPage::kRewritten + state.document.baseShift()], 0x42);
  EXPECT_FALSE(window->HasUnsavedEdits());

  // Re-opening refreshes it again, and a store's rewrite is no edit to ask about.
  window->Reopen();
  EXPECT_EQ(page->refreshes, 2);
  EXPECT_FALSE(window->HasUnsavedEdits());
}

TEST_F(LazyPagesTest, RealPagesBuiltLateShowTheImageAndChangeNothing) {
  StartWith(demo::BuildDemoImage());
  // Shown one by one as a user browsing would, or asked for directly.
  for (int tab = ui::kCharacterTab; tab < ui::kTabCount; ++tab) {
    if (tab % 2 == 0)
      window->tabs()->setCurrentIndex(tab);
    ASSERT_NE(window->page(tab), nullptr);
    EXPECT_FALSE(window->HasUnsavedEdits()) << "after building tab " << tab;
  }
  EXPECT_EQ(window->page(ui::kTabCount), nullptr);
  EXPECT_EQ(window->page(-1), nullptr);

  // Every page now exists, so closing asks nothing and closes each.
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(prompts->questions.empty());
}

}  // namespace
}  // namespace kivo
