#include "ui/editors/equipment_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <initializer_list>
#include <span>
#include <utility>

#include "model/core/settings.h"
#include "model/editors/field_places.h"
#include "model/editors/spell_record_names.h"
#include "model/gfx/battle_palettes.h"
#include "model/text/name_tables.h"
#include "model/text/spell_names.h"
#include "model/text/text_categories.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/field_info.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/sharing_label.h"
#include "ui/framework/tabs.h"
#include "ui/gfx/palettes_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/gfx/swatch_row.h"
#include "ui/text/effect_label_dialog.h"

namespace kivo::ui {
namespace {

constexpr const char* kUnequippedText = "Unequipped";
constexpr const char* kNoCastSpellText = "--none--";
// Every number of a weapon or armour record is one byte.
constexpr ValueRange kByteRange{0, 0xFF};

int Read(const QLineEdit* edit) {
  return ReadDecimal(*edit);
}

void Show(QLineEdit* edit, int value) {
  edit->setText(QString::number(value));
}

void ShowBits(const std::array<QCheckBox*, kBitBoxCount>& boxes, uint8_t bits) {
  const BitBoxes ticks = BoxesOfBits(bits);
  for (int k = 0; k < kBitBoxCount; ++k)
    boxes[k]->setChecked(ticks[k]);
}

uint8_t ReadBits(const std::array<QCheckBox*, kBitBoxCount>& boxes) {
  BitBoxes ticks{};
  for (int k = 0; k < kBitBoxCount; ++k)
    ticks[k] = boxes[k]->isChecked();
  return BitsOfBoxes(ticks);
}

void FillCombo(QComboBox* combo, std::span<const std::string_view> rows) {
  combo->clear();
  for (std::string_view row : rows)
    combo->addItem(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
}

// Fixed height for `rows` rows of `list`, so short lists never scroll.
void FitRows(QListWidget* list, int rows) {
  list->setFixedHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth() + 2);
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

}  // namespace

std::vector<QSignalBlocker> EquipmentPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  for (QObject* object :
       std::initializer_list<QObject*>{weapons_, armours_, type_, castSpell_, effects_, statBoost_})
    blockers.emplace_back(object);
  return blockers;
}

void EquipmentPage::refresh(const PageContext& context) {
  // Moving to other tables keeps the records in view; a new image shows the
  // remembered ones.
  const bool keep = context.reason == RefreshReason::TablesChanged && loadedWeapon_ >= 0;
  const int currentWeapon = weapons_->currentRow();
  const int currentArmour = armours_->currentRow();
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  swatches_->SetMasterPalette(context_.palette);
  RebuildLists();

  int weapon = keep ? currentWeapon : context_.settings->Int(settings::kSelectedWeapon);
  int armour = keep ? currentArmour : context_.settings->Int(settings::kSelectedArmour);
  // Never address a record outside the tables.
  if (weapon < 0 || weapon >= kWeaponCount)
    weapon = 0;
  if (armour < 0 || armour >= kArmourCount)
    armour = 0;
  loadedWeapon_ = weapon;
  loadedArmour_ = armour;
  ShowLoaded();
  ScrollToSelection();
  RememberRows();
}

void EquipmentPage::ShowLoaded() {
  {
    const auto blockers = BlockSignals();
    weapons_->setCurrentRow(loadedWeapon_);
    armours_->setCurrentRow(loadedArmour_);
  }
  ShowWeapon(loadedWeapon_);
  ShowArmour(loadedArmour_);
}

void EquipmentPage::RebuildLists() {
  const auto blockers = BlockSignals();
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::span<const uint8_t> image = view.image();
  const std::size_t shift = view.baseShift();

  // Every refresh takes the names of this image, so no list shows a spell
  // name left over from another ROM.
  RebuildSpellNameCache(image, view.baseShift(), dte, *context_.settings);

  auto fillItems = [&](QListWidget* list, ItemIdRange ids) {
    list->clear();
    list->addItem(QString::fromLatin1(kUnequippedText));
    const PointerTable names = ItemNameRange(ids);
    FillNameList(image, *list, names.count, 1, names.offset + shift, names.textBase + shift, dte);
  };
  fillItems(weapons_, kWeaponIds);
  fillItems(armours_, kArmourIds);

  CompleteAnywhere(*castSpell_);
  castSpell_->clear();
  castSpell_->addItem(QString::fromLatin1(kNoCastSpellText));
  for (const std::string& name : SpellRecordNames(view, *context_.settings))
    castSpell_->addItem(QString::fromStdString(name));

  effects_->clear();
  for (int row = 0; row < kEffectRowCount; ++row)
    effects_->addItem(QString::fromStdString(EffectRowText(*context_.settings, row)));
  FitRows(effects_, kEffectRowCount);
  FillCombo(statBoost_, kStatBoostNames);
  FillCombo(type_, kWeaponTypeNames);
}

void EquipmentPage::ShowWeapon(int row) {
  const auto blockers = BlockSignals();
  const ConstRomView view = std::as_const(*context_.document).view();
  loadedWeapon_ = row;
  weapon_ = WeaponRecord::Read(view, row);
  const WeaponRecord& r = weapon_;

  ShowStoredValue(*type_, WeaponTypeRow(r.type), r.type);
  Show(accuracy_, r.accuracy);
  Show(attack_, r.attack);
  Show(evade_, r.evade);
  Show(weaponPenalty_, r.intSoulPenalty);
  for (const auto& [box, field] : {std::pair{accuracy_, weapon::kAccuracy},
                                   {attack_, weapon::kAttack},
                                   {evade_, weapon::kEvade},
                                   {weaponPenalty_, weapon::kIntSoulPenalty}})
    DescribeField(*box, kByteRange, WeaponFieldPlace(row, field), view.baseShift());
  palette_ = ReadWeaponPalette(view, row);
  ShowPalette();
  ShowStoredValue(*castSpell_, CastSpellRow(r.castSpell), r.castSpell);
  effects_->setCurrentRow(EffectRowOf(r.effect));
  ShowBits(weaponElements_, r.elements);
  ShowBits(races_, r.races);
  changePalette_->setEnabled(HasWeaponPalette(row));
  ShowAilmentBoxes();
  ShowElementCaption();
}

void EquipmentPage::ShowArmour(int row) {
  const auto blockers = BlockSignals();
  loadedArmour_ = row;
  armour_ = ArmourRecord::Read(std::as_const(*context_.document).view(), row);
  const ArmourRecord& r = armour_;
  Show(defence_, r.defence);
  Show(evadePenalty_, r.evadePenalty);
  Show(armourPenalty_, r.intSoulPenalty);
  ShowStoredValue(*statBoost_, StatBoostRow(r.statBoost), r.statBoost);
  Show(magicDefence_, r.magicDefence);
  ShowBits(armourElements_, r.elements);
  for (const auto& [box, field] : {std::pair{defence_, armour::kDefence},
                                   {evadePenalty_, armour::kEvadePenalty},
                                   {armourPenalty_, armour::kIntSoulPenalty},
                                   {magicDefence_, armour::kMagicDefence}})
    DescribeField(*box, kByteRange, ArmourFieldPlace(row, field), context_.document->baseShift());
}

void EquipmentPage::ShowAilmentBoxes() {
  if (!context_.document || !context_.settings || loadedWeapon_ < 0)
    return;
  // The ticks come from the record as loaded, not from the boxes: switching
  // the effect row and back shows the ailments as they were stored before,
  // although each pick has stored the boxes since.
  const int row = effects_->currentRow();
  const AilmentBoxes ticks = AilmentTicks(row, weapon_.effect);
  for (int box = 0; box < kAilmentBoxCount; ++box) {
    QCheckBox* check = ailments_[box];
    check->setChecked(ticks[box]);
    const bool shown = AilmentBoxShown(row, box);
    if (shown)
      check->setText(QString::fromStdString(AilmentCaption(*context_.settings, row, box)));
    check->setVisible(shown);
  }
}

void EquipmentPage::ShowElementCaption() {
  const bool shield = type_->currentIndex() == kShieldType;
  elementGroup_->setTitle(tr(shield ? kElementalDefenceCaption : kElementalAttackCaption));
}

void EquipmentPage::ShowPalette() {
  if (palette_) {
    paletteText_->setText(FormatHex(*palette_));
    swatches_->ShowBattlePalette(std::as_const(*context_.document).view(), *palette_);
    ShowPaletteSharing(*paletteText_, std::as_const(*context_.document).view(), *palette_);
  } else {
    paletteText_->setText(QString::fromLatin1(kNoPaletteText));
    swatches_->Clear();
    ShowSharing(*paletteText_, {}, {});
  }
}

WeaponRecord EquipmentPage::ReadWeaponFields() const {
  WeaponRecord r = weapon_;
  if (const std::optional<int> row = PickedRow(*type_))
    r.type = static_cast<uint8_t>(*row);
  r.accuracy = Read(accuracy_);
  r.attack = Read(attack_);
  r.evade = Read(evade_);
  r.intSoulPenalty = Read(weaponPenalty_);
  r.elements = ReadBits(weaponElements_);
  r.races = ReadBits(races_);
  AilmentBoxes ticks{};
  for (int box = 0; box < kAilmentBoxCount; ++box)
    ticks[box] = ailments_[box]->isChecked();
  r.effect = StoreAddedEffect(effects_->currentRow(), ticks, weapon_.effect);
  if (const std::optional<int> row = PickedRow(*castSpell_))
    r.castSpell = CastSpellOfRow(*row);
  return r;
}

ArmourRecord EquipmentPage::ReadArmourFields() const {
  ArmourRecord r = armour_;
  r.defence = Read(defence_);
  r.evadePenalty = Read(evadePenalty_);
  r.intSoulPenalty = Read(armourPenalty_);
  r.magicDefence = Read(magicDefence_);
  r.elements = ReadBits(armourElements_);
  if (const std::optional<int> row = PickedRow(*statBoost_))
    r.statBoost = StatBoostOfRow(*row);
  return r;
}

void EquipmentPage::StoreLoaded() {
  // Each edit was stored as it was made: these make a step only for values
  // no edit stored.
  Commit(Part::Armour, tr("Edit %1").arg(LoadedName(Part::Armour)));
  Commit(Part::Weapon, tr("Edit %1").arg(LoadedName(Part::Weapon)));
}

void EquipmentPage::Commit(Part part, const QString& text, const QString& mergeKey) {
  if (loadedWeapon_ < 0 || loadedArmour_ < 0 || !context_.document)
    return;
  const StepInfo step{text, {kEquipmentTab, PlaceOf(part)}, mergeKey};
  if (part == Part::Armour) {
    const int index = loadedArmour_;
    const ArmourRecord fields = ReadArmourFields();
    CommitEdit(context_, this, step, [&](const RomView& rom) { fields.Write(rom, index); });
    return;
  }
  const int index = loadedWeapon_;
  const WeaponRecord fields = ReadWeaponFields();
  const std::optional<uint8_t> palette = palette_;
  CommitEdit(context_, this, step, [&](const RomView& rom) {
    fields.Write(rom, index);
    if (palette)
      WriteWeaponPalette(rom, index, *palette);
  });
}

void EquipmentPage::CommitField(QWidget* field) {
  const Part part = armourGroup_->isAncestorOf(field) ? Part::Armour : Part::Weapon;
  Commit(part, tr("Edit %1 of %2").arg(FieldCaption(*field), LoadedName(part)),
         QStringLiteral("equipment/%1/%2").arg(PlaceOf(part)).arg(field->objectName()));
}

int EquipmentPage::PlaceOf(Part part) const {
  return part == Part::Weapon ? loadedWeapon_ : kWeaponCount + loadedArmour_;
}

QString EquipmentPage::LoadedName(Part part) const {
  const QListWidget* list = part == Part::Weapon ? weapons_ : armours_;
  const QListWidgetItem* item = list->item(part == Part::Weapon ? loadedWeapon_ : loadedArmour_);
  return item != nullptr ? item->text() : QString();
}

void EquipmentPage::followImage(const ByteChange& change) {
  if (loadedWeapon_ < 0 || loadedArmour_ < 0 || !context_.document)
    return;
  // The cast spell rows name spell records.
  const bool names = TouchesSpellRecordNames(change, context_.document->baseShift());
  if (names)
    RebuildLists();
  if (names || Touches(change, context_, kArmourRecords, kArmourRecordSize * kArmourCount) ||
      Touches(change, context_, kWeaponRecords, kWeaponRecordSize * kWeaponCount) ||
      Touches(change, context_, kWeaponPalettes, kWeaponCount)) {
    ShowLoaded();
  } else if (Touches(change, context_, kBattlePalettesOffset,
                     kBattlePaletteStride * kBattlePaletteColours)) {
    ShowPalette();
  }
}

void EquipmentPage::showPlace(const StepPlace& place) {
  if (place.record >= 0 && place.record < kWeaponCount)
    weapons_->setCurrentRow(place.record);
  else if (place.record >= kWeaponCount && place.record < kWeaponCount + kArmourCount)
    armours_->setCurrentRow(place.record - kWeaponCount);
}

void EquipmentPage::RememberRows() {
  context_.settings->SetInt(settings::kSelectedArmour, loadedArmour_);
  context_.settings->SetInt(settings::kSelectedWeapon, loadedWeapon_);
}

void EquipmentPage::save() {
  if (loadedWeapon_ < 0 || loadedArmour_ < 0 || !context_.document ||
      !context_.document->editable())
    return;
  StoreLoaded();
  const int armour = armours_->currentRow();
  const int weapon = weapons_->currentRow();
  ShowArmour(armour >= 0 && armour < kArmourCount ? armour : loadedArmour_);
  ShowWeapon(weapon >= 0 && weapon < kWeaponCount ? weapon : loadedWeapon_);
  RememberRows();
}

void EquipmentPage::showEvent(QShowEvent* event) {
  Page::showEvent(event);
  // Rows selected while the page was hidden scroll into view once it has its size.
  ScrollToSelection();
}

void EquipmentPage::ScrollToSelection() {
  for (QListWidget* list : {weapons_, armours_}) {
    if (list->currentItem())
      list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
  }
}

void EquipmentPage::RowSelected() {
  save();
}

void EquipmentPage::ChangePalette() {
  if (!palette_ || !context_.palette)
    return;
  const std::optional<uint8_t> chosen = ChooseBattlePalette(
      this, std::as_const(*context_.document).view(), *context_.palette, *palette_);
  if (chosen)
    palette_ = chosen;
  ShowPalette();
  // OK stores the palette number at once.
  if (chosen)
    Commit(Part::Weapon, tr("Edit Palette of %1").arg(LoadedName(Part::Weapon)),
           QStringLiteral("equipment/%1/%2").arg(loadedWeapon_).arg(changePalette_->objectName()));
}

void EquipmentPage::PickSwatchColour(int k) {
  if (!palette_ || !context_.palette || !context_.document->editable())
    return;
  // Written into the image at once: battle palettes are not part of the record.
  PickBattlePaletteColour(*this, context_, {kEquipmentTab, loadedWeapon_}, *palette_, k);
  ShowPalette();
}

void EquipmentPage::ChangeLabels() {
  if (!context_.settings)
    return;
  // Replacing the effect rows must not re-read the ailment boxes: ticks not
  // yet saved stay.
  const QSignalBlocker blocker(effects_);
  ChangeEffectLabels(this, *context_.settings, *effects_, ailments_);
}

}  // namespace kivo::ui
