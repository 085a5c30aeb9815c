// The user interface on the offscreen platform: refreshing every page on the
// demo image beside constructing the main window, and a whole start-up on the
// demo workspace (run in a process of its own by kivo-startup-probe) beside
// the start-up of a minimal Qt Widgets window (one line of text), with the
// peak resident memory of each.
//
// Still to come: the repaint of the map view at 1920 x 1080 beside one
// QPainter::drawImage of a 1920 x 1080 image, once the Maps page has a map view.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "ui/core/app_state.h"
#include "ui/core/main_window.h"
#include "ui/framework/scripted_prompts.h"

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

void BM_FloorConstructMainWindow(benchmark::State& state) {
  CountOwnPeak(state);
  AppState appState;
  for (auto _ : state) {
    auto window = std::make_unique<MainWindow>(appState);
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
  window.Start(Workspace().string(), std::nullopt);
  if (!appState.document.editable()) {
    state.SkipWithError("the demo workspace opened no editable ROM");
    return;
  }
  for (auto _ : state)
    window.RefreshAll(kivo::ui::RefreshReason::Opened);
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

BENCHMARK(BM_FloorConstructMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshAllDemo)->Unit(benchmark::kMillisecond);
// A start-up takes a good part of a second: a few per repetition will do.
BENCHMARK(BM_FloorStartMinimalWindow)
    ->UseManualTime()
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartDemoWorkspace)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  kivo::ui::InstallPrompts(std::make_unique<kivo::ui::ScriptedPrompts>());

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  const bool seeded = SeedWorkspace();
  if (seeded)
    benchmark::RunSpecifiedBenchmarks();
  else
    std::fprintf(stderr, "ui_bench: kivo-cli demo could not seed a workspace\n");
  benchmark::Shutdown();
  std::error_code ignored;
  if (!Workspace().empty())
    fs::remove_all(Workspace(), ignored);
  return seeded ? 0 : 1;
}
