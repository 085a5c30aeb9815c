#pragma once
// The Dump menu (one item a kind, and "All kinds...") and File > Load Dump...:
// dumps are written where the user says in the form the Config dialog
// chose; a load is checked whole, confirmed and made as one step of the
// edit history, which every page follows.

#include <QObject>
#include <QString>
#include <functional>

#include "model/dump/dump.h"

class QAction;
class QMenu;
class QWidget;

namespace kivo::ui {

struct AppState;
class Edits;

// The Dump menu's command ids, kept as the actions' objectNames.
enum DumpCommandId {
  kDumpArmorCommand = 40026,
  kDumpCharacterCommand = 40027,
  kDumpFormationCommand = 40030,
  kDumpMapCommand = 40031,
  kDumpMonsterCommand = 40032,
  kDumpShopCommand = 40033,
  kDumpSpellCommand = 40034,
  kDumpTextCommand = 40035,
  kDumpWeaponCommand = 40036,
};

// What the Config list "For dumping, dump to:" stores (kConfigDumpRow).
enum class DumpTarget { Text = 0, Binary = 1, Both = 2 };

class DumpActions : public QObject {
  Q_OBJECT
 public:
  DumpActions(AppState& state, Edits& edits, QWidget* window);

  // File > Load Dump... (loadDump), added at the end of `file`.
  void AddLoadItem(QMenu* file);
  // Connects the kind items of `dump` (found through `action` by id) and adds
  // "All kinds..." (dumpAll).
  void AddDumpItems(QMenu* dump, const std::function<QAction*(int)>& action);
  // Everything is offered only with an editable image.
  void UpdateEnabled();

  void Dump(DumpKind kind);
  void DumpAll();
  void LoadDump();

 private:
  DumpContext Context() const;
  DumpTarget Target() const;
  // "<rom base name>-<what>"
  QString BaseName(const QString& what) const;
  bool WriteFile(const QString& path, std::span<const uint8_t> bytes);
  bool WriteJson(const QString& path, std::span<const DumpKind> kinds);

  AppState& state_;
  Edits& edits_;
  QWidget* window_;
  QMenu* dumpMenu_ = nullptr;
  QAction* loadDump_ = nullptr;
};

}  // namespace kivo::ui
