#include "ui/editors/monster_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "model/core/settings.h"
#include "model/editors/field_places.h"
#include "model/editors/spell_record_names.h"
#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/spell_names.h"
#include "model/text/text_categories.h"
#include "ui/editors/gil_dialog.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/field_info.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/tabs.h"
#include "ui/text/effect_label_dialog.h"
#include "ui/text/label_dialog.h"

namespace kivo::ui {
namespace {

const LabelSet& AiLabels() {
  return GetLabelSet(LabelSetId::AiPacks);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

void FillIndexRows(QComboBox* combo, int rows) {
  combo->clear();
  for (int i = 0; i < rows; ++i)
    combo->addItem(QStringLiteral("Index %1").arg(i));
}

// Selects `row`, or shows nothing and accepts no pick while there is none to show.
void ShowRowOrNothing(QComboBox* combo, std::optional<int> row, int rawValue, bool hasRow) {
  if (hasRow) {
    ShowStoredValue(*combo, row, rawValue);
  } else {
    combo->setPlaceholderText(QString());
    combo->setCurrentIndex(-1);
  }
  combo->setEnabled(hasRow);
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

}  // namespace

MonsterPage::MonsterPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

void MonsterPage::refresh(const PageContext& context) {
  // New tables keep the monster in view; a new image shows the remembered one.
  const int current = monsters_->currentRow();
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  RebuildLists();
  int index = MonsterOfRow(context_.settings->Int(settings::kSelectedMonster));
  if (context.reason == RefreshReason::TablesChanged && loaded_ >= 0 && current >= 0)
    index = MonsterOfRow(current);
  Load(index);
}

void MonsterPage::RebuildLists() {
  const auto blockers = BlockSignals();
  SettingsBlock& settings = *context_.settings;
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::span<const uint8_t> image = view.image();
  const std::size_t shift = view.baseShift();

  // Other ROMs and other tables name spells differently.
  RebuildSpellNameCache(image, view.baseShift(), dte, settings);

  monsters_->clear();
  FillNameList(image, *monsters_, kMonsterNameTable.count, 0, kMonsterNameTable.offset + shift,
               kMonsterNameTable.textBase + shift, dte);

  const PointerTable items = ItemNameRange(kAllItemIds);
  for (QComboBox* combo : spoils_) {
    combo->clear();
    combo->addItem(tr("Nothing"));
    FillNameCombo(image, *combo, items.count, 1, items.offset + shift, items.textBase + shift, dte);
    for (int g = 0; g < kGilAmounts.entries; ++g)
      combo->addItem(QString());
  }
  ShowGilAmounts();

  aiPack_->clear();
  aiPack_->addItem(QString::fromLatin1(kNoAiPackText.data(), kNoAiPackText.size()));
  for (const std::string& label : RowTexts(settings, AiLabels()))
    aiPack_->addItem(Text(label));

  FillIndexRows(hp_.index, kHpMpValues.entries);
  FillIndexRows(mp_.index, kHpMpValues.entries);
  for (int s = 0; s < kMonsterStatCount; ++s)
    FillIndexRows(stats_[s].index, TableOfStat(static_cast<MonsterStat>(s)).entries);
  for (const BitGroup& group : bitGroups_)
    FillIndexRows(group.set, group.table->entries);
  FillIndexRows(effectSet_, kEffectSets.entries);
  FillIndexRows(spoilsSet_, kSpoilsSets.groups);

  effects_->clear();
  for (int row = 0; row < kEffectRowCount; ++row)
    effects_->addItem(Text(EffectRowText(settings, row)));
  // Seven rows, no scrolling.
  effects_->setFixedHeight(effects_->sizeHintForRow(0) * kEffectRowCount +
                           2 * effects_->frameWidth());

  const std::vector<std::string> records = SpellRecordNames(view, settings);
  for (QComboBox* combo : actions_) {
    CompleteAnywhere(*combo);
    combo->clear();
    combo->addItem(Text(SpellCacheName(settings, 0)));
    for (const std::string& name : records)
      combo->addItem(Text(name));
  }
}

void MonsterPage::ShowGilAmounts() {
  // Rows 192..207 name the gil amounts as the image holds them.
  const ConstRomView view = std::as_const(*context_.document).view();
  for (QComboBox* combo : spoils_) {
    const QSignalBlocker blocker(combo);
    for (int g = 0; g < kGilAmounts.entries; ++g) {
      const QString amount = QString::number(ReadEntry(view, kGilAmounts, g));
      if (combo->itemText(kFirstGilRow + g) != amount)
        ReplaceComboEntry(*combo, amount, kFirstGilRow + g);
    }
  }
}

void MonsterPage::Load(int index) {
  loaded_ = index;
  const ConstRomView view = std::as_const(*context_.document).view();
  record_ = MonsterRecord::Read(view, index);
  context_.settings->SetInt(settings::kSelectedMonster, index);
  ShowGilAmounts();
  {
    const auto blockers = BlockSignals();
    monsters_->setCurrentRow(index);
    const MonsterRecord& r = record_;
    ShowStoredValue(*aiPack_, AiPackRowOf(r.aiPack), r.aiPack);
    ShowStoredValue(*hp_.index, IndexRowOf(kHpMpValues, r.hpIndex), r.hpIndex);
    ShowStoredValue(*mp_.index, IndexRowOf(kHpMpValues, r.mpIndex), r.mpIndex);
    for (int s = 0; s < kMonsterStatCount; ++s)
      stats_[s].index->setCurrentIndex(r.index(IndexOfStat(static_cast<MonsterStat>(s))));
    for (const BitGroup& group : bitGroups_)
      group.set->setCurrentIndex(r.index(group.index));
    effectSet_->setCurrentIndex(r.index(MonsterIndex::EffectSet));
    ShowStoredValue(*spoilsSet_, GroupRowOf(kSpoilsSets, r.spoilsSet), r.spoilsSet);
  }
  ShowIndexRowValues();
  ShowValue(hp_, kHpMpValues);
  ShowValue(mp_, kHpMpValues);
  for (int s = 0; s < kMonsterStatCount; ++s)
    ShowValue(stats_[s], TableOfStat(static_cast<MonsterStat>(s)));
  ShowEffectSet();
  ShowSpoilsSet();
  ShowAiPack();
  for (int g = 0; g < static_cast<int>(bitGroups_.size()); ++g)
    ShowBitGroup(g);
}

void MonsterPage::ShowValue(ValueWidgets& widgets, const ValueTable& table) {
  // An index with no entry has no value to show or store.
  const int row = widgets.index->currentIndex();
  const bool has = table.Has(row);
  const ConstRomView view = std::as_const(*context_.document).view();
  widgets.box->setEnabled(has);
  widgets.box->setText(has ? QString::number(ReadEntry(view, table, row)) : QString());
  ShowSharedEntry(*widgets.index, table);
  const ValueRange range{0, table.maxValue};
  if (has)
    DescribeField(*widgets.box, range, MonsterEntryPlace(table, row), view.baseShift());
  else
    DescribeField(*widgets.box, range);
}

void MonsterPage::ShowBitGroup(int g) {
  const BitGroup& group = bitGroups_[g];
  const ConstRomView view = std::as_const(*context_.document).view();
  const BitBoxes ticks =
      BoxesOfBits(static_cast<uint8_t>(ReadEntry(view, *group.table, group.set->currentIndex())));
  for (int k = 0; k < kBitBoxCount; ++k)
    group.boxes[k]->setChecked(ticks[k]);
  ShowSharedEntry(*group.set, *group.table);
}

void MonsterPage::ShowEffectSet() {
  const ConstRomView view = std::as_const(*context_.document).view();
  shownEffect_ = static_cast<uint8_t>(ReadEntry(view, kEffectSets, effectSet_->currentIndex()));
  {
    const QSignalBlocker blocker(effects_);
    effects_->setCurrentRow(EffectRowOf(shownEffect_));
  }
  ShowAilmentBoxes();
  ShowSharedEntry(*effectSet_, kEffectSets);
}

void MonsterPage::ShowAilmentBoxes() {
  // The ticks come from the effect set as stored, read as the selected row shows it.
  const int row = effects_->currentRow();
  const AilmentBoxes ticks = AilmentTicks(row, shownEffect_);
  for (int k = 0; k < kAilmentBoxCount; ++k) {
    QCheckBox* box = ailments_[k];
    const bool shown = AilmentBoxShown(row, k);
    if (shown)
      box->setText(Text(AilmentCaption(*context_.settings, row, k)));
    box->setChecked(ticks[k]);
    box->setVisible(shown);
  }
}

void MonsterPage::ShowSpoilsSet() {
  const int set = spoilsSet_->currentIndex();
  const bool has = kSpoilsSets.Has(set);
  const ConstRomView view = std::as_const(*context_.document).view();
  shownSpoils_ = ReadGroup(view, kSpoilsSets, set);
  ShowSharedSpoils();
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    {
      const QSignalBlocker blocker(spoils_[k]);
      ShowRowOrNothing(spoils_[k], SpoilsRowOf(shownSpoils_[k]), shownSpoils_[k], has);
    }
    ShowGilButton(k);
  }
}

void MonsterPage::ShowGilButton(int slot) {
  gilButtons_[slot]->setVisible(IsGilRow(spoils_[slot]->currentIndex()));
}

void MonsterPage::ShowAiPack() {
  const int row = aiPack_->currentIndex();
  const std::optional<int> pack = row > 0 ? std::optional<int>(row - 1) : std::nullopt;
  const ConstRomView view = std::as_const(*context_.document).view();
  shownActions_ = ReadGroup(view, kAiPacks, pack.value_or(-1));
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    QComboBox* combo = actions_[k];
    const QSignalBlocker blocker(combo);
    if (pack) {
      ShowRowOrNothing(combo, ActionRowOf(shownActions_[k]), shownActions_[k], true);
    } else {
      // "--none--" shows "Attack" in every slot; a pack with no entry shows nothing.
      ShowRowOrNothing(combo, 0, 0, row == 0);
      combo->setEnabled(false);
    }
  }
  changeAiLabel_->setEnabled(pack.has_value());
}

MonsterFields MonsterPage::ReadFields() const {
  MonsterFields f;
  MonsterRecord& r = f.record = record_;
  auto picked = [](const QComboBox* combo, int stored) {
    return PickedRow(*combo).value_or(stored);
  };
  if (const std::optional<int> row = PickedRow(*aiPack_))
    r.aiPack = AiPackOfRow(*row);
  r.hpIndex = static_cast<uint8_t>(picked(hp_.index, r.hpIndex));
  r.mpIndex = static_cast<uint8_t>(picked(mp_.index, r.mpIndex));
  for (int s = 0; s < kMonsterStatCount; ++s) {
    uint8_t& index = r.index(IndexOfStat(static_cast<MonsterStat>(s)));
    index = static_cast<uint8_t>(picked(stats_[s].index, index));
  }
  for (const BitGroup& group : bitGroups_) {
    uint8_t& index = r.index(group.index);
    index = static_cast<uint8_t>(picked(group.set, index));
  }
  uint8_t& effectSet = r.index(MonsterIndex::EffectSet);
  effectSet = static_cast<uint8_t>(picked(effectSet_, effectSet));
  r.spoilsSet = static_cast<uint8_t>(picked(spoilsSet_, r.spoilsSet));

  f.hp = ReadDecimal(*hp_.box);
  f.mp = ReadDecimal(*mp_.box);
  for (int s = 0; s < kMonsterStatCount; ++s)
    f.stats[s] = ReadDecimal(*stats_[s].box);
  for (const BitGroup& group : bitGroups_) {
    BitBoxes boxes{};
    for (int k = 0; k < kBitBoxCount; ++k)
      boxes[k] = group.boxes[k]->isChecked();
    f.*group.bits = BitsOfBoxes(boxes);
  }

  AilmentBoxes ticks{};
  for (int k = 0; k < kAilmentBoxCount; ++k)
    ticks[k] = ailments_[k]->isChecked();
  f.effect = EffectToStore(shownEffect_, effects_->currentRow(), ticks);

  for (int k = 0; k < kSlotsPerGroup; ++k)
    f.actions[k] = static_cast<uint8_t>(picked(actions_[k], shownActions_[k]));
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    const std::optional<int> row = PickedRow(*spoils_[k]);
    if (!row) {
      f.spoils[k] = {shownSpoils_[k], 0};
      continue;
    }
    const int gil = IsGilRow(*row) ? ReadDecimal(spoils_[k]->itemText(*row)) : 0;
    f.spoils[k] = {SpoilsByteOfRow(*row), gil};
  }
  return f;
}

void MonsterPage::StoreLoaded() {
  if (loaded_ >= 0)
    Commit(tr("Edit %1").arg(monsters_->item(loaded_)->text()));
}

void MonsterPage::Commit(const QString& text, const QString& mergeKey) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  // The whole monster, in Save's order: where fields share an entry, the
  // image ends as Save would leave it, however early the edit is committed.
  const int index = loaded_;
  const MonsterFields fields = ReadFields();
  CommitEdit(context_, this, {text, {kMonsterTab, index}, mergeKey},
             [&](const RomView& rom) { fields.Write(rom, index); });
}

void MonsterPage::CommitField(QWidget* field) {
  if (loaded_ < 0)
    return;
  Commit(tr("Edit %1 of %2").arg(Caption(*field), monsters_->item(loaded_)->text()),
         QStringLiteral("monster/%1/%2").arg(loaded_).arg(field->objectName()));
}

QString MonsterPage::Caption(const QWidget& field) const {
  const auto among = [&field](const auto& widgets) {
    for (const QWidget* w : widgets) {
      if (w == &field)
        return true;
    }
    return false;
  };
  bool named = among(actions_);
  for (const BitGroup& group : bitGroups_)
    named = named || among(group.boxes);
  const auto* group = qobject_cast<const QGroupBox*>(field.parentWidget());
  if (named && group != nullptr)
    return QStringLiteral("%1 %2").arg(group->title(), FieldCaption(field));
  return FieldCaption(field);
}

void MonsterPage::followImage(const ByteChange& change) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  // Names, and the action rows made of the spell records.
  if (TouchesSpellRecordNames(change, context_.document->baseShift())) {
    RebuildLists();
  } else if (!Touches(change, context_, kMonsterRecords, kAiPacks.end() - kMonsterRecords) &&
             !Touches(change, context_, kSpoilsSetIndexes.offset,
                      kGilAmounts.end() - kSpoilsSetIndexes.offset)) {
    return;  // neither the records nor the tables behind them
  }
  Load(loaded_);
}

void MonsterPage::showPlace(const StepPlace& place) {
  if (place.record >= 0 && place.record < kMonsterCount)
    monsters_->setCurrentRow(place.record);
}

void MonsterPage::save() {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  StoreLoaded();
  Load(loaded_);
}

void MonsterPage::MonsterSelected(int row) {
  if (row < 0 || row >= kMonsterCount || loaded_ < 0)
    return;
  StoreLoaded();
  Load(row);
}

void MonsterPage::ChangeGil(int slot) {
  const int row = spoils_[slot]->currentIndex();
  if (!IsGilRow(row))
    return;
  const std::optional<int> amount = AskGilAmount(this, ReadDecimal(spoils_[slot]->itemText(row)));
  if (!amount)
    return;
  // One gil amount is shared by every slot that shows it, so every list
  // shows the new amount, and the store writes it whichever slot is last.
  for (QComboBox* combo : spoils_) {
    const QSignalBlocker blocker(combo);
    ReplaceComboEntry(*combo, QString::number(*amount), row);
  }
  if (loaded_ >= 0)
    Commit(tr("Change gil of %1").arg(monsters_->item(loaded_)->text()));
}

void MonsterPage::ChangeAiLabel() {
  if (context_.settings)
    ChangeComboLabel(this, *aiPack_, *context_.settings, AiLabels());
}

void MonsterPage::ChangeEffectLabelsClicked() {
  if (context_.settings)
    ChangeEffectLabels(this, *context_.settings, *effects_, ailments_);
}

}  // namespace kivo::ui
