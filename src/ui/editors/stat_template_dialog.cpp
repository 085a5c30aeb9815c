#include "ui/editors/stat_template_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"
#include "ui/framework/field_info.h"

namespace kivo::ui {
namespace {

enum Result {
  kHp,
  kMp,
  kStr,
  kVit,
  kAgi,
  kEvaCount,
  kEvaPercent,
  kMag,
  kInt,
  kSoul,
  kMEvaCount,
  kMEvaPercent
};

struct ResultBox {
  int id;
  const char* label;  // nothing for the second box of a pair
  int column;         // 0 physical side, 1 magical side
  int row;
};

// In Result order.
constexpr std::array<ResultBox, 12> kResultBoxes = {{
    {1672, "HP:", 0, 0},
    {1673, "MP:", 1, 0},
    {1667, "Str:", 0, 1},
    {1668, "Vit:", 0, 2},
    {1669, "Agi:", 0, 3},
    {1670, "Eva:", 0, 4},
    {1671, nullptr, 0, 5},
    {1678, "Mag:", 1, 1},
    {1676, "Int:", 1, 2},
    {1674, "Soul:", 1, 3},
    {1675, "M.Eva:", 1, 4},
    {1677, nullptr, 1, 5},
}};

}  // namespace

StatTemplateDialog::StatTemplateDialog(QWidget* parent) : Dialog(parent) {
  setWindowTitle(tr("Stat Template"));
  CreateWidgets();
  ConnectWidgets();
  {
    const QSignalBlocker blocker(points_);
    points_->setText(QString::number(kDefaultTemplatePoints));
  }
  Recompute();
}

void StatTemplateDialog::CreateWidgets() {
  const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
  auto digitBox = [this, boxWidth](int id) {
    auto* box = WithId(new QLineEdit(this), id);
    AllowDigitsOnly(*box);
    box->setFixedWidth(boxWidth);
    return box;
  };

  points_ = digitBox(1666);
  DescribeField(*points_, {0, kMaxTemplatePoints});
  auto* pointsRow = new QHBoxLayout;
  pointsRow->addWidget(new QLabel(tr("Points to distribute:"), this));
  pointsRow->addWidget(points_);
  pointsRow->addStretch();

  balance_ = WithId(new QSlider(Qt::Horizontal, this), 1665);
  balance_->setRange(kMinTemplateBalance, kMaxTemplateBalance);
  balance_->setValue(0);
  balance_->setTickPosition(QSlider::TicksBelow);
  balance_->setTickInterval(49);
  balance_->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
  auto* balanceRow = new QHBoxLayout;
  balanceRow->addWidget(new QLabel(tr("More physical"), this));
  balanceRow->addWidget(balance_, 1);
  balanceRow->addWidget(new QLabel(tr("More magical"), this));

  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(2, 24);
  grid->setColumnStretch(2, 1);
  for (std::size_t i = 0; i < kResultBoxes.size(); ++i) {
    const ResultBox& box = kResultBoxes[i];
    results_[i] = digitBox(box.id);
    const int column = box.column * 3;
    if (box.label)
      grid->addWidget(new QLabel(tr(box.label), this), box.row, column);
    grid->addWidget(results_[i], box.row, column + 1);
  }

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk);
  WithId(buttons->addButton(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &StatTemplateDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &StatTemplateDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pointsRow);
  layout->addLayout(balanceRow);
  layout->addSpacing(6);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

void StatTemplateDialog::ConnectWidgets() {
  connect(points_, &QLineEdit::textChanged, this, &StatTemplateDialog::Recompute);
  connect(balance_, &QSlider::valueChanged, this, &StatTemplateDialog::Recompute);
}

void StatTemplateDialog::Recompute() {
  const int typed = ReadDecimal(*points_);
  if (typed != ClampTemplatePoints(typed)) {
    const QSignalBlocker blocker(points_);
    points_->setText(QString::number(ClampTemplatePoints(typed)));
  }
  ShowValues(ComputeStatTemplate(ReadDecimal(*points_), balance_->value()));
}

void StatTemplateDialog::ShowValues(const StatTemplate& v) {
  const std::array<int, 12> values = {
      v.hp,        v.mp,           v.strength,          v.vitality,
      v.agility,   v.evasionCount, v.evasionPercent,    v.magic,
      v.intellect, v.soul,         v.magicDefenceCount, v.magicDefencePercent};
  for (std::size_t i = 0; i < values.size(); ++i)
    results_[i]->setText(QString::number(values[i]));
}

StatTemplate StatTemplateDialog::values() const {
  auto read = [this](Result r) { return ReadDecimal(*results_[r]); };
  return {read(kHp),  read(kMp),       read(kStr),        read(kVit),
          read(kAgi), read(kEvaCount), read(kEvaPercent), read(kMag),
          read(kInt), read(kSoul),     read(kMEvaCount),  read(kMEvaPercent)};
}

}  // namespace kivo::ui
