// The widget tests' main: one QApplication on the offscreen platform.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The offscreen platform says it cannot size top-level windows to their
// hints; that is expected there and says nothing about the program.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.contains(QLatin1String("propagateSizeHints")))
    return;
  if (type != QtDebugMsg)
    fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  // What the program keeps in the user's configuration folder (the recent
  // files) goes to a folder of this run, never the real one.
  const QTemporaryDir config;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
