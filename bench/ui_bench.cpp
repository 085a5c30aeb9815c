// The user interface on the offscreen platform: refreshing every page on the
// demo image beside constructing the main window with all its pages, showing
// each tab for the first time (which builds its page), and a whole start-up on the
// demo workspace (run in a process of its own by kivo-startup-probe) beside
// the start-up of a minimal Qt Widgets window (one line of text), with the
// peak resident memory of each; and the repaint of the map view at 1920 x 1080,
// and the undo of a whole-map fill, beside one QPainter::drawImage of a
// 1920 x 1080 image.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QUndoStack>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "demo/demo_image.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "ui/core/app_state.h"
#include "ui/core/main_window.h"
#include "offscreen_main.h"
#include "ui/map/map_view.h"
#include "ui/map/maps_page.h"

namespace {

namespace fs = std::filesystem;
using kivo::ui::AppState;
using kivo::ui::MainWindow;

// The demo workspace, seeded once per run in a fresh temporary folder.
fs::path& Workspace() {
  static fs::path workspace;
  return workspace;
}

bool SeedWorkspace() {
  std::string folder = (fs::temp_directory_path() / "kivo-ui-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr)
    return false;
  Workspace() = folder;
  QProcess cli;
  cli.start(QStringLiteral(KIVO_CLI_PATH),
            {QStringLiteral("demo"), QString::fromStdString(folder)});
  return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit &&
         cli.exitCode() == 0;
}

// The CSV output needs the same counters on every figure of a program, set
// before any skip: the in-process figures give the peak resident memory of
// ui_bench itself.
void CountOwnPeak(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The window builds a page only when it is first needed; the floor builds
// all eight, as every page is refreshed beside it.
// Starts `window` on the demo workspace; false (the benchmark skipped) when
// it opened no editable ROM.
bool StartOnDemo(benchmark::State& state, MainWindow& window, const AppState& appState) {
  window.Start(Workspace().string(), std::nullopt);
  if (appState.document.editable())
    return true;
  state.SkipWithError("the demo workspace opened no editable ROM");
  return false;
}

void BuildEveryPage(MainWindow& window) {
  for (int tab = 0; tab < kivo::ui::kTabCount; ++tab)
    benchmark::DoNotOptimize(window.page(tab));
}

void BM_FloorConstructMainWindow(benchmark::State& state) {
  CountOwnPeak(state);
  AppState appState;
  for (auto _ : state) {
    auto window = std::make_unique<MainWindow>(appState);
    BuildEveryPage(*window);
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  CountOwnPeak(state);
}

void BM_RefreshAllDemo(benchmark::State& state) {
  CountOwnPeak(state);
  AppState appState;
  MainWindow window(appState);
  if (!StartOnDemo(state, window, appState))
    return;
  BuildEveryPage(window);
  for (auto _ : state)
    window.RefreshAll(kivo::ui::RefreshReason::Opened);
  CountOwnPeak(state);
}

// Choosing each editor tab once after start-up: each builds its page and
// refreshes it from the demo image. The wait a user sees is one eighth of it
// on average.
void BM_ShowEveryTabFirstTime(benchmark::State& state) {
  CountOwnPeak(state);
  AppState appState;
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<MainWindow>(appState);
    if (!StartOnDemo(state, *window, appState))
      return;
    state.ResumeTiming();
    for (int tab = kivo::ui::kCharacterTab; tab < kivo::ui::kTabCount; ++tab)
      window->tabs()->setCurrentIndex(tab);
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  CountOwnPeak(state);
}

// One start-up in a process of its own, timed by the process itself.
void StartUp(benchmark::State& state, const QStringList& arguments) {
  CountOwnPeak(state);  // replaced by the probe's figure below
  double peakMib = 0;
  for (auto _ : state) {
    QProcess probe;
    probe.start(QStringLiteral(KIVO_STARTUP_PROBE), arguments);
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0) {
      state.SkipWithError(
          ("kivo-startup-probe failed: " + probe.readAllStandardError().toStdString()).c_str());
      return;
    }
    long long nanoseconds = 0;
    long kib = 0;
    if (std::sscanf(probe.readAllStandardOutput().constData(), "startup_ns=%lld peak_rss_kib=%ld",
                    &nanoseconds, &kib) != 2) {
      state.SkipWithError("kivo-startup-probe printed no figures");
      return;
    }
    state.SetIterationTime(static_cast<double>(nanoseconds) * 1e-9);
    peakMib += static_cast<double>(kib) / 1024.0;
  }
  state.counters["peak_rss_mib"] = benchmark::Counter(peakMib, benchmark::Counter::kAvgIterations);
}

void BM_FloorStartMinimalWindow(benchmark::State& state) {
  StartUp(state, {QStringLiteral("minimal")});
}

void BM_StartDemoWorkspace(benchmark::State& state) {
  StartUp(state, {QStringLiteral("kivo"), QString::fromStdString(Workspace().string())});
}

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// The floor of the map view's repaint: one blit of a full-screen picture in
// the offscreen platform's window format.
void BM_FloorDrawImage1080p(benchmark::State& state) {
  CountOwnPeak(state);
  QImage target(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  QImage picture(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x)
      picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(0, 0, picture);
  }
  benchmark::DoNotOptimize(target.constBits());
  CountOwnPeak(state);
}

// The demo image's world map in a map view whose drawing surface is 1920 x
// 1080, with every outline shown.
struct MapViewScene {
  kivo::RomDocument document;
  kivo::SettingsBlock settings;
  kivo::MasterPalette palette;
  kivo::ui::MapView view{nullptr};

  MapViewScene() {
    settings.ResetToDefaults();
    for (std::size_t flag :
         {kivo::settings::kMapGrid, kivo::settings::kMapShowLeftClick,
          kivo::settings::kMapShowRightClick, kivo::settings::kMapShowViewingArea})
      settings.SetFlag(flag, true);
    document.Adopt(kivo::demo::BuildDemoImage(), "demo.nes");
    view.SetSources(&document, &settings, &palette);
    view.Refresh(true);
    view.show();
    QWidget& canvas = *view.canvasWidget();
    view.resize(view.size() + QSize(kScreenWidth, kScreenHeight) - canvas.size());
    view.ScrollToCell(60, 60);
    // A window paints only once the platform has exposed it.
    for (int i = 0; i < 100 && !exposed(); ++i)
      QCoreApplication::processEvents();
    canvas.repaint();
  }
  bool exposed() const {
    return view.windowHandle() != nullptr && view.windowHandle()->isExposed();
  }
  bool ready() const {
    return exposed() && view.canvasWidget()->size() == QSize(kScreenWidth, kScreenHeight);
  }
  void HoverAt(QPoint at) {
    QWidget& canvas = *view.canvasWidget();
    QMouseEvent move(QEvent::MouseMove, QPointF(at), canvas.mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &move);
  }
};

// The repaint a mouse move causes: the viewing area follows the hover cell.
void BM_RepaintMapView(benchmark::State& state) {
  CountOwnPeak(state);
  MapViewScene scene;
  if (!scene.ready()) {
    state.SkipWithError("the map view was not shown at 1920 x 1080");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    scene.HoverAt(QPoint(400 + 16 * (step++ & 7), 300));
    scene.view.canvasWidget()->repaint();
  }
  CountOwnPeak(state);
}

// The repaint after a scroll by one cell, which draws every visible cell anew.
void BM_RepaintMapViewScrolled(benchmark::State& state) {
  CountOwnPeak(state);
  MapViewScene scene;
  if (!scene.ready()) {
    state.SkipWithError("the map view was not shown at 1920 x 1080");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    const int at = 60 + (step++ & 1);
    scene.view.ScrollToCell(at, at);
    scene.view.canvasWidget()->repaint();
  }
  CountOwnPeak(state);
}

// Undoing (and redoing, in turn) a fill of the whole world map through the
// main window's history: the grid gets its 64 KiB back and the map view,
// 1920 x 1080 as above, repaints.
void BM_UndoOrRedoMapFill(benchmark::State& state) {
  CountOwnPeak(state);
  AppState appState;
  MainWindow window(appState);
  if (!StartOnDemo(state, window, appState))
    return;
  window.tabs()->setCurrentIndex(kivo::ui::kMapsTab);
  auto* maps = dynamic_cast<kivo::ui::MapsPage*>(window.page(kivo::ui::kMapsTab));
  kivo::ui::MapView& view = maps->mapView();
  QWidget& canvas = *view.canvasWidget();
  view.resize(view.size() + QSize(kScreenWidth, kScreenHeight) - canvas.size());
  for (int i = 0; i < 100 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents();
  // Every cell one metatile, then a fill from a corner with another: the
  // whole map changes.
  kivo::WorldMapGrid& grid = view.grid();
  for (std::size_t i = 0; i < grid.size(); ++i)
    grid[i] = 0x24;
  appState.settings.SetInt(kivo::settings::kCurrentMetatile, 0x1E);
  view.SetFillMode(true);
  const QPointF at(8, 8);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, canvas.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
    QCoreApplication::sendEvent(&canvas, &click);
  }
  QUndoStack& stack = window.history().stack();
  if (stack.count() != 1 || stack.undoText() != QStringLiteral("Fill map")) {
    state.SkipWithError("the fill made no step");
    return;
  }
  bool undo = true;
  for (auto _ : state) {
    if (undo)
      window.Undo();
    else
      window.Redo();
    undo = !undo;
    canvas.repaint();
  }
  CountOwnPeak(state);
}

BENCHMARK(BM_FloorConstructMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshAllDemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorDrawImage1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMapView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMapViewScrolled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoOrRedoMapFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowEveryTabFirstTime)->Unit(benchmark::kMillisecond);
// A start-up takes a good part of a second: a few per repetition will do.
BENCHMARK(BM_FloorStartMinimalWindow)
    ->UseManualTime()
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartDemoWorkspace)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kivo::bench::OffscreenMain(argc, argv, [] {
    const bool seeded = SeedWorkspace();
    if (seeded)
      benchmark::RunSpecifiedBenchmarks();
    else
      std::fprintf(stderr, "ui_bench: kivo-cli demo could not seed a workspace\n");
    std::error_code ignored;
    if (!Workspace().empty())
      fs::remove_all(Workspace(), ignored);
    return seeded ? 0 : 1;
  });
}
