// Dumps of the demo image, offscreen: the JSON document of every kind, and
// loading it back (checked whole, then applied), beside refreshing the eight
// editor pages, which read the same data.

#include <benchmark/benchmark.h>

#include <memory>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/dump/dump.h"
#include "offscreen_main.h"
#include "ui/core/app_state.h"
#include "ui/core/main_window.h"

namespace {

using kivo::DumpKind;
using kivo::ui::MainWindow;

// The main window on the demo image with the demo tables and every page built.
struct Scene {
  kivo::ui::AppState state;
  std::unique_ptr<MainWindow> window;
  kivo::DumpContext context;

  Scene() {
    state.document.Adopt(kivo::demo::BuildDemoImage(), "demo.nes");
    state.table(kivo::TableKind::Ff2Standard) = {kivo::demo::DemoStandardTable(), true};
    state.table(kivo::TableKind::Ff2StandardDte) = {kivo::demo::DemoDteTable(), true};
    state.settings.ResetToDefaults();
    window = std::make_unique<MainWindow>(state);
    for (int tab = 0; tab < kivo::ui::kTabCount; ++tab)
      benchmark::DoNotOptimize(window->page(tab));
    context = {&state.table(kivo::TableKind::Ff2Standard).table,
               &state.table(kivo::TableKind::Ff2StandardDte).table, &state.settings};
  }
};

void BM_FloorRefreshAllPages(benchmark::State& state) {
  Scene scene;
  for (auto _ : state)
    scene.window->RefreshAll(kivo::ui::RefreshReason::Opened);
}

void BM_DumpAllKinds(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    kivo::DumpOutput out = kivo::DumpJson(scene.state.document, kivo::kDumpKinds, scene.context);
    benchmark::DoNotOptimize(out.text.data());
  }
}

void BM_LoadAllKinds(benchmark::State& state) {
  Scene scene;
  const std::string text =
      kivo::DumpJson(scene.state.document, kivo::kDumpKinds, scene.context).text;
  for (auto _ : state) {
    const kivo::DumpLoad load =
        kivo::PlanDumpLoad(scene.state.document, text, scene.context, false);
    if (!load.ok()) {
      state.SkipWithError("the demo image's own dump was refused");
      return;
    }
    benchmark::DoNotOptimize(
        scene.state.document.Apply([&](const kivo::RomView& rom) { load.Apply(rom); }));
  }
}

BENCHMARK(BM_FloorRefreshAllPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DumpAllKinds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllKinds)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kivo::bench::OffscreenMain(argc, argv, [] {
    benchmark::RunSpecifiedBenchmarks();
    return 0;
  });
}
