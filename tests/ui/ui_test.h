#pragma once
// Widget tests run on the offscreen platform with scripted prompts, so no
// test ever waits on a window.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "support/temp_dir.h"
#include "ui/core/main_window.h"
#include "ui/framework/scripted_prompts.h"

namespace kivo::test {

// The control with template id `id` below `parent` (WithId names it so).
template <typename W>
W* Find(QWidget& parent, int id) {
  auto* w = parent.findChild<W*>(QString::number(id));
  EXPECT_NE(w, nullptr) << id;
  return w;
}

// The colour painted at (x, y) of the widget.
inline QRgb PaintedAt(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixel(x, y);
}

// Every colour distinct, so a painted pixel names the colour number it shows.
inline MasterPalette DistinctPalette() {
  MasterPalette palette;
  for (int n = 0; n < kNesColourCount; ++n)
    palette[static_cast<uint8_t>(n)] = ColourEntry{static_cast<uint8_t>(n), 0x80, 0x40, 0xFF};
  return palette;
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ui::ScriptedPrompts>();
    prompts = scripted.get();
    previous_ = ui::InstallPrompts(std::move(scripted));
  }
  void TearDown() override {
    ui::InstallPrompts(std::move(previous_));
    prompts = nullptr;
  }

  ui::ScriptedPrompts* prompts = nullptr;

 private:
  std::unique_ptr<ui::Prompts> previous_;
};

using DataPaths = std::vector<std::pair<PathField, std::string>>;

// A Kivo.dat in `dir` holding the defaults and `paths`.
inline void WriteDataFile(const TempDir& dir, const DataPaths& paths) {
  SettingsBlock block;
  block.ResetToDefaults();
  for (const auto& [field, path] : paths)
    block.SetPath(field, path);
  ASSERT_TRUE(SaveSettings(block, dir.File(settings::kDataFileName)).empty());
}

// The main window, started in a folder of its own as the program starts.
class WindowTest : public UiTest {
 protected:
  TempDir dir;
  ui::AppState state;
  std::unique_ptr<ui::MainWindow> window;

  // Writes `image` as game.nes, remembers it and `paths` in Kivo.dat and
  // starts the window, which opens it; gives the ROM's path.
  std::string StartWith(const std::vector<uint8_t>& image, DataPaths paths = {}) {
    const std::string rom = dir.Write("game.nes", image);
    paths.emplace_back(PathField::Rom, rom);
    WriteDataFile(dir, paths);
    window = std::make_unique<ui::MainWindow>(state);
    window->Start(dir.path().string(), std::nullopt);
    EXPECT_TRUE(state.document.editable());
    return rom;
  }
  // The same with the demo image and its two tables, as `kivo-cli demo` makes it.
  std::string StartOnDemo() {
    return StartWith(demo::BuildDemoImage(),
                     {{PathField::Ff2StandardTable,
                       dir.Write("standard.tbl", demo::DemoStandardTableFile())},
                      {PathField::Ff2StandardDteTable,
                       dir.Write("dte.tbl", demo::DemoDteTableFile())}});
  }
};

}  // namespace kivo::test
