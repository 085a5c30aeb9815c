#include "ui/core/config_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/gfx/palette.h"
#include "ui/core/app_state.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kPaletteChooserId = 1288;
constexpr int kPalettePathId = 1287;
constexpr int kDumpTargetId = 1686;

struct TableChooser {
  TableKind kind;
  PathField field;
  int chooserId;
  int pathId;
  const char* label;
  const char* loaded;
  const char* notChosen;
};

// In the order the rows appear: the Final Fantasy 2 group, then Final Fantasy 1.
constexpr std::array<TableChooser, kTableKindCount> kChoosers{{
    {TableKind::Ff2Standard, PathField::Ff2StandardTable, 1289, 1297, "Standard table:",
     "FF2's Standard table loaded.", "Failed to open Final Fantasy 2's Standard Table!"},
    {TableKind::Ff2StandardDte, PathField::Ff2StandardDteTable, 1290, 1298, "Standard DTE:",
     "FF2's Standard DTE table loaded.", "Failed to open Final Fantasy 2's Standard DTE Table!"},
    {TableKind::Ff2Prototype, PathField::Ff2PrototypeTable, 1291, 1299, "Prototype:",
     "FF2's Prototype table loaded.", "Failed to open Final Fantasy 2's Prototype Table!"},
    {TableKind::Ff2PrototypeDte, PathField::Ff2PrototypeDteTable, 1292, 1300, "Prototype DTE:",
     "FF2's Prototype DTE table loaded.", "Failed to open Final Fantasy 2's Prototype DTE Table!"},
    {TableKind::Ff1Standard, PathField::Ff1StandardTable, 1293, 1296, "Standard table:",
     "FF1's Standard table loaded.", "Failed to open Final Fantasy 1's Standard Table!"},
    {TableKind::Ff1StandardDte, PathField::Ff1StandardDteTable, 1294, 1295, "Standard DTE:",
     "FF1's Standard DTE table loaded.", "Failed to open Final Fantasy 1's Standard DTE Table!"},
}};
constexpr int kFf2Rows = 4;

const TableChooser& ChooserOf(TableKind kind) {
  return kChoosers[static_cast<std::size_t>(kind)];
}

const QList<FileFilter> kTableFilters{
    {QStringLiteral("Table files (*.tbl)"), QStringLiteral("*.tbl")}};
const QList<FileFilter> kPaletteFilters{
    {QStringLiteral("Palette files (*.pal)"), QStringLiteral("*.pal")}};

// Paths are kept as the file system's bytes, shown as text.
std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
QString FromPath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

void Plain(QWidget* owner, const char* text) {
  prompts().Message(owner, QString::fromUtf8(text), MessageIcon::None);
}

QPushButton* ChooserButton(int id) {
  auto* button = WithId(new QPushButton(QStringLiteral("...")), id);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
  return button;
}

// Wide enough for the longest encoding name, so the path fields line up.
int EncodingWidth(const QWidget& widget) {
  return widget.fontMetrics().horizontalAdvance(QStringLiteral("Windows-1252")) + 8;
}

QLineEdit* PathEdit(int id) {
  auto* edit = WithId(new QLineEdit, id);
  edit->setReadOnly(true);  // shows the remembered path; typing there changes nothing
  edit->setMinimumWidth(320);
  return edit;
}

}  // namespace

ConfigDialog::ConfigDialog(AppState& state, QWidget* parent) : Dialog(parent), state_(state) {
  CreateWidgets();
  FillWidgets();
  ConnectWidgets();
}

QString ConfigDialog::shownEncoding(TableKind kind) const {
  return tables_[static_cast<std::size_t>(kind)].encoding->text();
}

void ConfigDialog::CreateWidgets() {
  setWindowTitle(QStringLiteral("Config"));
  auto* layout = new QVBoxLayout(this);

  auto* intro =
      new QLabel(QStringLiteral("This is where you can customize Kivo a bit. You can "
                                "freely determine where everything loads from."));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* paletteRow = new QGridLayout;
  paletteChooser_ = ChooserButton(kPaletteChooserId);
  palettePath_ = PathEdit(kPalettePathId);
  paletteRow->addWidget(new QLabel(QStringLiteral("Palette:")), 0, 0);
  paletteRow->addWidget(palettePath_, 0, 1);
  paletteRow->addItem(new QSpacerItem(EncodingWidth(*this), 0), 0, 2);
  paletteRow->addWidget(paletteChooser_, 0, 3);
  paletteRow->setColumnStretch(1, 1);
  layout->addLayout(paletteRow);

  QGridLayout* grid = nullptr;
  for (int i = 0; i < kTableKindCount; ++i) {
    if (i == 0 || i == kFf2Rows) {
      auto* group = new QGroupBox(i == 0 ? QStringLiteral("Final Fantasy 2")
                                         : QStringLiteral("Final Fantasy 1"));
      grid = new QGridLayout(group);
      grid->setColumnStretch(1, 1);
      layout->addWidget(group);
    }
    const TableChooser& c = kChoosers[i];
    TableRow& row = tables_[static_cast<std::size_t>(c.kind)];
    row.path = PathEdit(c.pathId);
    row.chooser = ChooserButton(c.chooserId);
    row.encoding = new QLabel;
    row.encoding->setMinimumWidth(EncodingWidth(*this));
    row.encoding->setObjectName(QStringLiteral("encoding%1").arg(static_cast<int>(c.kind)));
    row.encoding->setToolTip(QStringLiteral("The text encoding the table file was read in"));
    const int r = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(c.label)), r, 0);
    grid->addWidget(row.path, r, 1);
    grid->addWidget(row.encoding, r, 2);
    grid->addWidget(row.chooser, r, 3);
  }

  auto* dumpRow = new QHBoxLayout;
  dumpTarget_ = WithId(new QListWidget, kDumpTargetId);
  dumpTarget_->addItems({QStringLiteral("Text"), QStringLiteral("Binary"), QStringLiteral("Both")});
  dumpTarget_->setMaximumHeight(dumpTarget_->sizeHintForRow(0) * 3 + 2 * dumpTarget_->frameWidth());
  dumpRow->addWidget(new QLabel(QStringLiteral("For dumping, dump to:")), 0, Qt::AlignTop);
  dumpRow->addWidget(dumpTarget_, 1);
  layout->addLayout(dumpRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  WithId(buttons->button(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->button(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &ConfigDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ConfigDialog::reject);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

void ConfigDialog::ConnectWidgets() {
  connect(paletteChooser_, &QPushButton::clicked, this, [this] { ChoosePalette(); });
  for (const TableChooser& c : kChoosers) {
    connect(tables_[static_cast<std::size_t>(c.kind)].chooser, &QPushButton::clicked, this,
            [this, kind = c.kind] { ChooseTable(kind); });
  }
  connect(dumpTarget_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0)
      state_.settings.SetInt(settings::kConfigDumpRow, row);
  });
}

void ConfigDialog::FillWidgets() {
  const QSignalBlocker blocker(dumpTarget_);
  // A stored row the list does not have selects nothing and stays stored.
  const int32_t row = state_.settings.Int(settings::kConfigDumpRow);
  dumpTarget_->setCurrentRow(row >= 0 && row < dumpTarget_->count() ? row : -1);
  palettePath_->setText(FromPath(state_.settings.Path(PathField::Palette)));
  for (const TableChooser& c : kChoosers)
    ShowTable(c.kind);
}

void ConfigDialog::ShowTable(TableKind kind) {
  const TableRow& row = tables_[static_cast<std::size_t>(kind)];
  row.path->setText(FromPath(state_.settings.Path(ChooserOf(kind).field)));
  const LoadedTable& table = state_.table(kind);
  row.encoding->setText(table.loaded ? QString::fromUtf8(TableEncodingName(table.encoding))
                                     : QString());
}

void ConfigDialog::ChooseTable(TableKind kind) {
  const TableChooser& c = ChooserOf(kind);
  const QString chosen = prompts().OpenFile(this, kTableFilters);
  if (chosen.isEmpty()) {
    prompts().Message(this, QString::fromUtf8(c.notChosen), MessageIcon::Warning);
    return;
  }
  const std::string path = ToPath(chosen);
  if (const auto failure = LoadTable(state_, kind, path)) {
    ShowMessage(this, *failure);
    return;
  }
  Plain(this, c.loaded);
  // The table is loaded either way; a path too long to keep is only not remembered.
  if (const auto refused = state_.settings.SetPath(c.field, path))
    ShowMessage(this, *refused);
  ShowTable(kind);
}

void ConfigDialog::ChoosePalette() {
  // Qt's file dialog gives an empty name only when cancelled, which stays silent.
  const QString chosen = prompts().OpenFile(this, kPaletteFilters);
  if (chosen.isEmpty())
    return;
  const std::string path = ToPath(chosen);
  const PaletteLoadOutcome outcome = LoadPaletteFile(state_.palette, path);
  if (!outcome.ok) {
    ShowMessages(this, outcome.messages);
    return;
  }
  Plain(this, kPaletteLoadedText);
  if (const auto refused = state_.settings.SetPath(PathField::Palette, path)) {
    ShowMessage(this, *refused);
  }
  palettePath_->setText(FromPath(state_.settings.Path(PathField::Palette)));
}

}  // namespace kivo::ui
