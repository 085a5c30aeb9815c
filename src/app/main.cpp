// Kivo: the desktop editor. `kivo [FILE]` opens FILE at start-up instead of
// the ROM remembered from the last run.

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
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kivo"));
  QApplication::setApplicationVersion(QStringLiteral("0.2d"));

  const QStringList args = QApplication::arguments();
  if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1Char('-')))) {
    std::fprintf(stderr, "usage: kivo [FILE]\n");
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
