#include "ui/core/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QUndoView>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "model/core/version.h"
#include "model/gfx/palette.h"
#include "ui/core/about_dialog.h"
#include "ui/core/artwork.h"
#include "ui/core/clean_data_dialog.h"
#include "ui/core/config_dialog.h"
#include "ui/core/dump_actions.h"
#include "ui/core/edit_history.h"
#include "ui/core/main_page.h"
#include "ui/core/patch_actions.h"
#include "ui/framework/field_info.h"
#include "ui/core/placeholder_page.h"
#include "ui/core/recent_files.h"
#include "ui/core/rom_info_dialog.h"
#include "ui/editors/character_page.h"
#include "ui/editors/monster_page.h"
#include "ui/editors/equipment_page.h"
#include "ui/editors/formation_page.h"
#include "ui/editors/shop_page.h"
#include "ui/editors/spells_page.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"
#include "ui/map/maps_page.h"
#include "ui/text/text_page.h"
#include "ui/tools/clean_slate_dialog.h"

namespace kivo::ui {
namespace {

struct TabInfo {
  const char* text;
  const char* title;  // the Main tab's title carries the ROM path instead
  int icon;
};

constexpr std::array<TabInfo, kTabCount> kTabs = {{
    {"Main", "Kivo", 106},
    {"Character", "Kivo - Character Editor", 129},
    {"Equipment", "Kivo - Equipment Editor", 131},
    {"Formation", "Kivo - Formations Editor", 134},
    {"Maps", "Kivo - Map Editor", 140},
    {"Monster", "Kivo - Monster Editor", 130},
    {"Shop", "Kivo - Shop Editor", 133},
    {"Spells", "Kivo - Spells Editor", 141},
    {"Text", "Kivo - Text Editor", 132},
}};

// The orders in which the pages are refreshed, store their edits, and close.
constexpr std::array<int, 8> kRefreshOrder = {kCharacterTab, kEquipmentTab, kFormationTab,
                                              kSpellsTab,    kMapsTab,      kMonsterTab,
                                              kShopTab,      kTextTab};
constexpr std::array<int, 8> kSaveOrder = {kCharacterTab, kEquipmentTab, kFormationTab, kMapsTab,
                                           kMonsterTab,   kShopTab,      kSpellsTab,    kTextTab};
constexpr std::array<int, 9> kCloseOrder = {kMainTab,    kTextTab,      kSpellsTab,
                                            kShopTab,    kEquipmentTab, kMapsTab,
                                            kMonsterTab, kFormationTab, kCharacterTab};

const QList<FileFilter> kRomFilters = {
    {QStringLiteral("Nintendo Entertainment System roms (*.nes)"), QStringLiteral("*.nes")},
    {QStringLiteral("GameBoy Advanced roms (*.gba)"), QStringLiteral("*.gba")},
};

const QList<FileFilter> kSaveRomFilters = {
    {QStringLiteral("Nintendo Entertainment System roms (*.nes)"), QStringLiteral("*.nes")},
};

// The editor page of each tab; tabs whose editor is not built yet get a placeholder.
Page* MakePage(int tab, QWidget* parent) {
  switch (tab) {
    case kCharacterTab: return new CharacterPage(parent);
    case kMonsterTab: return new MonsterPage(parent);
    case kEquipmentTab: return new EquipmentPage(parent);
    case kFormationTab: return new FormationPage(parent);
    case kMapsTab: return new MapsPage(parent);
    case kShopTab: return new ShopPage(parent);
    case kSpellsTab: return new SpellsPage(parent);
    case kTextTab: return new TextPage(parent);
    default: return new PlaceholderPage(parent);
  }
}

// Holds the page of a tab, built when first needed: it asks for the room a
// page needs before there is a page in it, so the window does not grow when
// one is built, and for more should its page need more.
class PageHost : public QWidget {
 public:
  PageHost(QSize room, QWidget* parent) : QWidget(parent), room_(room) {}
  QSize minimumSizeHint() const override { return QWidget::minimumSizeHint().expandedTo(room_); }
  QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(room_); }

 private:
  QSize room_;
};

}  // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), history_(state.document) {
  setWindowTitle(QStringLiteral("Kivo"));
  setWindowIcon(PageIcon(106));
  setAcceptDrops(true);
  CreateWidgets();
  CreateMenus();
  ConnectWidgets();
  UpdateRomState();
}

MainWindow::~MainWindow() {
  // The stack empties itself as it goes and must not reach the members gone before it.
  history_.stack().disconnect(this);
}

void MainWindow::CreateWidgets() {
  // The room every editor page needs to show its controls whole, in average
  // character widths and lines of the font the pages are laid out in: the
  // largest of the pages' minimum sizes (Spells is the widest, Monster the
  // tallest). It is kept here because the pages are built only when first
  // shown and measuring them would cost the start-up all of them. Should a
  // page need more in another font, the window grows to it when the page is
  // built. The tab bar and the menu bar come on top of it.
  constexpr int kPageColumns = 190;
  constexpr int kPageLines = 46;
  const QSize pageArea(fontMetrics().averageCharWidth() * kPageColumns,
                       fontMetrics().height() * kPageLines);

  tabs_ = WithId(new QTabWidget(this), 1001);
  mainPage_ = new MainPage(tabs_);
  pages_[kMainTab] = mainPage_;
  hosts_[kMainTab] = mainPage_;
  for (int tab = kCharacterTab; tab < kTabCount; ++tab) {
    auto* host = new PageHost(pageArea, tabs_);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    hosts_[static_cast<std::size_t>(tab)] = host;
  }
  for (int tab = 0; tab < kTabCount; ++tab) {
    const TabInfo& info = kTabs[static_cast<std::size_t>(tab)];
    tabs_->addTab(hosts_[static_cast<std::size_t>(tab)], PageIcon(info.icon),
                  QString::fromLatin1(info.text));
  }
  setCentralWidget(tabs_);
}

void MainWindow::ReplacePage(int tab, Page* replacement) {
  if (tab <= kMainTab || tab >= kTabCount || replacement == nullptr)
    return;
  Page*& slot = pages_[static_cast<std::size_t>(tab)];
  delete slot;
  slot = nullptr;
  AdoptPage(tab, replacement);
  if (tabs_->currentIndex() == tab)
    replacement->setTabActive(true);
}

Page* MainWindow::page(int tab) {
  if (tab < 0 || tab >= kTabCount)
    return nullptr;
  if (pages_[static_cast<std::size_t>(tab)] == nullptr)
    AdoptPage(tab, MakePage(tab, hosts_[static_cast<std::size_t>(tab)]));
  return pages_[static_cast<std::size_t>(tab)];
}

void MainWindow::AdoptPage(int tab, Page* adopted) {
  QWidget* host = hosts_[static_cast<std::size_t>(tab)];
  host->layout()->addWidget(adopted);
  adopted->show();
  pages_[static_cast<std::size_t>(tab)] = adopted;
  if (!state_.document.editable())
    return;
  adopted->refresh(Context(RefreshReason::Opened));
}

QAction* MainWindow::AddCommand(QMenu* menu, const QString& caption, int id) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::number(id));
  actions_.push_back(action);
  return action;
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  AddCommand(file, tr("&Open..."), kOpenCommand)->setShortcut(QKeySequence::Open);
  recent_ = new RecentFiles(this);
  file->addMenu(recent_->menu());
  AddCommand(file, tr("&Re-open"), kReopenCommand);
  AddCommand(file, tr("&Save"), kSaveCommand)->setShortcut(QKeySequence::Save);
  saveAs_ = file->addAction(tr("Save &As..."));
  saveAs_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  file->addSeparator();
  createPatch_ = file->addAction(tr("&Create Patch..."));
  createPatch_->setObjectName(QStringLiteral("createPatch"));
  applyPatch_ = file->addAction(tr("Appl&y Patch..."));
  applyPatch_->setObjectName(QStringLiteral("applyPatch"));
  dumpActions_ = new DumpActions(state_, history_, this);
  dumpActions_->AddLoadItem(file);
  file->addSeparator();
  AddCommand(file, tr("E&xit"), kExitCommand)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

  CreateEditMenu();

  QMenu* options = menuBar()->addMenu(tr("&Options"));
  AddCommand(options, tr("Check &Version"), kCheckVersionCommand);
  AddCommand(options, tr("&Configure"), kConfigureCommand);
  AddCommand(options, tr("\"Clean the &Slate\""), kCleanSlateCommand);
  AddCommand(options, tr("\"Clean the &Data\""), kCleanDataCommand);

  dumpMenu_ = menuBar()->addMenu(tr("&Dump"));
  const std::pair<const char*, int> dumps[] = {
      {"&Armor", 40026}, {"&Character", 40027}, {"&Formation", 40030},
      {"&Map", 40031},   {"M&onster", 40032},   {"&Shop", 40033},
      {"S&pell", 40034}, {"&Text", 40035},      {"&Weapon", 40036},
  };
  for (const auto& [caption, id] : dumps) {
    AddCommand(dumpMenu_, tr(caption), id);
  }
  dumpActions_->AddDumpItems(dumpMenu_, [this](int id) { return action(id); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddCommand(help, tr("&Rom info"), kRomInfoCommand);
  AddCommand(help, tr("&About"), kAboutCommand)->setShortcut(QKeySequence(Qt::Key_F1));
}

void MainWindow::CreateEditMenu() {
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  undo_ = edit->addAction(tr("Undo"));
  undo_->setObjectName(QStringLiteral("undo"));
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = edit->addAction(tr("Redo"));
  redo_->setObjectName(QStringLiteral("redo"));
  redo_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                      QKeySequence(QStringLiteral("Ctrl+Y"))});
  edit->addSeparator();
  undoHistory_ = edit->addAction(tr("Undo History..."));
  undoHistory_->setObjectName(QStringLiteral("undoHistory"));
  UpdateEditActions();
}

void MainWindow::UpdateEditActions() {
  const QUndoStack& stack = history_.stack();
  undo_->setEnabled(stack.canUndo());
  undo_->setText(stack.canUndo() ? tr("Undo %1").arg(stack.undoText()) : tr("Undo"));
  redo_->setEnabled(stack.canRedo());
  redo_->setText(stack.canRedo() ? tr("Redo %1").arg(stack.redoText()) : tr("Redo"));
}

void MainWindow::ConnectHistory() {
  QUndoStack* stack = &history_.stack();
  connect(undo_, &QAction::triggered, this, &MainWindow::Undo);
  connect(redo_, &QAction::triggered, this, &MainWindow::Redo);
  connect(undoHistory_, &QAction::triggered, this, &MainWindow::ShowUndoHistory);
  connect(stack, &QUndoStack::indexChanged, this, &MainWindow::UpdateEditActions);
  connect(stack, &QUndoStack::cleanChanged, this, &MainWindow::UpdateEditActions);
  connect(stack, &QUndoStack::cleanChanged, this, &MainWindow::ShowModified);
  history_.imageChanged = [this](Page* source, const ByteChange& change) {
    for (Page* built : pages_) {
      if (built != nullptr && built != source && built != mainPage_)
        built->followImage(change);
    }
  };
  history_.showPlace = [this](const StepPlace& place) {
    if (place.tab <= kMainTab || place.tab >= kTabCount)
      return;
    tabs_->setCurrentIndex(place.tab);
    if (Page* shown = page(place.tab))
      shown->showPlace(place);
  };
}

void MainWindow::CommitPendingEdits() {
  // Every edit is committed as it is made; a box being typed in commits when
  // it loses the focus.
  if (QWidget* focused = QApplication::focusWidget(); focused != nullptr && isAncestorOf(focused))
    focused->clearFocus();
}

void MainWindow::Undo() {
  CommitPendingEdits();
  history_.stack().undo();
}

void MainWindow::Redo() {
  CommitPendingEdits();
  history_.stack().redo();
}

void MainWindow::ShowUndoHistory() {
  CommitPendingEdits();
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Undo History"));
  auto* view = new QUndoView(&history_.stack(), &dialog);
  view->setObjectName(QStringLiteral("undoView"));
  view->setEmptyLabel(tr("<opened>"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(view);
  layout->addWidget(buttons);
  dialog.resize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 24);
  prompts().RunModal(dialog);
}

void MainWindow::ConnectWidgets() {
  connect(action(kOpenCommand), &QAction::triggered, this, &MainWindow::ChooseAndOpen);
  connect(recent_, &RecentFiles::openRequested, this, &MainWindow::OpenChosen);
  connect(action(kReopenCommand), &QAction::triggered, this, &MainWindow::Reopen);
  connect(action(kSaveCommand), &QAction::triggered, this, [this] { Save(); });
  connect(saveAs_, &QAction::triggered, this, &MainWindow::SaveAs);
  connect(createPatch_, &QAction::triggered, this, &MainWindow::CreatePatch);
  connect(applyPatch_, &QAction::triggered, this, [this] { ApplyPatch(); });
  connect(action(kExitCommand), &QAction::triggered, this, &QWidget::close);
  connect(action(kCheckVersionCommand), &QAction::triggered, this, &MainWindow::CheckVersion);
  connect(action(kConfigureCommand), &QAction::triggered, this, &MainWindow::Configure);
  connect(action(kCleanSlateCommand), &QAction::triggered, this, &MainWindow::CleanTheSlate);
  connect(action(kCleanDataCommand), &QAction::triggered, this, &MainWindow::CleanTheData);
  connect(action(kRomInfoCommand), &QAction::triggered, this, &MainWindow::RomInfo);
  connect(action(kAboutCommand), &QAction::triggered, this, &MainWindow::About);
  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::SelectTab);
  connect(mainPage_, &MainPage::exitRequested, this, &QWidget::close);
  ConnectHistory();
}

QAction* MainWindow::action(int id) const {
  const QString name = QString::number(id);
  for (QAction* a : actions_) {
    if (a->objectName() == name)
      return a;
  }
  return nullptr;
}

void MainWindow::Start(const std::string& workingDir, const std::optional<std::string>& fileArg) {
  const SettingsLoadResult settings = LoadSettings(state_.settings, workingDir);
  state_.dataFilePath = settings.dataFilePath;
  ShowMessages(this, settings.messages);

  const std::string palette = state_.settings.Path(PathField::Palette);
  if (!palette.empty())
    ShowMessages(this, LoadPaletteFile(state_.palette, palette).messages);

  // The Final Fantasy 1 tables are loaded only from the Config dialog.
  const std::pair<TableKind, PathField> tables[] = {
      {TableKind::Ff2Standard, PathField::Ff2StandardTable},
      {TableKind::Ff2StandardDte, PathField::Ff2StandardDteTable},
      {TableKind::Ff2Prototype, PathField::Ff2PrototypeTable},
      {TableKind::Ff2PrototypeDte, PathField::Ff2PrototypeDteTable},
  };
  for (const auto& [kind, field] : tables) {
    const std::string path = state_.settings.Path(field);
    if (path.empty())
      continue;
    if (std::optional<Message> failed = LoadTable(state_, kind, path))
      ShowMessage(this, *failed);
  }

  if (fileArg) {
    OpenChosen(QString::fromStdString(*fileArg));
  } else if (const std::string rom = state_.settings.Path(PathField::Rom); !rom.empty()) {
    OpenPath(rom);
  }
  UpdateRomState();
  SelectTab();
}

void MainWindow::ChooseAndOpen() {
  const QString path = prompts().OpenFile(this, kRomFilters);
  if (path.isEmpty())
    return;  // cancelled: nothing changes
  OpenChosen(path);
}

bool MainWindow::OpenChosen(const QString& path) {
  if (!ConfirmDiscard())
    return false;
  // A path the data file cannot hold would make Save write elsewhere.
  if (std::optional<Message> refused =
          state_.settings.SetPath(PathField::Rom, path.toStdString())) {
    ShowMessage(this, *refused);
    return false;
  }
  if (!OpenPath(path.toStdString()))
    return false;
  recent_->Add(path);
  return true;
}

bool MainWindow::OpenPath(const std::string& path) {
  return FinishOpen(state_.document.Open(path));
}

bool MainWindow::FinishOpen(const OpenOutcome& outcome) {
  history_.Clear();  // a new image: nothing before it to undo
  const RomDocument& doc = state_.document;
  if (!outcome.ok) {
    mainPage_->ShowPath(QString());
    mainPage_->ShowPicture(MainPicture::Unknown);
    UpdateRomState();
    SelectTab();
    ShowMessages(this, outcome.messages);
    return false;
  }
  mainPage_->ShowPath(QString::fromStdString(doc.currentPath()));
  mainPage_->ShowPicture(doc.picture());
  if (!doc.editable())
    tabs_->setCurrentIndex(kMainTab);
  UpdateRomState();
  if (doc.editable())
    RefreshAll(RefreshReason::Opened);
  SelectTab();
  ShowMessages(this, outcome.messages);
  return true;
}

void MainWindow::Reopen() {
  if (!ConfirmDiscard())
    return;
  FinishOpen(state_.document.Reopen());
}

bool MainWindow::Save() {
  if (!state_.document.editable())
    return false;
  if (!StorePagesForWrite())
    return false;
  const Messages failed = state_.document.Save(state_.settings.Path(PathField::Rom));
  if (!failed.empty()) {
    ShowMessages(this, failed);
    return false;
  }
  history_.stack().setClean();
  ShowSaved(QString::fromStdString(state_.settings.Path(PathField::Rom)));
  return true;
}

void MainWindow::SaveAs() {
  if (!state_.document.editable())
    return;
  const QString chosen = ChooseSaveFile(this, kSaveRomFilters);
  if (chosen.isEmpty())
    return;
  const std::string path = chosen.toStdString();
  SettingsBlock probe;
  if (std::optional<Message> refused = probe.SetPath(PathField::Rom, path)) {
    ShowMessage(this, *refused);
    return;
  }
  if (!StorePagesForWrite())
    return;
  const Messages failed = state_.document.Save(path);
  if (!failed.empty()) {
    ShowMessages(this, failed);
    return;
  }
  state_.settings.SetPath(PathField::Rom, path);
  state_.document.setCurrentPath(path);
  history_.stack().setClean();
  recent_->Add(chosen);
  mainPage_->ShowPath(chosen);
  SelectTab();
  ShowSaved(chosen);
}

void MainWindow::CheckVersion() {
  if (!state_.document.editable())
    return;
  if (std::optional<Message> release =
          IdentifyVersion(state_.document.image(), state_.document.baseShift())) {
    ShowMessage(this, *release);
  }
}

void MainWindow::Configure() {
  ConfigDialog dialog(state_, this);
  if (prompts().RunModal(dialog) != kDialogOk || !state_.document.editable())
    return;
  // The pages store first, so re-decoding with the new tables keeps their
  // edits; an edit the user keeps editing rather than store stays on screen.
  for (int tab : kSaveOrder) {
    if (Page* built = builtPage(tab))
      built->confirmStore();
  }
  StoreAllPages();
  RefreshAll(RefreshReason::TablesChanged);
}

void MainWindow::CleanTheData() {
  CleanDataDialog dialog(state_.settings, state_.dataFilePath, this);
  if (prompts().RunModal(dialog) != kDialogOk || !state_.document.held())
    return;
  Reopen();
}

void MainWindow::CleanTheSlate() {
  // The pages store first, so the file written and the pages rebuilt after it keep every edit.
  if (!StorePagesForWrite())
    return;
  // The blanking is one step the pages follow; once written, the file holds
  // the image. Blanked but not written, it is an unsaved step like any other.
  CleanSlateDialog dialog(state_.document, state_.settings.Path(PathField::Rom), &history_, this);
  if (prompts().RunModal(dialog) == kDialogOk) {
    history_.stack().setClean();
    ShowSaved(QString::fromStdString(state_.settings.Path(PathField::Rom)));
  }
}

void MainWindow::CreatePatch() {
  // The patch holds the image as it is now: what is being typed, and the
  // world map, are stored first.
  if (!state_.document.editable() || !StorePagesForWrite())
    return;
  const QString written = CreatePatchOfImage(this, state_.document);
  if (!written.isEmpty())
    statusBar()->showMessage(tr("Wrote patch %1").arg(written), kStatusMessageMs);
}

void MainWindow::ApplyPatch(const QString& path) {
  if (!state_.document.editable()) {
    prompts().Message(this, QString::fromLatin1(kNeedRomText), MessageIcon::Warning);
    return;
  }
  if (!StorePagesForWrite())
    return;
  const QString applied = ApplyPatchToImage(this, state_.document, history_, path);
  if (!applied.isEmpty())
    statusBar()->showMessage(tr("Applied patch %1").arg(applied), kStatusMessageMs);
}

void MainWindow::RomInfo() {
  if (!state_.document.held()) {
    prompts().Message(this, QString::fromLatin1(kNeedRomText), MessageIcon::Warning);
    return;
  }
  ShowRomInformation(this, state_.document.image());
}

void MainWindow::About() {
  ShowAbout(this, state_.document.held() ? std::optional<std::size_t>(state_.document.size())
                                         : std::nullopt);
}

PageContext MainWindow::Context(RefreshReason reason) const {
  const bool prototype = state_.document.tablePair() == TablePair::Prototype;
  PageContext context;
  context.document = &state_.document;
  context.settings = &state_.settings;
  context.standardTable =
      &state_.table(prototype ? TableKind::Ff2Prototype : TableKind::Ff2Standard).table;
  context.dteTable =
      &state_.table(prototype ? TableKind::Ff2PrototypeDte : TableKind::Ff2StandardDte).table;
  context.palette = &state_.palette;
  context.reason = reason;
  context.edits = &history_;
  return context;
}

void MainWindow::RefreshAll(RefreshReason reason) {
  if (!state_.document.editable())
    return;
  const PageContext context = Context(reason);
  for (int tab : kRefreshOrder) {
    if (Page* built = builtPage(tab))
      built->refresh(context);
  }
}

void MainWindow::StoreAllPages() {
  // Pages hold data only for an editable image they were refreshed from.
  if (!state_.document.editable())
    return;
  for (int tab : kSaveOrder) {
    if (Page* built = builtPage(tab))
      built->save();
  }
}

bool MainWindow::StorePagesForWrite() {
  if (!state_.document.editable())
    return false;
  for (int tab : kSaveOrder) {
    Page* built = builtPage(tab);
    const std::string refusal = built != nullptr ? built->saveRefusal() : std::string();
    if (!refusal.empty()) {
      prompts().Message(this, QString::fromStdString(refusal), MessageIcon::Error);
      return false;
    }
  }
  for (int tab : kSaveOrder) {
    Page* built = builtPage(tab);
    if (built != nullptr && !built->confirmStore())
      return false;
  }
  StoreAllPages();
  return true;
}

bool MainWindow::HasUnsavedEdits() const {
  if (!state_.document.editable())
    return false;
  // An edit a page will store only when the user says so is an edit too.
  for (Page* built : pages_) {
    if (built != nullptr && built->holdsUnstoredEdit())
      return true;
  }
  return !history_.stack().isClean();
}

bool MainWindow::ConfirmDiscard() {
  CommitPendingEdits();
  if (!HasUnsavedEdits())
    return true;
  const QString name = QFileInfo(QString::fromStdString(state_.document.currentPath())).fileName();
  switch (prompts().AskSaveChanges(this, tr("Save changes to %1?").arg(name))) {
    case SaveChoice::Save:
      return Save();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

void MainWindow::UpdateRomState() {
  const bool editable = state_.document.editable();
  if (!editable)
    tabs_->setCurrentIndex(kMainTab);
  for (int tab = kCharacterTab; tab < kTabCount; ++tab)
    tabs_->setTabEnabled(tab, editable);
  for (int id : {kSaveCommand, kCheckVersionCommand, kCleanSlateCommand, kReopenCommand}) {
    action(id)->setEnabled(editable);
  }
  saveAs_->setEnabled(editable);
  createPatch_->setEnabled(editable);
  applyPatch_->setEnabled(editable);
  dumpActions_->UpdateEnabled();
  ShowRomStatus();
}

void MainWindow::SelectTab() {
  const int index = tabs_->currentIndex();
  page(index);  // the tab shown builds its page
  for (int tab = 0; tab < kTabCount; ++tab) {
    if (Page* built = builtPage(tab))
      built->setTabActive(tab == index);
  }
  const TabInfo& info = kTabs[static_cast<std::size_t>(std::max(index, 0))];
  QString title = QString::fromLatin1(info.title);
  if (index == kMainTab && state_.document.held() && !state_.document.currentPath().empty()) {
    title = QStringLiteral("Kivo - %1").arg(QString::fromStdString(state_.document.currentPath()));
  }
  title_ = title;
  ShowModified();
  setWindowIcon(PageIcon(info.icon));
}

void MainWindow::ShowModified() {
  // The mark of unsaved edits, the Qt way; the title carries its placeholder
  // only while there is something to mark, and reads as it always has else.
  const bool modified = !history_.stack().isClean();
  setWindowTitle(modified ? title_ + QStringLiteral("[*]") : title_);
  setWindowModified(modified);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  if (!ConfirmDiscard()) {
    event->ignore();
    return;
  }
  ShowMessages(this, SaveSettings(state_.settings, state_.dataFilePath));
  for (int tab : kCloseOrder) {
    if (Page* built = builtPage(tab))
      built->closePage();
  }
  state_.document.Release();
  closed_ = true;
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile())
    return;
  event->acceptProposedAction();
  const QString path = urls.front().toLocalFile();
  if (IsPatchFile(path))
    ApplyPatch(path);
  else
    OpenChosen(path);
}

}  // namespace kivo::ui
