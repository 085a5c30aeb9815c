#include "ui/editors/character_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "model/core/settings.h"
#include "model/editors/stat_template.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "ui/editors/stat_template_dialog.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"
#include "ui/framework/tabs.h"

namespace kivo::ui {
namespace {

constexpr const char* kNoneText = "--none--";

struct SpellSlotIds {
  int spell, level, experience;
};
// Slots 1..16: odd slots in the left column, even slots in the right.
// clang-format off
constexpr std::array<SpellSlotIds, kSpellSlotCount> kSpellSlotIds = {{
    {1132, 1062, 1063}, {1162, 1065, 1066},
    {1133, 1134, 1135}, {1169, 1136, 1137},
    {1163, 1138, 1139}, {1170, 1140, 1141},
    {1164, 1142, 1143}, {1171, 1144, 1145},
    {1165, 1146, 1147}, {1172, 1148, 1149},
    {1166, 1150, 1151}, {1173, 1152, 1153},
    {1167, 1154, 1155}, {1174, 1156, 1157},
    {1168, 1158, 1159}, {1175, 1160, 1161},
}};
// clang-format on

struct SkillIds {
  const char* label;
  int level, experience;
};
// In record order.
constexpr std::array<SkillIds, kWeaponSkillCount> kSkillIds = {{
    {"Fist:", 1056, 1057},
    {"Shield:", 1054, 1055},
    {"Knife:", 1058, 1061},
    {"Cane:", 1059, 1060},
    {"Spear:", 1046, 1047},
    {"Sword:", 1048, 1049},
    {"Axe:", 1050, 1051},
    {"Bow:", 1052, 1053},
}};

struct EquipmentIds {
  EquipmentSlot slot;
  const char* label;
  int id;
};
// In the order the page shows them.
constexpr std::array<EquipmentIds, kEquipmentSlotCount> kEquipmentIds = {{
    {EquipmentSlot::RightHand, "Right hand:", 1176},
    {EquipmentSlot::LeftHand, "Left hand:", 1177},
    {EquipmentSlot::Glove, "Glove:", 1178},
    {EquipmentSlot::Head, "Head:", 1179},
    {EquipmentSlot::Body, "Body:", 1180},
    {EquipmentSlot::Belt1, "Belt 1:", 1181},
    {EquipmentSlot::Belt2, "Belt 2:", 1182},
}};

int Read(const QLineEdit* edit) {
  return ReadDecimal(*edit);
}

void Show(QLineEdit* edit, int value) {
  edit->setText(QString::number(value));
}

void ShowId(QComboBox* combo, const IdList& list, uint8_t id) {
  ShowStoredValue(*combo, RowOfId(list, id), id);
}

uint8_t ReadId(const QComboBox* combo, const IdList& list, uint8_t stored) {
  const std::optional<int> row = PickedRow(*combo);
  return row ? IdOfRow(list, *row) : stored;
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

}  // namespace

CharacterPage::CharacterPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

QLineEdit* CharacterPage::NumberBox(int id, int digits, bool digitsOnly) {
  auto* box = WithId(new QLineEdit(this), id);
  if (digitsOnly)
    AllowDigitsOnly(*box);
  box->setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
  return box;
}

void CharacterPage::CreateWidgets() {
  auto* right = new QGridLayout;
  right->addWidget(CreateEquipmentGroup(), 0, 0);
  right->addWidget(CreateSkillsGroup(), 0, 1);
  right->addWidget(CreateSpellsGroup(), 1, 0, 1, 2);
  right->setRowStretch(2, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(CreateStatsGroup());
  layout->addLayout(right, 1);
  SetTabOrderFromLayout(*this);
}

QGroupBox* CharacterPage::CreateStatsGroup() {
  auto* group = new QGroupBox(tr("Stats"), this);
  characters_ = WithId(new QListWidget(group), 1028);

  hp_ = {NumberBox(1183, 5), NumberBox(1184, 5)};
  mp_ = {NumberBox(1185, 5), NumberBox(1186, 5)};
  strength_ = NumberBox(1187, 3);
  magic_ = NumberBox(1189, 3);
  agility_ = NumberBox(1188, 3);
  vitality_ = NumberBox(1190, 3);
  evasion_ = {NumberBox(1191, 3), NumberBox(1192, 3)};
  magicDefence_ = {NumberBox(1042, 3), NumberBox(1193, 3)};
  intellect_ = NumberBox(1043, 3);
  soul_ = NumberBox(1044, 3);

  auto* grid = new QGridLayout;
  int row = 0;
  auto pair = [&](const QString& label, QLineEdit* first, const QString& between,
                  QLineEdit* second) {
    grid->addWidget(new QLabel(label, group), row, 0);
    grid->addWidget(first, row, 1);
    auto* middle = new QLabel(between, group);
    middle->setAlignment(Qt::AlignCenter);
    grid->addWidget(middle, row, 2);
    grid->addWidget(second, row, 3);
    ++row;
  };
  const QString tilde = QStringLiteral("~");
  pair(tr("HP:"), hp_[0], tilde, hp_[1]);
  pair(tr("MP:"), mp_[0], tilde, mp_[1]);
  pair(tr("Str:"), strength_, tr("Mag:"), magic_);
  pair(tr("Agi:"), agility_, tr("Vit:"), vitality_);
  pair(tr("Int:"), intellect_, tr("Soul:"), soul_);
  pair(tr("Eva:"), evasion_[0], tilde, evasion_[1]);
  pair(tr("M.Def:"), magicDefence_[0], tilde, magicDefence_[1]);
  grid->setColumnStretch(4, 1);

  leftHanded_ = WithId(new QCheckBox(tr("Left handed"), group), 1029);
  backRow_ = WithId(new QCheckBox(tr("Back row"), group), 1030);
  statTemplate_ = WithId(new QPushButton(tr("Stat template"), group), 1658);
  editSprite_ = WithId(new QPushButton(tr("Edit sprite"), group), 1027);
  editSprite_->setEnabled(false);  // sprites are not edited here

  auto* checks = new QHBoxLayout;
  checks->addWidget(leftHanded_);
  checks->addWidget(backRow_);
  checks->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(statTemplate_);
  buttons->addWidget(editSprite_);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(group);
  layout->addWidget(WithFilter(characters_));
  layout->addLayout(grid);
  layout->addLayout(checks);
  layout->addLayout(buttons);
  layout->addStretch(1);
  return group;
}

QGroupBox* CharacterPage::CreateEquipmentGroup() {
  auto* group = new QGroupBox(tr("Equipment"), this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  for (const EquipmentIds& e : kEquipmentIds) {
    auto* combo = WithId(new QComboBox(group), e.id);
    combo->setMinimumContentsLength(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    equipment_[static_cast<std::size_t>(e.slot)] = combo;
    grid->addWidget(new QLabel(tr(e.label), group), row, 0);
    grid->addWidget(combo, row, 1);
    ++row;
  }
  grid->setRowStretch(row, 1);
  return group;
}

QGroupBox* CharacterPage::CreateSkillsGroup() {
  auto* group = new QGroupBox(tr("Skills"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("Level:"), group), 0, 1);
  grid->addWidget(new QLabel(tr("Exp:"), group), 0, 2);
  for (int s = 0; s < kWeaponSkillCount; ++s) {
    const SkillIds& ids = kSkillIds[s];
    skills_[s] = {NumberBox(ids.level, 3), NumberBox(ids.experience, 3)};
    grid->addWidget(new QLabel(tr(ids.label), group), s + 1, 0);
    grid->addWidget(skills_[s].level, s + 1, 1);
    grid->addWidget(skills_[s].experience, s + 1, 2);
  }
  grid->setRowStretch(kWeaponSkillCount + 1, 1);
  return group;
}

QGroupBox* CharacterPage::CreateSpellsGroup() {
  auto* group = new QGroupBox(tr("Spells"), this);
  auto* grid = new QGridLayout(group);
  constexpr int kColumnsPerSide = 5;  // number, spell, level, exp, gap
  for (int side = 0; side < 2; ++side) {
    const int column = side * kColumnsPerSide;
    grid->addWidget(new QLabel(tr("Level:"), group), 0, column + 2);
    grid->addWidget(new QLabel(tr("Exp:"), group), 0, column + 3);
    grid->setColumnStretch(column + 1, 1);
  }
  grid->setColumnMinimumWidth(4, 12);
  for (int k = 0; k < kSpellSlotCount; ++k) {
    const SpellSlotIds& ids = kSpellSlotIds[k];
    auto* spell = WithId(new QComboBox(group), ids.spell);
    spell->setMinimumContentsLength(8);
    spell->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The spell slots' Level and Exp boxes take any text.
    spells_[k] = {spell, NumberBox(ids.level, 3, false), NumberBox(ids.experience, 3, false)};
    const int row = k / 2 + 1;
    const int column = (k % 2) * kColumnsPerSide;
    grid->addWidget(new QLabel(QStringLiteral("%1:").arg(k + 1), group), row, column);
    grid->addWidget(spells_[k].spell, row, column + 1);
    grid->addWidget(spells_[k].level, row, column + 2);
    grid->addWidget(spells_[k].experience, row, column + 3);
  }
  return group;
}

void CharacterPage::ConnectWidgets() {
  connect(characters_, &QListWidget::currentRowChanged, this, &CharacterPage::CharacterSelected);
  connect(equipment(EquipmentSlot::RightHand), &QComboBox::currentIndexChanged, this,
          [this] { HandChanged(EquipmentSlot::RightHand); });
  connect(equipment(EquipmentSlot::LeftHand), &QComboBox::currentIndexChanged, this,
          [this] { HandChanged(EquipmentSlot::LeftHand); });
  connect(statTemplate_, &QPushButton::clicked, this, &CharacterPage::OpenStatTemplate);
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); }, {characters_});
}

std::vector<QSignalBlocker> CharacterPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  blockers.emplace_back(characters_);
  for (QComboBox* combo : equipment_)
    blockers.emplace_back(combo);
  for (const SpellSlotWidgets& slot : spells_)
    blockers.emplace_back(slot.spell);
  return blockers;
}

void CharacterPage::refresh(const PageContext& context) {
  // Moving to other tables keeps the character in view; a new image shows
  // the remembered one.
  const int current = characters_->currentRow();
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  RebuildLists();
  int index = context_.settings->Int(settings::kSelectedCharacter);
  if (context.reason == RefreshReason::TablesChanged && loaded_ >= 0 && current >= 0)
    index = current;
  if (index < 0 || index >= kCharacterCount)
    index = 0;  // never address a record outside 0..8
  Load(index);
}

void CharacterPage::RebuildLists() {
  const auto blockers = BlockSignals();
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::span<const uint8_t> image = view.image();
  const std::size_t shift = view.baseShift();

  characters_->clear();
  for (int i = 0; i < kCharacterCount; ++i)
    characters_->addItem(QString::fromStdString(CharacterName(view, i, dte)));
  // Nine rows, no scrolling and no empty space below them.
  characters_->setFixedHeight(characters_->sizeHintForRow(0) * kCharacterCount +
                              2 * characters_->frameWidth());

  auto fill = [&](QComboBox* combo, const PointerTable& names) {
    combo->clear();
    combo->addItem(QString::fromLatin1(kNoneText));
    FillNameCombo(image, *combo, names.count, 1, names.offset + shift, names.textBase + shift, dte);
  };
  const PointerTable spellNames{kSpellNameTable.offset, kSpellList.rows, kSpellNameTable.textBase};
  for (const SpellSlotWidgets& slot : spells_)
    fill(slot.spell, spellNames);
  for (int s = 0; s < kEquipmentSlotCount; ++s) {
    const IdList& list = EquipmentList(static_cast<EquipmentSlot>(s));
    fill(equipment_[s], ItemNameRange({list.firstId(), list.offset + list.rows}));
  }
}

void CharacterPage::Load(int index) {
  loaded_ = index;
  record_ = CharacterRecord::Read(std::as_const(*context_.document).view(), index);
  context_.settings->SetInt(settings::kSelectedCharacter, index);
  {
    const QSignalBlocker blocker(characters_);
    characters_->setCurrentRow(index);
  }
  ShowRecord(record_);
  DescribeFields();
}

void CharacterPage::ShowStatistics(const CharacterRecord& r) {
  Show(hp_[0], r.hpCurrent);
  Show(hp_[1], r.hpMax);
  Show(mp_[0], r.mpCurrent);
  Show(mp_[1], r.mpMax);
  Show(strength_, r.strength);
  Show(agility_, r.agility);
  Show(vitality_, r.vitality);
  Show(intellect_, r.intellect);
  Show(soul_, r.soul);
  Show(magic_, r.magic);
  Show(evasion_[0], r.evasionCount);
  Show(evasion_[1], r.evasionPercent);
  Show(magicDefence_[0], r.magicDefenceCount);
  Show(magicDefence_[1], r.magicDefencePercent);
}

void CharacterPage::ShowRecord(const CharacterRecord& r) {
  const auto blockers = BlockSignals();
  ShowStatistics(r);
  for (int s = 0; s < kWeaponSkillCount; ++s) {
    Show(skills_[s].level, r.skills[s].level);
    Show(skills_[s].experience, r.skills[s].experience);
  }
  for (int k = 0; k < kSpellSlotCount; ++k) {
    ShowId(spells_[k].spell, kSpellList, r.spells[k].spell);
    Show(spells_[k].level, r.spells[k].level);
    Show(spells_[k].experience, r.spells[k].experience);
  }
  for (int s = 0; s < kEquipmentSlotCount; ++s) {
    const auto slot = static_cast<EquipmentSlot>(s);
    ShowId(equipment(slot), EquipmentList(slot), r.item(slot));
  }
  QComboBox* right = equipment(EquipmentSlot::RightHand);
  QComboBox* left = equipment(EquipmentSlot::LeftHand);
  const HandRows hands = CheckHands({right->currentIndex(), left->currentIndex()});
  right->setCurrentIndex(hands.right);
  left->setCurrentIndex(hands.left);
  backRow_->setChecked(r.backRow);
  leftHanded_->setChecked(r.leftHanded);
}

CharacterRecord CharacterPage::ReadFields() const {
  CharacterRecord r = record_;
  r.hpCurrent = Read(hp_[0]);
  r.hpMax = Read(hp_[1]);
  r.mpCurrent = Read(mp_[0]);
  r.mpMax = Read(mp_[1]);
  r.strength = Read(strength_);
  r.agility = Read(agility_);
  r.vitality = Read(vitality_);
  r.intellect = Read(intellect_);
  r.soul = Read(soul_);
  r.magic = Read(magic_);
  r.evasionCount = Read(evasion_[0]);
  r.evasionPercent = Read(evasion_[1]);
  r.magicDefenceCount = Read(magicDefence_[0]);
  r.magicDefencePercent = Read(magicDefence_[1]);
  for (int s = 0; s < kWeaponSkillCount; ++s)
    r.skills[s] = {Read(skills_[s].level), Read(skills_[s].experience)};
  for (int k = 0; k < kSpellSlotCount; ++k) {
    r.spells[k] = {ReadId(spells_[k].spell, kSpellList, record_.spells[k].spell),
                   Read(spells_[k].level), Read(spells_[k].experience)};
  }
  for (int s = 0; s < kEquipmentSlotCount; ++s) {
    const auto slot = static_cast<EquipmentSlot>(s);
    r.item(slot) = ReadId(equipment(slot), EquipmentList(slot), record_.item(slot));
  }
  r.backRow = backRow_->isChecked();
  r.leftHanded = leftHanded_->isChecked();
  return r;
}

void CharacterPage::StoreLoaded() {
  if (loaded_ >= 0)
    Commit(tr("Edit %1").arg(characters_->item(loaded_)->text()));
}

void CharacterPage::Commit(const QString& text, const QString& mergeKey) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  const int index = loaded_;
  const CharacterRecord fields = ReadFields();
  CommitEdit(context_, this, {text, {kCharacterTab, index}, mergeKey},
             [&](const RomView& rom) { fields.Write(rom, index); });
}

void CharacterPage::CommitField(QWidget* field) {
  if (loaded_ < 0)
    return;
  Commit(tr("Edit %1 of %2").arg(FieldCaption(*field), characters_->item(loaded_)->text()),
         QStringLiteral("character/%1/%2").arg(loaded_).arg(field->objectName()));
}

void CharacterPage::followImage(const ByteChange& change) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  const std::size_t shift = context_.document->baseShift();
  const std::size_t records = kCharacterRecords + shift;
  if (TouchesText(change, context_.document->baseShift())) {
    RebuildLists();
  } else if (!change.Touches(records, records + kCharacterRecordSize * kCharacterCount)) {
    return;
  }
  Load(loaded_);
}

void CharacterPage::showPlace(const StepPlace& place) {
  if (place.record >= 0 && place.record < kCharacterCount)
    characters_->setCurrentRow(place.record);
}

void CharacterPage::save() {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  StoreLoaded();
  Load(loaded_);
}

void CharacterPage::CharacterSelected(int row) {
  if (row < 0 || row >= kCharacterCount || loaded_ < 0)
    return;
  StoreLoaded();
  Load(row);
}

void CharacterPage::HandChanged(EquipmentSlot changed) {
  QComboBox* right = equipment(EquipmentSlot::RightHand);
  QComboBox* left = equipment(EquipmentSlot::LeftHand);
  const HandRows hands = PickHand({right->currentIndex(), left->currentIndex()}, changed);
  const auto blockers = BlockSignals();
  right->setCurrentIndex(hands.right);
  left->setCurrentIndex(hands.left);
}

void CharacterPage::OpenStatTemplate() {
  StatTemplateDialog dialog(this);
  if (prompts().RunModal(dialog) != kDialogOk)
    return;
  CharacterRecord r = ReadFields();
  ApplyStatTemplate(dialog.values(), r);
  {
    const auto blockers = BlockSignals();
    ShowStatistics(r);
  }
  if (loaded_ >= 0)
    Commit(tr("Apply the stat template to %1").arg(characters_->item(loaded_)->text()));
}

}  // namespace kivo::ui
