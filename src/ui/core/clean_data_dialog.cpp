#include "ui/core/clean_data_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "model/core/settings_reset.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kToggleId = 1652;

// Where each group box sits: column, then row within the column.
struct GroupPlace {
  int column;
  int row;
};
constexpr std::array<GroupPlace, kResetGroupCount> kGroupPlaces{{
    {0, 0},  // File locations
    {1, 0},  // Labels
    {2, 0},  // Cursor selections
    {0, 1},  // Custom colors
    {1, 1},  // Editor specific
    {2, 1},  // Check boxes
}};

}  // namespace

CleanDataDialog::CleanDataDialog(SettingsBlock& settings, std::string dataFilePath, QWidget* parent)
    : Dialog(parent), settings_(settings), dataFilePath_(std::move(dataFilePath)) {
  CreateWidgets();
  ConnectWidgets();
  toggleState_ = 1;
  Toggle();  // opens with every box ticked
}

void CleanDataDialog::CreateWidgets() {
  setWindowTitle(QStringLiteral("Clean the data"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral(
      "Similar to \"Clean the slate,\" this will clean the data file Kivo uses to keep track of "
      "everything it needs to. Anything that is checked will be 0, or be set to their default "
      "values, whichever applies."));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout;
  std::array<QVBoxLayout*, kResetGroupCount> groups{};
  for (int g = 0; g < kResetGroupCount; ++g) {
    const auto group = static_cast<ResetGroup>(g);
    auto* box = new QGroupBox(QString::fromUtf8(ResetGroupCaption(group)));
    groups[g] = new QVBoxLayout(box);
    grid->addWidget(box, kGroupPlaces[g].row, kGroupPlaces[g].column, Qt::AlignTop);
  }
  for (const SettingsReset& reset : SettingsResets()) {
    const QString caption = QString::fromUtf8(reset.caption.data(), reset.caption.size());
    auto* box = WithId(new QCheckBox(caption), reset.id);
    groups[static_cast<int>(reset.group)]->addWidget(box);
    boxes_.append(box);
  }
  for (QVBoxLayout* group : groups)
    group->addStretch(1);
  layout->addLayout(grid);

  toggle_ = WithId(new QPushButton, kToggleId);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  WithId(buttons->button(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->button(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CleanDataDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CleanDataDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(toggle_);
  bottom->addStretch(1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);
  SetTabOrderFromLayout(*this);
}

void CleanDataDialog::ConnectWidgets() {
  connect(toggle_, &QPushButton::clicked, this, [this] { Toggle(); });
}

void CleanDataDialog::Toggle() {
  for (QCheckBox* box : boxes_)
    box->setChecked(toggleState_ == 1);
  if (toggleState_ == 1) {
    toggle_->setText(QStringLiteral("De-select everything!"));
    toggleState_ = 0;
  } else {
    toggle_->setText(QStringLiteral("Select everything!"));
    toggleState_ = 1;
  }
}

void CleanDataDialog::accept() {
  if (!prompts().AskYesNo(this, QString::fromUtf8(kCleanQuestionText)))
    return;
  std::array<bool, kSettingsResetCount> ticked{};
  for (int i = 0; i < boxes_.size() && i < kSettingsResetCount; ++i) {
    ticked[i] = boxes_[i]->isChecked();
  }
  const CleanOutcome outcome = CleanSettings(settings_, ticked, dataFilePath_);
  ShowMessages(this, outcome.messages);
  if (outcome.written)
    Dialog::accept();
}

}  // namespace kivo::ui
