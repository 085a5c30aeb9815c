#pragma once
// The main window: the menus, the nine tabs, and the commands that open,
// save and re-open the ROM, identify it, configure the program and close it.

#include <QMainWindow>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/core/app_state.h"
#include "ui/core/edit_history.h"
#include "ui/framework/page.h"
#include "ui/framework/tabs.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace kivo::ui {

class DumpActions;
class MainPage;
class RecentFiles;

// Menu command ids, kept as the actions' objectNames.
enum CommandId {
  kOpenCommand = 40006,
  kReopenCommand = 40019,
  kSaveCommand = 40020,
  kExitCommand = 40013,
  kCheckVersionCommand = 40007,
  kConfigureCommand = 40008,
  kCleanSlateCommand = 40017,
  kCleanDataCommand = 40022,
  kRomInfoCommand = 40038,
  kAboutCommand = 40039,
};

inline constexpr const char* kNeedRomText = "A ROM must be open for this to proceed!";

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(AppState& state, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up: the settings file in `workingDir`, the palette and tables from
  // their stored paths, then `fileArg` (as if chosen with File > Open) or the
  // stored ROM.
  void Start(const std::string& workingDir, const std::optional<std::string>& fileArg);

  QTabWidget* tabs() const { return tabs_; }
  MainPage* mainPage() const { return mainPage_; }
  // The page of `tab`, built on first use (and then refreshed from the open
  // image); null for a tab that does not exist.
  Page* page(int tab);
  // The page of `tab` if it has been built, else null.
  Page* builtPage(int tab) const {
    return tab >= 0 && tab < kTabCount ? pages_[static_cast<std::size_t>(tab)] : nullptr;
  }
  QAction* action(int id) const;
  QAction* saveAsAction() const { return saveAs_; }
  RecentFiles* recentFiles() const { return recent_; }
  // Puts `page` in place of the page of `tab` (the window takes ownership); it
  // is refreshed from the open image as any page built late is.
  void ReplacePage(int tab, Page* page);

  // The commands, as the menu runs them.
  void ChooseAndOpen();
  bool OpenChosen(const QString& path);
  void Reopen();
  bool Save();
  void SaveAs();
  void CheckVersion();
  void Configure();
  void CleanTheData();
  void CleanTheSlate();
  // File > Create Patch... and Apply Patch... (`path` chosen already, as a
  // dropped file is, or asked for when empty).
  void CreatePatch();
  void ApplyPatch(const QString& path = QString());
  void RomInfo();
  void About();

  void RefreshAll(RefreshReason reason);
  void SelectTab();
  // True when the image is not what was opened or last saved: the history is
  // away from its clean step, or a page holds an edit it has not stored.
  bool HasUnsavedEdits() const;
  EditHistory& history() { return history_; }
  // Edit > Undo and Redo: the edit being typed is committed first.
  void Undo();
  void Redo();
  void ShowUndoHistory();
  // Stores every page into the image before the file is written; when a page
  // cannot store its edits, says why and returns false (nothing is stored).
  bool StorePagesForWrite();
  // main_window_status.cpp: "Saved <file name>" in the status bar for five
  // seconds, after anything that wrote the ROM file.
  void ShowSaved(const QString& fileName);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateWidgets();
  void CreateMenus();
  void CreateEditMenu();
  void ConnectWidgets();
  void ConnectHistory();
  void UpdateEditActions();
  void ShowModified();
  // Commits what the user is typing, as a step.
  void CommitPendingEdits();
  QAction* AddCommand(QMenu* menu, const QString& caption, int id);
  // Puts `page` into the tab and brings it up to date with the open image.
  void AdoptPage(int tab, Page* page);

  bool OpenPath(const std::string& path);
  bool FinishOpen(const OpenOutcome& outcome);
  void UpdateRomState();
  void StoreAllPages();
  // Asks Save / Discard / Cancel when there are unsaved edits; false stops the command.
  bool ConfirmDiscard();
  PageContext Context(RefreshReason reason) const;

  AppState& state_;
  mutable EditHistory history_;
  QTabWidget* tabs_ = nullptr;
  MainPage* mainPage_ = nullptr;
  // An editor page is built only when its tab is first shown or something
  // needs it: building all of them made start-up several times slower. Until
  // then its tab holds an empty host that the page later fills.
  std::array<Page*, kTabCount> pages_{};
  std::array<QWidget*, kTabCount> hosts_{};
  std::vector<QAction*> actions_;
  QAction* saveAs_ = nullptr;
  QAction* createPatch_ = nullptr;
  QAction* applyPatch_ = nullptr;
  RecentFiles* recent_ = nullptr;
  QMenu* dumpMenu_ = nullptr;
  DumpActions* dumpActions_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* undoHistory_ = nullptr;
  // The status bar's ROM path and kind.
  void ShowRomStatus();
  QLabel* romStatus_ = nullptr;
  QString title_;  // of the tab shown, without the mark of unsaved edits
  bool closed_ = false;
};

}  // namespace kivo::ui
