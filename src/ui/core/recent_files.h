#pragma once
// File > Open Recent: the last ROMs opened, most recent first, kept in the
// user's configuration folder (QSettings) rather than in Kivo.dat, whose
// layout is fixed.

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace kivo::ui {

inline constexpr int kRecentFileCount = 10;

class RecentFiles : public QObject {
  Q_OBJECT
 public:
  // The submenu is owned by `owner`; add it to a menu with menu().
  explicit RecentFiles(QWidget* owner);

  QMenu* menu() const { return menu_; }
  QStringList paths() const { return paths_; }

  // Puts `path` first (as an absolute path), dropping an older entry for it
  // and any beyond the tenth.
  void Add(const QString& path);
  void Clear();

 signals:
  // An entry was chosen and its file is still there.
  void openRequested(const QString& path);

 private:
  void Choose(const QString& path);
  void Remove(const QString& path);
  void Store();
  void Rebuild();

  QWidget* owner_;
  QMenu* menu_;
  QAction* clear_;
  QStringList paths_;
};

}  // namespace kivo::ui
