#pragma once
// The editor pages' tests share one setup: the demo image with its table
// pair, a settings block and a page refreshed as the main window does it.

#include <QCheckBox>
#include <QComboBox>
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
    page->refresh(context);
  }

  QLineEdit* Edit(int id) { return Find<QLineEdit>(*page, id); }
  QComboBox* Combo(int id) { return Find<QComboBox>(*page, id); }
  QCheckBox* Box(int id) { return Find<QCheckBox>(*page, id); }
  QListWidget* List(int id) { return Find<QListWidget>(*page, id); }
  QPushButton* Button(int id) { return Find<QPushButton>(*page, id); }
  QString Text(int id) { return Edit(id)->text(); }
  void Type(int id, const QString& text) { Edit(id)->setText(text); }

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
