// Kivo: the desktop editor. `kivo [FILE]` opens FILE at start-up instead of
// the ROM remembered from the last run; `kivo --version` prints the version.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>

#include "ui/core/app_state.h"
#include "ui/core/main_window.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so it works without a display.
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("kivo %s\n", KIVO_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kivo"));
  QApplication::setApplicationVersion(QStringLiteral(KIVO_VERSION));

  const QStringList args = QApplication::arguments();
  if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1Char('-')))) {
    std::fprintf(stderr, "usage: kivo [FILE | --version]\n");
    return 2;
  }
  std::optional<std::string> file;
  if (args.size() == 2)
    file = QFileInfo(args[1]).absoluteFilePath().toStdString();

  kivo::ui::AppState state;
  kivo::ui::MainWindow window(state);
  window.show();
  window.Start(QDir::currentPath().toStdString(), file);
  return QApplication::exec();
}
