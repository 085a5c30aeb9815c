#include "ui/tools/clean_slate_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/map/metatile_names.h"
#include "model/tools/clean_slate.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kIndentPerLevel = 18;

struct GroupPlace {
  SlateGroup group;
  int row;
  int column;
};
// Groups in reading order: three columns, the text group on its own on the right.
constexpr std::array<GroupPlace, kSlateGroupCount> kGroupPlaces{{
    {SlateGroup::CharacterStats, 0, 0},
    {SlateGroup::Formations, 1, 0},
    {SlateGroup::Graphics, 2, 0},
    {SlateGroup::Maps, 3, 0},
    {SlateGroup::Spells, 0, 1},
    {SlateGroup::MonsterStats, 1, 1},
    {SlateGroup::Equipment, 2, 1},
    {SlateGroup::Shops, 3, 1},
    {SlateGroup::Text, 0, 2},
}};

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CleanSlateDialog::CleanSlateDialog(RomDocument& document, std::string romPath, Edits* edits,
                                   QWidget* parent)
    : Dialog(parent), document_(document), romPath_(std::move(romPath)), edits_(edits) {
  CreateWidgets();
  ConnectWidgets();
  ShowChecks();
}

void CleanSlateDialog::CreateWidgets() {
  setWindowTitle(QStringLiteral("Clean the Slate"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral(
      "This is by far the fastest way to set the data in the rom to nothing, or 0. This will not "
      "affect the code in any way. It will blank whatever is checked, so make sure you think this "
      "through. There is no undo process for this."));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout;
  std::array<QVBoxLayout*, kSlateGroupCount> groups{};
  for (const GroupPlace& place : kGroupPlaces) {
    auto* box = new QGroupBox(Utf8(SlateGroupCaption(place.group)));
    groups[static_cast<std::size_t>(place.group)] = new QVBoxLayout(box);
    const int rows = place.group == SlateGroup::Text ? 4 : 1;
    grid->addWidget(box, place.row, place.column, rows, 1, Qt::AlignTop);
  }
  for (const SlateBox& slate : SlateBoxes()) {
    auto* box = WithId(new QCheckBox(Utf8(slate.caption)), slate.id);
    QVBoxLayout* group = groups[static_cast<std::size_t>(slate.group)];
    // Children sit indented under their parent, which is what links them.
    auto* row = new QHBoxLayout;
    row->addSpacing(kIndentPerLevel * SlateBoxDepth(slate.id));
    row->addWidget(box, 1);
    group->addLayout(row);
    boxes_.append(box);
  }
  QVBoxLayout* maps = groups[static_cast<std::size_t>(SlateGroup::Maps)];
  maps->addWidget(new QLabel(QStringLiteral("Default tile:")));
  tiles_ = WithId(new QListWidget, kSlateTileListId);
  for (int t = 0; t < kSlateTileCount; ++t)
    tiles_->addItem(Utf8(MetatileName(t)));
  tiles_->setCurrentRow(kDefaultSlateTile);
  maps->addWidget(tiles_);
  for (QVBoxLayout* group : groups)
    group->addStretch(1);
  layout->addLayout(grid);

  layout->addWidget(new QLabel(QStringLiteral("Click OK to clean the slate.")));
  toggle_ = WithId(new QPushButton, kSlateToggleId);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  WithId(buttons->button(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->button(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CleanSlateDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CleanSlateDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(toggle_);
  bottom->addStretch(1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);
  SetTabOrderFromLayout(*this);
}

void CleanSlateDialog::ConnectWidgets() {
  connect(toggle_, &QPushButton::clicked, this, [this] {
    checks_.Toggle();
    ShowChecks();
  });
  for (QCheckBox* box : boxes_) {
    const int id = box->objectName().toInt();
    connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
      checks_.Click(id, checked);
      ShowChecks();
    });
  }
}

void CleanSlateDialog::ShowChecks() {
  for (QCheckBox* box : boxes_) {
    const QSignalBlocker blocker(box);
    const int id = box->objectName().toInt();
    box->setChecked(checks_.checked(id));
    box->setEnabled(checks_.enabled(id));
  }
  tiles_->setEnabled(checks_.tileListEnabled());
  toggle_->setText(Utf8(checks_.toggleCaption()));
}

void CleanSlateDialog::accept() {
  // A file that may not be written is refused before anything is blanked.
  if (const std::string refused = CheckWritable(romPath_); !refused.empty()) {
    ShowWriteFailure(refused);
    return;
  }
  const std::vector<int> checked = checks_.CheckedIds();
  const QString question =
      tr("Blank %1 kinds of data and write %2 now? Edit > Undo can bring the data back until you "
         "close the file.")
          .arg(CountBlankingBoxes(checked))
          .arg(QFileInfo(QString::fromStdString(romPath_)).fileName());
  enum { kBlank, kCancel };
  if (prompts().AskChoice(this, question, {tr("Blank and write"), tr("Cancel")}, kBlank, kCancel) !=
      kBlank) {
    return;
  }
  // One step, which Edit > Undo takes back whole.
  SlateOutcome outcome;
  const int tile = tiles_->currentRow();
  const ImageEdit blank = [&](const RomView& rom) { outcome = CleanSlate(rom, checked, tile); };
  const StepInfo step{tr("Clean the Slate"), {}, {}};
  if (edits_ != nullptr)
    edits_->Commit(nullptr, step, blank);
  else
    document_.Apply(blank);
  imageChanged_ = imageChanged_ || outcome.cleaned;
  ShowMessages(this, outcome.messages);
  if (const std::string failure = SafeWriteFile(romPath_, document_.image()); !failure.empty()) {
    ShowWriteFailure(failure);
    return;
  }
  Dialog::accept();
}

void CleanSlateDialog::ShowWriteFailure(const std::string& reason) {
  prompts().Message(this, QString::fromLatin1(kSlateWriteFailedText), MessageIcon::Warning,
                    QString::fromLatin1(kDefaultCaption),
                    QString::fromStdString(FileProblem(romPath_, reason)));
}

}  // namespace kivo::ui
