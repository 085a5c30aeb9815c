#pragma once
// The editor pages' tests share one setup: the demo image with its table
// pair, a settings block and a page refreshed as the main window does it.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/image_builder.h"
#include "model/gfx/palette.h"
#include "ui/core/edit_history.h"
#include "ui/framework/dialog.h"
#include "ui/framework/page.h"
#include "ui/ui_test.h"

namespace kivo::test {

inline demo::ImageBuilder DemoImage() {
  demo::ImageBuilder image;
  demo::PlaceDemoImage(image);
  return image;
}

// Colour `k` of battle palette `palette` in the image.
constexpr std::size_t BattleColour(int palette, int k) {
  return 0x1710 + 0x80 * static_cast<std::size_t>(k) + static_cast<std::size_t>(palette);
}

template <typename P>
class PageTest : public UiTest {
 protected:
  RomDocument document;
  SettingsBlock settings;
  MasterPalette palette;
  CharTable standard = demo::DemoStandardTable();
  CharTable dte = demo::DemoDteTable();
  std::unique_ptr<P> page;
  std::unique_ptr<ui::EditHistory> history;

  void Open(const demo::ImageBuilder& image) {
    document.Adopt(image.Build(), "demo.nes");
    if (!page)
      page = std::make_unique<P>();
    Refresh(ui::RefreshReason::Opened);
  }

  void Refresh(ui::RefreshReason reason) {
    ui::PageContext context;
    context.document = &document;
    context.settings = &settings;
    context.standardTable = &standard;
    context.dteTable = &dte;
    context.palette = &palette;
    context.reason = reason;
    context.edits = history.get();
    page->refresh(context);
  }

  // From here on every edit is a step of a history that shows its place on
  // this page, and the page follows steps made elsewhere.
  QUndoStack& RecordSteps() {
    history = std::make_unique<ui::EditHistory>(document);
    history->showPlace = [this](const ui::StepPlace& place) { page->showPlace(place); };
    history->imageChanged = [this](ui::Page* source, const ByteChange& change) {
      if (source == nullptr)
        page->followImage(change);
    };
    Refresh(ui::RefreshReason::Opened);
    return history->stack();
  }

  QLineEdit* Edit(int id) { return Find<QLineEdit>(*page, id); }
  QComboBox* Combo(int id) { return Find<QComboBox>(*page, id); }
  QCheckBox* Box(int id) { return Find<QCheckBox>(*page, id); }
  QListWidget* List(int id) { return Find<QListWidget>(*page, id); }
  QPushButton* Button(int id) { return Find<QPushButton>(*page, id); }
  QString Text(int id) { return Edit(id)->text(); }
  QString Label(int id) { return Find<QLabel>(*page, id)->text(); }
  void Type(int id, const QString& text) { Edit(id)->setText(text); }
  // Types `text` into box `id` and leaves the box.
  void Leave(int id, const QString& text) {
    Type(id, text);
    emit Edit(id)->editingFinished();
  }
  void Pick(int id, int row) { Combo(id)->setCurrentIndex(row); }
  // List `id` selects no row and names the stored byte instead.
  void ExpectRawValue(int id, const char* hex) {
    EXPECT_EQ(Combo(id)->currentIndex(), -1) << id;
    EXPECT_EQ(Combo(id)->placeholderText(), QStringLiteral("(raw value %1)").arg(hex)) << id;
  }

  // The next label dialog is answered with `text` and OK.
  void AnswerLabel(const QString& text) {
    prompts->modalScripts.push_back([text](QDialog& d) {
      Find<QLineEdit>(d, 1279)->setText(text);
      d.accept();
      return ui::kDialogOk;
    });
  }

  // The rows of every list and list box, in a fixed order.
  std::vector<int> RowCounts() {
    std::vector<int> counts;
    for (QComboBox* combo : page->template findChildren<QComboBox*>())
      counts.push_back(combo->count());
    for (QListWidget* list : page->template findChildren<QListWidget*>())
      counts.push_back(list->count());
    return counts;
  }

  // A second refresh leaves every list its rows; a remembered row outside
  // `list` shows row 0 (and, unless `keepsStored`, is remembered as 0).
  void ExpectRefreshKeepsRowsAndOutsideRowsShowRowZero(QListWidget* list, std::size_t remembered,
                                                        bool keepsStored = false) {
    const std::vector<int> counts = RowCounts();
    for (int stored : {list->count(), -1, 0x7FFFFFFF}) {
      settings.SetInt(remembered, stored);
      Refresh(ui::RefreshReason::Opened);
      EXPECT_EQ(list->currentRow(), 0) << stored;
      EXPECT_EQ(settings.Int(remembered), keepsStored ? stored : 0) << stored;
    }
    EXPECT_EQ(RowCounts(), counts);
  }

  uint8_t Byte(std::size_t offset) const { return std::as_const(document).view().Byte(offset); }
  uint16_t Word(std::size_t offset) const { return std::as_const(document).view().Word(offset); }
  std::vector<uint8_t> Bytes(std::size_t offset, std::size_t count) const {
    return std::as_const(document).view().Bytes(offset, count);
  }
  std::vector<uint8_t> Image() const {
    const std::span<const uint8_t> image = std::as_const(document).image();
    return {image.begin(), image.end()};
  }
  // Stores the page; true when no byte of the image changed.
  bool SaveChangesNothing() {
    const std::vector<uint8_t> before = Image();
    page->save();
    return Image() == before;
  }
};

}  // namespace kivo::test
