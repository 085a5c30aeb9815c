#include "ui/core/rom_info_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

RomInfoDialog::RomInfoDialog(QWidget* parent) : Dialog(parent) {
  setWindowTitle(tr("ROM information"));
  CreateWidgets();
  ConnectWidgets();
}

void RomInfoDialog::CreateWidgets() {
  mapper_ = WithId(new QComboBox(this), 1696);
  for (std::string_view name : MapperNames())
    mapper_->addItem(Latin1(name));
  // Long enough for the longest names, so a choice is not cut in the middle.
  mapper_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  mapper_->setMaxVisibleItems(16);

  mirroring_ = WithId(new QComboBox(this), 1698);
  for (std::string_view name : kMirroringNames)
    mirroring_->addItem(Latin1(name));

  region_ = WithId(new QListWidget(this), 1697);
  for (std::string_view name : kRegionNames)
    region_->addItem(Latin1(name));
  // Two rows and no room to spare.
  region_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  region_->setFixedHeight(region_->sizeHintForRow(0) * region_->count() +
                          2 * region_->frameWidth() + 6);

  prgRomBanks_ = WithId(new QLineEdit(this), 1699);
  chrRomBanks_ = WithId(new QLineEdit(this), 1700);
  prgRamBanks_ = WithId(new QLineEdit(this), 1703);
  AllowDigitsOnly(*prgRomBanks_);
  AllowDigitsOnly(*chrRomBanks_);
  // Counts of at most three digits: short boxes read better than wide ones.
  const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
  for (QLineEdit* edit : {prgRomBanks_, chrRomBanks_, prgRamBanks_}) {
    edit->setMaximumWidth(numberWidth);
  }

  sram_ = WithId(new QCheckBox(tr("Uses SRAM (battery)"), this), 1701);
  trainer_ = WithId(new QCheckBox(tr("Uses trainer"), this), 1702);
  vs_ = WithId(new QCheckBox(tr("Uses VS"), this), 1705);
  pc10_ = WithId(new QCheckBox(tr("Uses PC-10"), this), 1706);

  format_ = new QLabel(this);
  format_->setObjectName(QStringLiteral("format"));
  sizeWarning_ = new QLabel(this);
  sizeWarning_->setObjectName(QStringLiteral("sizeWarning"));
  sizeWarning_->setWordWrap(true);
  sizeWarning_->setStyleSheet(QStringLiteral("color: #b3261e;"));
  sizeWarning_->hide();

  auto* fields = new QFormLayout;
  fields->addRow(tr("Mapper:"), mapper_);
  fields->addRow(tr("Mirroring:"), mirroring_);
  fields->addRow(tr("Region:"), region_);
  fields->addRow(tr("# of 16kb PRG-ROM banks:"), prgRomBanks_);
  fields->addRow(tr("# of 8kb CHR-ROM banks:"), chrRomBanks_);
  fields->addRow(tr("# of 8kb PRG-RAM banks:"), prgRamBanks_);
  fields->addRow(tr("Format:"), format_);

  auto* flags = new QGridLayout;
  flags->addWidget(sram_, 0, 0);
  flags->addWidget(trainer_, 0, 1);
  flags->addWidget(vs_, 1, 0);
  flags->addWidget(pc10_, 1, 1);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = WithId(buttons->addButton(QDialogButtonBox::Ok), 1);
  ok_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(flags);
  layout->addWidget(sizeWarning_);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

void RomInfoDialog::ConnectWidgets() {
  connect(ok_, &QPushButton::clicked, this, &RomInfoDialog::accept);
}

void RomInfoDialog::ShowHeader(const InesHeader& header, std::size_t imageSize) {
  const QSignalBlocker blockMapper(mapper_);
  const QSignalBlocker blockMirroring(mirroring_);
  const QSignalBlocker blockRegion(region_);
  mapper_->setCurrentIndex(header.mapper);
  mirroring_->setCurrentIndex(static_cast<int>(header.mirroring));
  region_->setCurrentRow(static_cast<int>(header.region));
  prgRomBanks_->setText(QString::number(header.prgRomBanks));
  chrRomBanks_->setText(QString::number(header.chrRomBanks));
  prgRamBanks_->setText(QString::number(header.prgRamBanks));
  sram_->setChecked(header.sram);
  trainer_->setChecked(header.trainer);
  vs_->setChecked(header.vs);
  pc10_->setChecked(header.pc10);
  format_->setText(header.nes20 ? QStringLiteral("NES 2.0") : QStringLiteral("iNES"));
  sizeWarning_->setText(
      tr("The file holds %1 bytes, which does not match the banks and trainer this header "
         "describes.")
          .arg(imageSize));
  sizeWarning_->setVisible(!header.sizeMatches);
}

void ShowRomInformation(QWidget* owner, std::span<const uint8_t> image) {
  // The dialog works on a decoded copy: nothing on screen reaches the image.
  const InesHeader header = DecodeInesHeader(image);
  if (!header.magic) {
    prompts().Message(owner, QString::fromLatin1(kBadHeaderText), MessageIcon::Warning);
  }
  RomInfoDialog dialog(owner);
  dialog.ShowHeader(header, image.size());
  prompts().RunModal(dialog);
}

}  // namespace kivo::ui
