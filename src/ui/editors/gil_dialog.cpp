#include "ui/editors/gil_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/editors/monster_tables.h"
#include "ui/framework/field_info.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {

GilDialog::GilDialog(int initialAmount, QWidget* parent) : Dialog(parent) {
  setWindowTitle(tr("Enter new gil amount"));
  CreateWidgets(initialAmount);
}

void GilDialog::CreateWidgets(int initialAmount) {
  amount_ = WithId(new QLineEdit(QString::number(initialAmount), this), 1412);
  AllowDigitsOnly(*amount_);
  DescribeField(*amount_, {0, kGilAmounts.maxValue});
  amount_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
  amount_->selectAll();

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->addButton(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &GilDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &GilDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(amount_);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

int GilDialog::amount() const {
  return std::clamp(ReadDecimal(*amount_), 0, kGilAmounts.maxValue);
}

std::optional<int> AskGilAmount(QWidget* owner, int initialAmount) {
  GilDialog dialog(initialAmount, owner);
  if (prompts().RunModal(dialog) != kDialogOk)
    return std::nullopt;
  return dialog.amount();
}

}  // namespace kivo::ui
