#include "ui/core/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

const QString kKey = QStringLiteral("recentFiles");

// ~/.config/Kivo/Kivo.conf on Linux: the user's folder, whatever folder Kivo
// is started from.
QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kivo"),
                   QStringLiteral("Kivo"));
}

// The list as stored, cleaned of what a hand edit may have left: empty or
// repeated entries and any beyond the tenth.
QStringList Cleaned(const QStringList& stored) {
  QStringList paths;
  for (const QString& path : stored) {
    if (!path.isEmpty() && !paths.contains(path) && paths.size() < kRecentFileCount)
      paths.append(path);
  }
  return paths;
}

}  // namespace

RecentFiles::RecentFiles(QWidget* owner)
    : QObject(owner), owner_(owner), menu_(new QMenu(tr("Open Rece&nt"), owner)) {
  menu_->setObjectName(QStringLiteral("openRecent"));
  clear_ = new QAction(tr("&Clear Menu"), this);
  clear_->setObjectName(QStringLiteral("clearRecent"));
  connect(clear_, &QAction::triggered, this, &RecentFiles::Clear);
  paths_ = Cleaned(UserSettings().value(kKey).toStringList());
  Rebuild();
}

void RecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  paths_.removeAll(absolute);
  paths_.prepend(absolute);
  while (paths_.size() > kRecentFileCount)
    paths_.removeLast();
  Store();
}

void RecentFiles::Clear() {
  paths_.clear();
  Store();
}

void RecentFiles::Remove(const QString& path) {
  paths_.removeAll(path);
  Store();
}

void RecentFiles::Choose(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    Remove(path);
    prompts().Message(owner_,
                      tr("%1 was not found. It has been removed from the recent files.")
                          .arg(QDir::toNativeSeparators(path)),
                      MessageIcon::Warning);
    return;
  }
  emit openRequested(path);
}

void RecentFiles::Store() {
  // Another Kivo may have added files since this one read the list; the
  // last to write wins, as in most editors.
  QSettings settings = UserSettings();
  settings.setValue(kKey, paths_);
  Rebuild();
}

void RecentFiles::Rebuild() {
  for (QAction* entry : menu_->actions()) {
    menu_->removeAction(entry);
    if (entry != clear_)
      entry->deleteLater();
  }
  for (int n = 0; n < paths_.size(); ++n) {
    const QString path = paths_[n];
    // A path's own ampersands would turn into shortcut marks.
    QString text = QDir::toNativeSeparators(path);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString caption =
        n < 9 ? QStringLiteral("&%1 %2").arg(n + 1).arg(text) : QStringLiteral("1&0 %1").arg(text);
    QAction* entry = menu_->addAction(caption);
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] { Choose(path); });
  }
  menu_->addSeparator();
  menu_->addAction(clear_);
  clear_->setEnabled(!paths_.empty());
  menu_->menuAction()->setEnabled(!paths_.empty());
}

}  // namespace kivo::ui
