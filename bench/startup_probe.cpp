// One start of a window, timed from inside the process: from just before
// QApplication's construction to the end of the window's first painted
// frame. Prints the time and the peak resident memory at that moment, then
// quits. ui_bench runs it once per measurement, since Qt sets itself up only
// once per process.
//
//   kivo-startup-probe kivo DIR   Kivo's main window started in the workspace DIR
//   kivo-startup-probe minimal    Qt's smallest Widgets program, a window with
//                                 one line of text, at the same size

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "ui/core/app_state.h"
#include "ui/core/main_window.h"
#include "ui/framework/scripted_prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

// Kivo's main window opens at this size.
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 640;

// The high-water mark of this program's memory. Not getrusage's ru_maxrss:
// that carries over the parent's peak through fork and exec.
long PeakResidentKib() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr)
    return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
      break;
  }
  std::fclose(status);
  return kib;
}

// Waits for the window's first paint event; the frame is complete once the
// event loop comes back around, when a zero timer fires.
class FirstFrame : public QObject {
 public:
  FirstFrame(QWidget& window, Clock::time_point started) : started_(started) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Report() {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - started_);
    std::printf("startup_ns=%lld peak_rss_kib=%ld\n", static_cast<long long>(elapsed.count()),
                PeakResidentKib());
    std::fflush(stdout);
    QCoreApplication::quit();
  }

  Clock::time_point started_;
  bool seen_ = false;
};

int Usage() {
  std::fprintf(stderr, "usage: kivo-startup-probe kivo DIR | minimal\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const bool kivo = argc == 3 && std::strcmp(argv[1], "kivo") == 0;
  const bool minimal = argc == 2 && std::strcmp(argv[1], "minimal") == 0;
  if (!kivo && !minimal)
    return Usage();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  const Clock::time_point started = Clock::now();
  int qtArgc = 1;
  QApplication app(qtArgc, argv);

  if (minimal) {
    QLabel window(QStringLiteral("Kivo"));
    window.resize(kWindowWidth, kWindowHeight);
    FirstFrame frame(window, started);
    window.show();
    return QApplication::exec();
  }

  // As kivo's main() starts, with prompts that never wait for an answer.
  QApplication::setApplicationName(QStringLiteral("Kivo"));
  kivo::ui::InstallPrompts(std::make_unique<kivo::ui::ScriptedPrompts>());
  kivo::ui::AppState state;
  kivo::ui::MainWindow window(state);
  FirstFrame frame(window, started);
  window.show();
  window.Start(argv[2], std::nullopt);
  if (!state.document.editable()) {
    std::fprintf(stderr, "kivo-startup-probe: no editable ROM opened in %s\n", argv[2]);
    return 1;
  }
  return QApplication::exec();
}
