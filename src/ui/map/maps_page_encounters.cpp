// The Maps page's encounter controls: loading and storing the slots of an
// encounter index, the "/64" fields, and picking the index from map clicks.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "model/core/settings.h"
#include "ui/framework/numeric_edit.h"
#include "ui/map/maps_page.h"

namespace kivo::ui {

void MapsPage::LoadSlots(int index) {
  const auto blockers = BlockSignals();
  const EncounterSlots entries =
      ReadEncounterSlots(std::as_const(*context_.document).view(), index);
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    slotFormations_[s]->setCurrentIndex(entries[s].formation);
    slotSecond_[s]->setChecked(entries[s].secondFormation);
  }
  // An index the domain tables name but the list has no row for selects
  // none and has no slots to edit.
  const bool valid = index >= 0 && index < kEncounterIndexCount;
  encounterIndex_->setCurrentRow(valid ? index : -1);
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    slotFormations_[s]->setEnabled(valid);
    slotSecond_[s]->setEnabled(valid);
  }
  loadedIndex_ = index;
  ShowCounts();
}

void MapsPage::ShowCounts() {
  const auto blockers = BlockSignals();
  shownCounts_ = ReadSlotDistribution(std::as_const(*context_.document).view());
  for (int s = 0; s < kSlotsPerIndex; ++s)
    slotCounts_[s]->setText(QString::number(shownCounts_[s]));
}

void MapsPage::StoreSlots() {
  if (loadedIndex_ >= 0)
    CommitSlots(Step(tr("Edit Index %1").arg(loadedIndex_), loadedIndex_));
}

void MapsPage::CommitSlots(const StepInfo& step) {
  if (loadedIndex_ < 0 || !ready())
    return;
  const int index = loadedIndex_;
  SlotCounts counts{};
  for (int s = 0; s < kSlotsPerIndex; ++s)
    counts[s] = ReadDecimal(*slotCounts_[s]);
  const bool countsEdited = counts != shownCounts_;
  CommitEdit(context_, this, step, [&](const RomView& rom) {
    if (countsEdited)
      WriteSlotDistribution(rom, counts);
    EncounterSlots entries = ReadEncounterSlots(rom, index);
    for (int s = 0; s < kSlotsPerIndex; ++s) {
      if (slotFormations_[s]->currentIndex() >= 0)
        entries[s].formation = slotFormations_[s]->currentIndex();
      entries[s].secondFormation = slotSecond_[s]->isChecked();
    }
    WriteEncounterSlots(rom, index, entries);
  });
  // The fields keep what was typed; the counts as stored show when the
  // slots are loaded again.
  shownCounts_ = counts;
}

void MapsPage::CommitField(QWidget* field) {
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    StepInfo step;
    if (field == slotCounts_[s]) {
      step = Step(tr("Edit the encounter share of slot %1").arg(s + 1), loadedIndex_);
      step.mergeKey = QStringLiteral("maps/distribution/%1").arg(field->objectName());
    } else if (field == slotFormations_[s] || field == slotSecond_[s]) {
      step = Step(tr("Edit slot %1 of Index %2").arg(s + 1).arg(loadedIndex_), loadedIndex_);
      step.mergeKey = QStringLiteral("maps/%1/%2").arg(loadedIndex_).arg(field->objectName());
    } else {
      continue;
    }
    CommitSlots(step);
    return;
  }
}

void MapsPage::SelectIndexFromCell(int x, int y) {
  if (!ready())
    return;
  const bool mysidia = mysidia_->isChecked() && maps_->currentRow() == 0;
  const DomainTable table = ReadDomainTable(std::as_const(*context_.document).view(), mysidia);
  const int index = table[static_cast<std::size_t>(DomainOfCell(x, y))];
  context_.settings->SetInt(settings::kEncounterIndex, index);
  LoadSlots(index);
}

void MapsPage::IndexPicked(int row) {
  if (row < 0 || row >= kEncounterIndexCount || !ready())
    return;
  StoreSlots();
  context_.settings->SetInt(settings::kEncounterIndex, row);
  LoadSlots(row);
}

void MapsPage::SlotCountEdited(int slot) {
  SlotCounts counts{};
  int sum = 0;
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    counts[s] = ReadDecimal(*slotCounts_[s]);
    sum += std::max(counts[s], 0);
  }
  if (sum > kSlotDistributionSize)
    slotCounts_[slot]->setText(QString::number(CorrectedSlotCount(counts, slot)));
}

void MapsPage::MysidiaClicked() {
  if (!ready())
    return;
  StoreSlots();
  context_.settings->SetFlag(settings::kMapMysidiaCompleted, mysidia_->isChecked());
  const SettingsBlock& settings = *context_.settings;
  SelectIndexFromCell(settings.Int(settings::kLeftClickCell),
                      settings.Int(settings::kLeftClickCell + 4));
}

void MapsPage::MapLeftClicked(int x, int y) {
  StoreSlots();
  SelectIndexFromCell(x, y);
  ShowProperties();
  UpdateOutlines();
}

void MapsPage::MapRightClicked(int x, int y) {
  StoreSlots();
  SelectIndexFromCell(x, y);
  ShowProperties();
  UpdateOutlines();
}

}  // namespace kivo::ui
