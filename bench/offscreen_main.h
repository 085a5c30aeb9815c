#pragma once
// The main of a benchmark program that drives widgets: Qt on the offscreen
// platform (unless the environment names another), every question answered
// by a script so nothing blocks, then the benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>
#include <memory>

#include "ui/framework/scripted_prompts.h"

namespace kivo::bench {

// `run` runs the benchmarks (benchmark::RunSpecifiedBenchmarks, with what a
// program prepares around it) and gives the exit status.
inline int OffscreenMain(int argc, char** argv, const std::function<int()>& run) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  ui::InstallPrompts(std::make_unique<ui::ScriptedPrompts>());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  const int status = run();
  benchmark::Shutdown();
  return status;
}

}  // namespace kivo::bench
