#include "ui/map/encounter_domains_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/core/rom_document.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kFirstFieldId = 1537;
constexpr int kMysidiaId = 1601;
// The game's dialog numbers the first field of the third row out of order.
constexpr int kThirdRowStart = 2 * kDomainsPerRow;
constexpr int kThirdRowStartId = 1551;

}  // namespace

int DomainFieldId(int domain) {
  if (domain == kThirdRowStart)
    return kThirdRowStartId;
  if (domain == kThirdRowStart - 2 || domain == kThirdRowStart - 1)
    return kFirstFieldId + domain + 1;
  return kFirstFieldId + domain;
}

EncounterDomainsDialog::EncounterDomainsDialog(const RomDocument& document, QWidget* parent)
    : Dialog(parent) {
  for (bool mysidia : {false, true})
    tables_[mysidia] = ReadDomainTable(document.view(), mysidia);
  setWindowTitle(tr("Changing the encounter indexes"));
  CreateWidgets();
  ShowTable();
  ConnectWidgets();
}

void EncounterDomainsDialog::CreateWidgets() {
  auto* domains = new QGroupBox(tr("World encounter domains"), this);
  auto* grid = new QGridLayout(domains);
  for (int k = 0; k < kDomainsPerRow; ++k) {
    grid->addWidget(new QLabel(QString::number(k + 1), domains), 0, k + 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QString::number(k + 1), domains), k + 1, 0, Qt::AlignRight);
  }
  for (int d = 0; d < kDomainCount; ++d) {
    auto* field = WithId(new QLineEdit(domains), DomainFieldId(d));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    field->setAlignment(Qt::AlignRight);
    grid->addWidget(field, d / kDomainsPerRow + 1, d % kDomainsPerRow + 1);
    fields_[static_cast<std::size_t>(d)] = field;
  }

  mysidiaBox_ = WithId(new QCheckBox(tr("Mysidia Tower completed"), this), kMysidiaId);
  auto* reference = new QLabel(tr(kDomainsReferenceText), this);
  reference->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &EncounterDomainsDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(domains);
  layout->addWidget(mysidiaBox_);
  layout->addWidget(reference);
  layout->addWidget(buttons);
  reference->setMaximumWidth(domains->sizeHint().width());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabOrderFromLayout(*this);
}

void EncounterDomainsDialog::ConnectWidgets() {
  connect(mysidiaBox_, &QCheckBox::toggled, this, &EncounterDomainsDialog::SwitchTable);
}

void EncounterDomainsDialog::ShowTable() {
  const DomainTable& table = tables_[mysidia_];
  for (int d = 0; d < kDomainCount; ++d) {
    QLineEdit* field = fields_[static_cast<std::size_t>(d)];
    const QSignalBlocker blocker(field);
    field->setText(QString::number(table[static_cast<std::size_t>(d)]));
  }
}

void EncounterDomainsDialog::StoreTable() {
  DomainTable& table = tables_[mysidia_];
  for (int d = 0; d < kDomainCount; ++d)
    table[static_cast<std::size_t>(d)] =
        ClampEncounterIndex(ReadDecimal(*fields_[static_cast<std::size_t>(d)]));
  stored_[mysidia_] = true;
}

void EncounterDomainsDialog::WriteTo(const RomView& rom) const {
  for (bool mysidia : {false, true}) {
    if (stored_[mysidia])
      WriteDomainTable(rom, mysidia, tables_[mysidia]);
  }
}

void EncounterDomainsDialog::SwitchTable(bool mysidia) {
  StoreTable();
  mysidia_ = mysidia;
  ShowTable();
}

void EncounterDomainsDialog::accept() {
  StoreTable();
  Dialog::accept();
}

}  // namespace kivo::ui
