#include "ui/core/dump_actions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QMenu>
#include <QWidget>
#include <array>
#include <utility>

#include "model/core/file_io.h"
#include "model/core/settings.h"
#include "ui/core/app_state.h"
#include "ui/framework/edits.h"
#include "ui/framework/field_info.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr std::array<std::pair<int, DumpKind>, kDumpKindCount> kKindCommands = {{
    {kDumpArmorCommand, DumpKind::Armor},
    {kDumpCharacterCommand, DumpKind::Character},
    {kDumpFormationCommand, DumpKind::Formation},
    {kDumpMapCommand, DumpKind::Map},
    {kDumpMonsterCommand, DumpKind::Monster},
    {kDumpShopCommand, DumpKind::Shop},
    {kDumpSpellCommand, DumpKind::Spell},
    {kDumpTextCommand, DumpKind::Text},
    {kDumpWeaponCommand, DumpKind::Weapon},
}};

const QString kJsonExtension = QStringLiteral(".json");
const QString kBinaryExtension = QStringLiteral(".bin");
const FileFilter kJsonFilter{QStringLiteral("JSON dumps (*.json)"), QStringLiteral("*.json")};
const FileFilter kBinaryFilter{QStringLiteral("Binary dumps (*.bin)"), QStringLiteral("*.bin")};

QString WithExtension(const QString& path, const QString& extension) {
  return QFileInfo(path).suffix().isEmpty() ? path + extension : path;
}

// The binary file beside a JSON one: the same name, ".bin" for its extension.
QString BesideAsBinary(const QString& json) {
  const QFileInfo info(json);
  return info.dir().filePath(info.completeBaseName() + kBinaryExtension);
}

}  // namespace

DumpActions::DumpActions(AppState& state, Edits& edits, QWidget* window)
    : QObject(window), state_(state), edits_(edits), window_(window) {}

void DumpActions::AddLoadItem(QMenu* file) {
  loadDump_ = file->addAction(tr("&Load Dump..."));
  loadDump_->setObjectName(QStringLiteral("loadDump"));
  connect(loadDump_, &QAction::triggered, this, &DumpActions::LoadDump);
  UpdateEnabled();
}

void DumpActions::AddDumpItems(QMenu* dump, const std::function<QAction*(int)>& action) {
  dumpMenu_ = dump;
  for (const auto& [id, kind] : kKindCommands) {
    if (QAction* item = action(id))
      connect(item, &QAction::triggered, this, [this, kind = kind] { Dump(kind); });
  }
  dump->addSeparator();
  QAction* all = dump->addAction(tr("All &kinds..."));
  all->setObjectName(QStringLiteral("dumpAll"));
  connect(all, &QAction::triggered, this, &DumpActions::DumpAll);
  UpdateEnabled();
}

void DumpActions::UpdateEnabled() {
  const bool editable = state_.document.editable();
  if (dumpMenu_ != nullptr) {
    dumpMenu_->setEnabled(editable);
    for (QAction* item : dumpMenu_->actions())
      item->setEnabled(editable);
  }
  if (loadDump_ != nullptr)
    loadDump_->setEnabled(editable);
}

DumpContext DumpActions::Context() const {
  const bool prototype = state_.document.tablePair() == TablePair::Prototype;
  const LoadedTable& standard =
      state_.table(prototype ? TableKind::Ff2Prototype : TableKind::Ff2Standard);
  const LoadedTable& dte =
      state_.table(prototype ? TableKind::Ff2PrototypeDte : TableKind::Ff2StandardDte);
  if (!standard.loaded || !dte.loaded)
    return {nullptr, nullptr, &state_.settings};
  return {&standard.table, &dte.table, &state_.settings};
}

DumpTarget DumpActions::Target() const {
  const int32_t row = state_.settings.Int(settings::kConfigDumpRow);
  return row == int(DumpTarget::Binary) || row == int(DumpTarget::Both) ? DumpTarget(row)
                                                                        : DumpTarget::Text;
}

QString DumpActions::BaseName(const QString& what) const {
  const QString rom = QString::fromStdString(state_.document.currentPath());
  return QFileInfo(rom).completeBaseName() + QLatin1Char('-') + what;
}

bool DumpActions::WriteFile(const QString& path, std::span<const uint8_t> bytes) {
  if (const std::string failure = SafeWriteFile(path.toStdString(), bytes); !failure.empty()) {
    prompts().Message(window_, tr("The dump could not be written."), MessageIcon::Error,
                      QString::fromLatin1(kDefaultCaption),
                      QString::fromStdString(FileProblem(path.toStdString(), failure)));
    return false;
  }
  if (auto* main = qobject_cast<QMainWindow*>(window_))
    main->statusBar()->showMessage(tr("Wrote %1").arg(QFileInfo(path).fileName()),
                                   kStatusMessageMs);
  return true;
}

bool DumpActions::WriteJson(const QString& path, std::span<const DumpKind> kinds) {
  const DumpOutput out = DumpJson(state_.document, kinds, Context());
  if (!out.error.empty()) {
    prompts().Message(window_, QString::fromStdString(out.error), MessageIcon::Error);
    return false;
  }
  return WriteFile(path, {reinterpret_cast<const uint8_t*>(out.text.data()), out.text.size()});
}

void DumpActions::Dump(DumpKind kind) {
  if (!state_.document.editable())
    return;
  const DumpTarget target = Target();
  const bool binaryOnly = target == DumpTarget::Binary;
  const QString extension = binaryOnly ? kBinaryExtension : kJsonExtension;
  const QString chosen = prompts().SaveFileSuggesting(
      window_, {binaryOnly ? kBinaryFilter : kJsonFilter},
      BaseName(QString::fromUtf8(DumpKindKey(kind).data(), qsizetype(DumpKindKey(kind).size()))) +
          extension);
  if (chosen.isEmpty())
    return;
  const QString path = WithExtension(chosen, extension);
  if (target != DumpTarget::Binary) {
    const DumpKind one[] = {kind};
    if (!WriteJson(path, one))
      return;
  }
  if (target != DumpTarget::Text) {
    const std::vector<uint8_t> bytes = DumpBinary(state_.document, kind);
    WriteFile(binaryOnly ? path : BesideAsBinary(path), bytes);
  }
}

void DumpActions::DumpAll() {
  if (!state_.document.editable())
    return;
  const QString chosen = prompts().SaveFileSuggesting(
      window_, {kJsonFilter}, BaseName(QStringLiteral("all")) + kJsonExtension);
  if (!chosen.isEmpty())
    WriteJson(WithExtension(chosen, kJsonExtension), kDumpKinds);
}

void DumpActions::LoadDump() {
  if (!state_.document.editable())
    return;
  // What is being typed is a step of its own, before the load.
  if (QWidget* focused = QApplication::focusWidget();
      focused != nullptr && window_->isAncestorOf(focused))
    focused->clearFocus();
  const QString path = prompts().OpenFile(window_, {kJsonFilter});
  if (path.isEmpty())
    return;
  const FileBytes file = ReadWholeFile(path.toStdString());
  if (!file) {
    prompts().Message(window_, tr("The dump could not be read."), MessageIcon::Error,
                      QString::fromLatin1(kDefaultCaption),
                      QString::fromStdString(FileProblem(path.toStdString(), file.reason)));
    return;
  }
  const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  const QString name = QFileInfo(path).fileName();
  DumpLoad load = PlanDumpLoad(state_.document, text, Context(), false);
  if (!load.problems.empty()) {
    prompts().Message(window_,
                      tr("%1 cannot be loaded:\n\n%2")
                          .arg(name, QString::fromStdString(load.ProblemText()).trimmed()),
                      MessageIcon::Error);
    return;
  }
  if (!load.overflows.empty()) {
    const QString question =
        tr("These texts need more bytes than they had; writing them overwrites what follows "
           "them:\n\n%1")
            .arg(QString::fromStdString(load.ProblemText()).trimmed());
    enum { kOverwrite, kMakeRoom, kCancel };
    const int answer = prompts().AskChoice(
        window_, question, {tr("Overwrite"), tr("Make room"), tr("Cancel")}, kCancel, kCancel);
    if (answer == kCancel)
      return;
    load = PlanDumpLoad(state_.document, text, Context(), answer == kOverwrite,
                        answer == kMakeRoom);
    if (!load.ok()) {
      // Make room: the banks' texts do not fit, and the problem says by how much.
      prompts().Message(window_,
                        tr("%1 cannot be loaded:\n\n%2")
                            .arg(name, QString::fromStdString(load.ProblemText()).trimmed()),
                        MessageIcon::Error);
      return;
    }
  }
  QString confirm = QString::fromStdString(load.Summary());
  if (load.otherRom)
    confirm += QStringLiteral("\n\n") + tr("This dump was made from another ROM.");
  if (prompts().AskChoice(window_, confirm, {tr("Load"), tr("Cancel")}, 0, 1) != 0)
    return;
  if (edits_.Commit(nullptr, StepInfo{tr("Load %1").arg(name), {}, {}},
                    [&load](const RomView& rom) { load.Apply(rom); })) {
    if (auto* main = qobject_cast<QMainWindow*>(window_))
      main->statusBar()->showMessage(tr("Loaded %1").arg(name), kStatusMessageMs);
  }
}

}  // namespace kivo::ui
