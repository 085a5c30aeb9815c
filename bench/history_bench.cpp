// The edit history on the demo image, offscreen: committing one field edit,
// and undoing one with the page refresh it causes, beside showing a record by
// selecting it in its list; and the memory 10,000 field steps hold, merged
// (one field typed again and again) and unmerged (two fields in turn).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <memory>

#include "demo/demo_image.h"
#include "model/core/rom_document.h"
#include "model/editors/character.h"
#include "ui/core/app_state.h"
#include "ui/core/edit_history.h"
#include "ui/core/main_window.h"
#include "offscreen_main.h"

namespace {

using kivo::ui::MainWindow;

// The main window on the demo image with the Character page shown.
struct CharacterScene {
  kivo::ui::AppState state;
  MainWindow window{state};
  QListWidget* list = nullptr;
  QLineEdit* hp = nullptr;

  CharacterScene() {
    state.document.Adopt(kivo::demo::BuildDemoImage(), "demo.nes");
    window.RefreshAll(kivo::ui::RefreshReason::Opened);
    window.tabs()->setCurrentIndex(kivo::ui::kCharacterTab);
    QWidget* page = window.page(kivo::ui::kCharacterTab);
    list = page->findChild<QListWidget*>(QStringLiteral("1028"));
    hp = page->findChild<QLineEdit*>(QStringLiteral("1183"));
  }
  bool ready() const { return state.document.editable() && list != nullptr && hp != nullptr; }
  // Types a value into the HP box and leaves it, as the user does.
  void CommitHp(int value) {
    hp->setText(QString::number(value));
    emit hp->editingFinished();
  }
};

// The CSV output needs the same counters on every figure of a program; the
// memory figures are the memory benchmark's own.
void SetMemoryCounters(benchmark::State& state, double merged = 0, double unmerged = 0,
                       double mergedSteps = 0, double unmergedSteps = 0) {
  state.counters["merged_kib"] = merged;
  state.counters["unmerged_kib"] = unmerged;
  state.counters["merged_steps"] = mergedSteps;
  state.counters["unmerged_steps"] = unmergedSteps;
}

// The scene, or nothing once the benchmark is told why.
std::unique_ptr<CharacterScene> MakeScene(benchmark::State& state) {
  SetMemoryCounters(state);
  auto scene = std::make_unique<CharacterScene>();
  if (scene->ready())
    return scene;
  state.SkipWithError("the Character page was not built");
  return nullptr;
}

// The floor: showing a record by selecting it in its list (the record shown
// before is stored first, which changes nothing). Two records a pass.
void BM_FloorSelectCharacterTwice(benchmark::State& state) {
  const std::unique_ptr<CharacterScene> scene = MakeScene(state);
  if (!scene)
    return;
  for (auto _ : state) {
    scene->list->setCurrentRow(1);
    scene->list->setCurrentRow(2);
  }
}

// Two commits of one field a pass: each applies the store, keeps its change
// and merges it into the step before.
void BM_CommitFieldEditTwice(benchmark::State& state) {
  const std::unique_ptr<CharacterScene> scene = MakeScene(state);
  if (!scene)
    return;
  for (auto _ : state) {
    scene->CommitHp(111);
    scene->CommitHp(222);
  }
}

// An undo and a redo a pass, each with the refresh every page makes.
void BM_UndoRedoFieldEdit(benchmark::State& state) {
  const std::unique_ptr<CharacterScene> scene = MakeScene(state);
  if (!scene)
    return;
  for (int tab = 0; tab < kivo::ui::kTabCount; ++tab)
    benchmark::DoNotOptimize(scene->window.page(tab));  // every page follows
  scene->window.tabs()->setCurrentIndex(kivo::ui::kCharacterTab);
  scene->CommitHp(333);
  for (auto _ : state) {
    scene->window.Undo();
    scene->window.Redo();
  }
}

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// 10,000 field steps pushed through the history as a page pushes them;
// reported in KiB, merged and unmerged.
void BM_HistoryMemory10000Steps(benchmark::State& state) {
  constexpr int kSteps = 10000;
  SetMemoryCounters(state);
  for (auto _ : state) {
    double kib[2] = {}, steps[2] = {};
    for (const bool merged : {true, false}) {
      kivo::RomDocument document;
      document.Adopt(kivo::demo::BuildDemoImage(), "demo.nes");
      const std::size_t before = HeapInUse();
      auto history = std::make_unique<kivo::ui::EditHistory>(document);
      for (int i = 0; i < kSteps; ++i) {
        const int field = merged ? 0 : i % 2;
        const kivo::ui::StepInfo step{field == 0 ? QStringLiteral("Edit HP of Goblin")
                                                 : QStringLiteral("Edit MP of Goblin"),
                                      {kivo::ui::kMonsterTab, 0},
                                      QStringLiteral("monster/0/%1").arg(field)};
        history->Commit(nullptr, step, [&](const kivo::RomView& rom) {
          rom.SetWord(kivo::kCharacterRecords + 8 + 2 * field, static_cast<uint16_t>(i + 1));
        });
      }
      kib[merged] = static_cast<double>(HeapInUse() - before) / 1024.0;
      steps[merged] = history->stack().count();
    }
    SetMemoryCounters(state, kib[1], kib[0], steps[1], steps[0]);
  }
}

BENCHMARK(BM_FloorSelectCharacterTwice)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitFieldEditTwice)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoFieldEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryMemory10000Steps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kivo::bench::OffscreenMain(argc, argv, [] {
    benchmark::RunSpecifiedBenchmarks();
    return 0;
  });
}
