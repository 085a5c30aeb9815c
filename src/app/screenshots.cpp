// kivo-screenshots: starts Kivo on a workspace and saves a picture of every
// tab, for the README, and of every tab again with the window at its
// minimum size, to check that no control is cut there. Nothing may block,
// so every message is recorded and printed instead of shown.
//
//   kivo-screenshots WORKSPACE OUTDIR
//
// writes OUTDIR/tab-<index>-<name>.png, one per tab, OUTDIR/map-view.png,
// OUTDIR/min/tab-<index>-<name>.png, OUTDIR/edit-menu.png (the Edit menu open
// after an edit on the Character page), OUTDIR/file-menu.png,
// OUTDIR/filtered-list.png and OUTDIR/field-tooltip.png.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "ui/core/app_state.h"
#include "ui/core/main_window.h"
#include "ui/framework/scripted_prompts.h"
#include "ui/map/map_view.h"
#include "ui/map/maps_page.h"

namespace {

// The README's pictures: roomier than the minimum, as a window is mostly used.
constexpr int kWidth = 1200;
constexpr int kHeight = 760;
// Time for layouts and deferred painting to settle before a grab.
constexpr int kSettleMs = 150;

void Settle() {
  QEventLoop loop;
  QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
  loop.exec();
  QApplication::processEvents();
}

QString FileNameOf(int index, const QString& tabText) {
  QString name;
  for (const QChar c : tabText.toLower()) {
    if (c.isLetterOrNumber())
      name += c;
    else if (c.isSpace() && !name.endsWith(QLatin1Char('-')))
      name += QLatin1Char('-');
  }
  return QStringLiteral("tab-%1-%2.png").arg(index).arg(name);
}

// Opens the menu holding the action `actionName` and takes the screen around
// the window, menu included (a menu is a window of its own).
bool TakeMenu(kivo::ui::MainWindow& window, const QString& actionName, const QString& file) {
  QAction* menu = nullptr;
  for (QAction* action : window.menuBar()->actions()) {
    if (action->menu() != nullptr && action->menu()->findChild<QAction*>(actionName))
      menu = action;
  }
  if (menu == nullptr)
    return false;
  const QRect item = window.menuBar()->actionGeometry(menu);
  menu->menu()->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
  Settle();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
      0, frame.x(), frame.y(), frame.width(), frame.height() / 2);
  menu->menu()->hide();
  return shot.save(file);
}

// Types a new HP for the character shown, then opens the Edit menu.
bool TakeEditMenu(kivo::ui::MainWindow& window, const QString& file) {
  window.tabs()->setCurrentIndex(kivo::ui::kCharacterTab);
  Settle();
  auto* hp = window.page(kivo::ui::kCharacterTab)->findChild<QLineEdit*>(QStringLiteral("1183"));
  if (hp == nullptr)
    return false;
  hp->setText(QString::number(hp->text().toInt() + 100));
  emit hp->editingFinished();
  return TakeMenu(window, QStringLiteral("undo"), file);
}

// The Monster list filtered to one kind, then the HP box focused with its
// tooltip up and the status bar saying the same (a tooltip is a window of
// its own, so the screen around the window is taken).
bool TakeFinding(kivo::ui::MainWindow& window, const QString& filterFile, const QString& tipFile) {
  window.tabs()->setCurrentIndex(kivo::ui::kMonsterTab);
  Settle();
  QWidget* page = window.page(kivo::ui::kMonsterTab);
  auto* filter = page->findChild<QLineEdit*>(QStringLiteral("filter-1067"));
  auto* hp = page->findChild<QLineEdit*>(QStringLiteral("1031"));
  if (filter == nullptr || hp == nullptr)
    return false;
  filter->setText(QStringLiteral("drake"));
  Settle();
  const bool filtered = window.grab().save(filterFile);
  filter->clear();
  QApplication::setActiveWindow(&window);
  hp->setFocus();
  QToolTip::showText(hp->mapToGlobal(QPoint(hp->width() / 2, hp->height())), hp->toolTip(), hp);
  Settle();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
      0, frame.x(), frame.y(), frame.width(), frame.height());
  QToolTip::hideText();
  return filtered && shot.save(tipFile);
}

// An item's name made longer on the Text page and given room by Make room
// (its first use asks once: answered), with the Edit menu open on the step.
bool TakeMakeRoom(kivo::ui::MainWindow& window, kivo::ui::ScriptedPrompts& prompts,
                  const QString& file) {
  window.tabs()->setCurrentIndex(kivo::ui::kTextTab);
  Settle();
  QWidget* page = window.page(kivo::ui::kTextTab);
  auto* categories = page->findChild<QListWidget*>(QStringLiteral("1209"));
  auto* entries = page->findChild<QListWidget*>(QStringLiteral("1210"));
  auto* text = page->findChild<QLineEdit*>(QStringLiteral("1217"));
  auto* makeRoom = page->findChild<QPushButton*>(QStringLiteral("makeRoom"));
  if (categories == nullptr || entries == nullptr || text == nullptr || makeRoom == nullptr)
    return false;
  categories->setCurrentRow(0);
  entries->setCurrentRow(3);
  text->setText(text->text() + QStringLiteral(" of Dawn"));
  prompts.choiceAnswers.push_back(0);
  makeRoom->click();
  Settle();
  return TakeMenu(window, QStringLiteral("undo"), file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kivo"));
  const QStringList args = QApplication::arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: kivo-screenshots WORKSPACE OUTDIR\n");
    return 2;
  }
  // OUTDIR is taken from where the program was started, before moving into the workspace.
  const QString outDir = QFileInfo(args[2]).absoluteFilePath();
  if (!QDir().mkpath(outDir)) {
    std::fprintf(stderr, "kivo-screenshots: cannot create %s\n", qPrintable(outDir));
    return 1;
  }
  if (!QDir::setCurrent(args[1])) {
    std::fprintf(stderr, "kivo-screenshots: cannot enter %s\n", qPrintable(args[1]));
    return 1;
  }

  auto owned = std::make_unique<kivo::ui::ScriptedPrompts>();
  kivo::ui::ScriptedPrompts* prompts = owned.get();
  kivo::ui::InstallPrompts(std::move(owned));

  kivo::ui::AppState state;
  kivo::ui::MainWindow window(state);
  window.resize(kWidth, kHeight);
  window.show();
  window.Start(QDir::currentPath().toStdString(), std::nullopt);
  Settle();

  QTabWidget* tabs = window.tabs();
  // Every tab is taken once at the size above and once at the minimum.
  int failures = 0;
  auto takeEveryTab = [&](const QDir& dir, bool withMapView) {
    if (!dir.mkpath(QStringLiteral("."))) {
      std::fprintf(stderr, "kivo-screenshots: cannot create %s\n", qPrintable(dir.path()));
      ++failures;
      return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
      if (!tabs->isTabEnabled(i)) {
        std::fprintf(stderr, "kivo-screenshots: tab %d is disabled\n", i);
        ++failures;
        continue;
      }
      tabs->setCurrentIndex(i);
      Settle();
      const QString file = dir.filePath(FileNameOf(i, tabs->tabText(i)));
      if (window.grab().save(file)) {
        std::printf("%s\n", qPrintable(file));
      } else {
        std::fprintf(stderr, "kivo-screenshots: cannot write %s\n", qPrintable(file));
        ++failures;
      }
      auto* maps = qobject_cast<kivo::ui::MapsPage*>(window.builtPage(i));
      if (withMapView && maps) {
        const QString viewFile = dir.filePath(QStringLiteral("map-view.png"));
        if (maps->mapView().grab().save(viewFile))
          std::printf("%s\n", qPrintable(viewFile));
      }
    }
  };
  takeEveryTab(QDir(outDir), true);
  tabs->setCurrentIndex(kivo::ui::kMainTab);
  window.resize(window.minimumSize());
  Settle();
  takeEveryTab(QDir(QDir(outDir).filePath(QStringLiteral("min"))), false);
  window.resize(kWidth, kHeight);
  const QString menuFile = QDir(outDir).filePath(QStringLiteral("edit-menu.png"));
  const QString fileMenuFile = QDir(outDir).filePath(QStringLiteral("file-menu.png"));
  const QString filterFile = QDir(outDir).filePath(QStringLiteral("filtered-list.png"));
  const QString tipFile = QDir(outDir).filePath(QStringLiteral("field-tooltip.png"));
  const QString roomFile = QDir(outDir).filePath(QStringLiteral("make-room.png"));
  const bool finding = TakeFinding(window, filterFile, tipFile);
  for (const auto& [taken, file] :
       {std::pair{finding, filterFile}, std::pair{finding, tipFile},
        std::pair{TakeEditMenu(window, menuFile), menuFile},
        std::pair{TakeMenu(window, QStringLiteral("applyPatch"), fileMenuFile), fileMenuFile},
        std::pair{TakeMakeRoom(window, *prompts, roomFile), roomFile}}) {
    if (taken) {
      std::printf("%s\n", qPrintable(file));
    } else {
      std::fprintf(stderr, "kivo-screenshots: cannot take %s\n", qPrintable(file));
      ++failures;
    }
  }
  // Start-up should have nothing to say on a good workspace; say it if it did.
  for (const kivo::ui::RecordedMessage& m : prompts->messages)
    std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
  tabs->setCurrentIndex(kivo::ui::kMainTab);
  return failures == 0 && prompts->messages.empty() ? 0 : 1;
}
