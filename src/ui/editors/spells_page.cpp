#include "ui/editors/spells_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
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
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"
#include "ui/framework/sharing_label.h"
#include "ui/framework/tabs.h"
#include "ui/gfx/palettes_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/gfx/swatch_row.h"

namespace kivo::ui {
namespace {

constexpr const char* kAttackRowText = "Attack";

// Element boxes by bit (bit k at index k).
constexpr std::array<int, kBitBoxCount> kElementIds = {1385, 1389, 1386, 1390,
                                                       1387, 1391, 1388, 1392};
constexpr int kFirstAilmentId = 1393;

// The number an edit holds; nothing when its text starts with none, so the
// stored value stays rather than becoming 0.
std::optional<int> ReadNumber(const QLineEdit* edit) {
  static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d"));
  if (!number.match(edit->text()).hasMatch())
    return std::nullopt;
  return ReadDecimal(*edit);
}

void Show(QLineEdit* edit, int value) {
  edit->setText(QString::number(value));
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
void FillList(QListWidget* list, const std::array<std::string_view, N>& rows) {
  list->clear();
  for (std::string_view row : rows)
    list->addItem(Text(row));
}

// Selects the row of a stored value, or none when the list has no row for it.
void SelectRow(QListWidget* list, std::optional<int> row) {
  list->setCurrentRow(row.value_or(-1));
  if (!row)
    list->clearSelection();
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

int ValidRow(int row, int count) {
  return row >= 0 && row < count ? row : 0;
}

}  // namespace

SpellsPage::SpellsPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

QLineEdit* SpellsPage::NumberBox(int id, QWidget* parent) {
  auto* box = WithId(new QLineEdit(parent), id);
  AllowDigitsOnly(*box);
  box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
  return box;
}

void SpellsPage::CreateWidgets() {
  spells_ = WithId(new QListWidget(this), 1407);
  spells_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Ultima Ultima")) + 40);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(WithFilter(spells_));
  layout->addWidget(CreateSpellGroup());
  layout->addWidget(CreateRecordGroup());
  layout->addStretch(1);
  SetTabOrderFromLayout(*this);
}

QGroupBox* SpellsPage::CreateSpellGroup() {
  auto* group = new QGroupBox(tr("Spell data"), this);
  type_ = WithId(new QListWidget(group), 1382);
  type_->setFixedWidth(
      fontMetrics().horizontalAdvance(QStringLiteral("Damage (Rock, Bow, Meteo)")) + 40);
  accuracy_ = NumberBox(1383, group);
  power_ = NumberBox(1384, group);

  auto* numbers = new QGridLayout;
  numbers->addWidget(new QLabel(tr("Accuracy:"), group), 0, 0);
  numbers->addWidget(accuracy_, 0, 1);
  numbers->addWidget(new QLabel(tr("Power:"), group), 1, 0);
  numbers->addWidget(power_, 1, 1);
  numbers->setColumnStretch(2, 1);

  auto* elementFrame = new QGroupBox(tr("Element"), group);
  auto* elementGrid = new QGridLayout(elementFrame);
  elementGrid->setVerticalSpacing(2);
  for (int k = 0; k < kBitBoxCount; ++k) {
    elements_[k] = WithId(new QCheckBox(Text(kElementNames[k]), elementFrame), kElementIds[k]);
    elementGrid->addWidget(elements_[k], k / 2, k % 2);
  }

  ailmentFrame_ = WithId(new QGroupBox(tr("Ailments"), group), 1682);
  auto* ailmentBoxes = new QVBoxLayout(ailmentFrame_);
  ailmentBoxes->setSpacing(2);
  for (int box = 0; box < kSpellAilmentBoxes; ++box) {
    ailments_[box] = WithId(new QCheckBox(ailmentFrame_), kFirstAilmentId + box);
    KeepRoomWhenHidden(*ailments_[box]);
    ailmentBoxes->addWidget(ailments_[box]);
  }
  // The frame keeps its room while hidden and is wide enough for the captions
  // of either type, so no type row moves the rest of the page. Every box is
  // left with a caption, so a box hidden keeps the height of one shown.
  int frameWidth = 0;
  for (int type : {kTemporaryAilmentType, kPermanentAilmentType}) {
    for (int box = 0; box < kSpellAilmentBoxes; ++box)
      ailments_[box]->setText(Text(SpellAilmentCaption(type, box)));
    frameWidth = std::max(frameWidth, ailmentFrame_->sizeHint().width());
  }
  ailmentFrame_->setMinimumWidth(frameWidth);
  KeepRoomWhenHidden(*ailmentFrame_);
  ailmentFrame_->hide();

  auto* paletteFrame = new QGroupBox(tr("Palette"), group);
  paletteText_ = WithId(new QLabel(paletteFrame), 1380);
  paletteText_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("FF")) + 4);
  changePalette_ = WithId(new QPushButton(tr("Change"), paletteFrame), 1381);
  swatches_ = new SwatchRow(kBattlePaletteColours, paletteFrame);
  auto* paletteRow = new QHBoxLayout(paletteFrame);
  paletteRow->addWidget(paletteText_);
  paletteRow->addWidget(changePalette_);
  paletteRow->addWidget(swatches_);
  paletteRow->addWidget(SharingLabel(*paletteText_), 1);

  auto* animationFrame = new QGroupBox(tr("Animation"), group);
  animation_ = WithId(new QComboBox(animationFrame), 1465);
  animation_->setMinimumContentsLength(QStringLiteral("Animation 00").size());
  animation_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  editAnimation_ = WithId(new QPushButton(tr("Edit"), animationFrame), 1406);
  // One above the other: side by side they would widen the widest page.
  auto* animationColumn = new QVBoxLayout(animationFrame);
  animationColumn->addWidget(animation_, 0, Qt::AlignLeft);
  animationColumn->addWidget(editAnimation_, 0, Qt::AlignLeft);
  animationColumn->addStretch(1);

  auto* grid = new QGridLayout(group);
  auto* typeLabel = new QLabel(tr("Spell type:"), group);
  typeLabel->setBuddy(type_);  // names the list's steps
  grid->addWidget(typeLabel, 0, 0);
  grid->addWidget(type_, 1, 0, 4, 1);
  grid->addLayout(numbers, 1, 1);
  grid->addWidget(elementFrame, 2, 1);
  grid->addWidget(paletteFrame, 3, 1);
  grid->addWidget(animationFrame, 4, 1);
  grid->addWidget(ailmentFrame_, 1, 2, 4, 1, Qt::AlignTop);
  grid->setRowStretch(4, 1);
  return group;
}

QGroupBox* SpellsPage::CreateRecordGroup() {
  auto* group = new QGroupBox(tr("Spell records"), this);
  recordGroup_ = group;
  records_ = WithId(new QListWidget(group), 1400);
  records_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Ultima Ultima 16")) + 40);
  aiSpell_ = WithId(new QComboBox(group), 1401);
  aiSpell_->setMinimumContentsLength(14);
  aiSpell_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  level_ = NumberBox(1402, group);
  aiAccuracy_ = NumberBox(1404, group);
  consumption_ = NumberBox(1403, group);
  targeting_ = WithId(new QListWidget(group), 1405);
  targeting_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Single target")) + 40);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("Spell:"), group), 0, 0);
  fields->addWidget(aiSpell_, 0, 1);
  fields->addWidget(new QLabel(tr("Level:"), group), 1, 0);
  fields->addWidget(level_, 1, 1, Qt::AlignLeft);
  fields->addWidget(new QLabel(tr("Accuracy:"), group), 2, 0);
  fields->addWidget(aiAccuracy_, 2, 1, Qt::AlignLeft);
  fields->addWidget(new QLabel(tr("Consumption:"), group), 3, 0);
  fields->addWidget(consumption_, 3, 1, Qt::AlignLeft);
  fields->addWidget(new QLabel(tr("Targetting:"), group), 4, 0, Qt::AlignTop);
  fields->addWidget(targeting_, 4, 1, Qt::AlignLeft);
  fields->setRowStretch(5, 1);

  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("AI list:"), group), 0, 0);
  grid->addWidget(WithFilter(records_), 1, 0);
  grid->addLayout(fields, 1, 1);
  return group;
}

void SpellsPage::ConnectWidgets() {
  connect(spells_, &QListWidget::currentRowChanged, this, &SpellsPage::SpellSelected);
  connect(records_, &QListWidget::currentRowChanged, this, &SpellsPage::RecordSelected);
  // The frame follows the type row while it is picked; the ticks stay.
  connect(type_, &QListWidget::currentRowChanged, this, &SpellsPage::ShowAilmentBoxes);
  connect(aiSpell_, &QComboBox::currentIndexChanged, this, &SpellsPage::UpdateAiRowText);
  connect(level_, &QLineEdit::textChanged, this, &SpellsPage::UpdateAiRowText);
  connect(changePalette_, &QPushButton::clicked, this, &SpellsPage::ChangePalette);
  connect(swatches_, &SwatchRow::swatchClicked, this, &SpellsPage::PickSwatchColour);
  connect(editAnimation_, &QPushButton::clicked, this, &SpellsPage::ShowAnimationNotice);
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); }, {spells_, records_});
  // A type or targeting row is stored however it is picked, by click or by
  // key (the type after its ailment boxes are shown).
  for (QListWidget* list : {type_, targeting_})
    connect(list, &QListWidget::currentRowChanged, this, [this, list] { CommitField(list); });
}

std::vector<QSignalBlocker> SpellsPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  for (QObject* object : std::initializer_list<QObject*>{spells_, records_, type_, aiSpell_, level_,
                                                         targeting_, animation_})
    blockers.emplace_back(object);
  return blockers;
}

void SpellsPage::refresh(const PageContext& context) {
  // Moving to other tables keeps the records in view and their edits; a new
  // image shows the remembered ones.
  const bool keep = context.reason == RefreshReason::TablesChanged && loadedSpell_ >= 0 &&
                    context.document == context_.document;
  if (keep && CanStore() && context.document->editable()) {
    StoreSpell();
    StoreRecord();
  }
  const int currentSpell = loadedSpell_;
  const int currentRecord = loadedRecord_;
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  swatches_->SetMasterPalette(context_.palette);
  RebuildLists();

  const int spell =
      ValidRow(keep ? currentSpell : context_.settings->Int(settings::kSelectedSpell), kSpellCount);
  const int record = ValidRow(
      keep ? currentRecord : context_.settings->Int(settings::kSelectedSpellAi), kSpellRecordCount);
  loadedSpell_ = spell;
  loadedRecord_ = record;
  ShowLoaded();
}

void SpellsPage::ShowLoaded() {
  {
    const auto blockers = BlockSignals();
    spells_->setCurrentRow(loadedSpell_);
    records_->setCurrentRow(loadedRecord_);
  }
  ShowSpell(loadedSpell_);
  ShowRecord(loadedRecord_);
}

void SpellsPage::RebuildLists() {
  const auto blockers = BlockSignals();
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::span<const uint8_t> image = view.image();
  const std::size_t shift = view.baseShift();

  // Every refresh takes the names of this image, so no row shows a spell
  // name left over from another ROM.
  RebuildSpellNameCache(image, view.baseShift(), dte, *context_.settings);

  FillList(type_, kSpellTypeNames);
  FillList(targeting_, kTargetingNames);

  aiSpell_->clear();
  aiSpell_->addItem(QString::fromLatin1(kUnusedSpellRecordText));
  aiSpell_->addItem(QString::fromLatin1(kAttackRowText));
  FillNameCombo(image, *aiSpell_, kSpellNameTable.count, 2, kSpellNameTable.offset + shift,
                kSpellNameTable.textBase + shift, dte);

  spells_->clear();
  FillNameList(image, *spells_, kSpellNameTable.count, 0, kSpellNameTable.offset + shift,
               kSpellNameTable.textBase + shift, dte);

  records_->clear();
  for (const std::string& name : SpellRecordNames(view, *context_.settings))
    records_->addItem(QString::fromStdString(name));

  animation_->clear();
  for (int row = 0; row < kAnimationRows; ++row)
    animation_->addItem(tr("Animation %1").arg(row));
}

void SpellsPage::ShowSpell(int row) {
  const auto blockers = BlockSignals();
  loadedSpell_ = row;
  spell_ = SpellData::Read(std::as_const(*context_.document).view(), row);
  SelectRow(type_, SpellTypeRow(spell_.type));
  Show(accuracy_, spell_.accuracy);
  Show(power_, spell_.power);
  const std::size_t shift = context_.document->baseShift();
  DescribeField(*accuracy_, {0, 0xFF}, SpellDataFieldPlace(row, spell::kAccuracy), shift);
  DescribeField(*power_, {0, 0xFF}, SpellDataFieldPlace(row, spell::kPower), shift);
  const BitBoxes ticks = BoxesOfBits(spell_.elements);
  for (int k = 0; k < kBitBoxCount; ++k)
    elements_[k]->setChecked(ticks[k]);
  palette_ = spell_.palette;
  ShowPalette();
  ShowStoredValue(*animation_, AnimationRow(spell_.animation), spell_.animation);
  // Hidden boxes hold their bits too, so storing keeps them.
  for (int box = 0; box < kSpellAilmentBoxes; ++box)
    ailments_[box]->setChecked((spell_.ailments & SpellAilmentBit(box)) != 0);
  ShowAilmentBoxes();
}

void SpellsPage::ShowAilmentBoxes() {
  const int typeRow = type_->currentRow();
  ailmentFrame_->setVisible(SpellAilmentFrameShown(typeRow));
  for (int box = 0; box < kSpellAilmentBoxes; ++box) {
    const bool shown = SpellAilmentBoxShown(typeRow, box);
    if (shown)
      ailments_[box]->setText(Text(SpellAilmentCaption(typeRow, box)));
    ailments_[box]->setVisible(shown);
  }
}

void SpellsPage::ShowPalette() {
  paletteText_->setText(FormatHex(palette_));
  ShowPaletteSharing(*paletteText_, std::as_const(*context_.document).view(), palette_);
  swatches_->ShowBattlePalette(std::as_const(*context_.document).view(), palette_);
}

void SpellsPage::ShowRecord(int row) {
  const auto blockers = BlockSignals();
  loadedRecord_ = row;
  record_ = SpellRecord::Read(std::as_const(*context_.document).view(), row);
  ShowStoredValue(*aiSpell_, AiSpellRow(record_.spell), record_.spell);
  Show(level_, record_.level);
  Show(aiAccuracy_, record_.accuracy);
  Show(consumption_, record_.consumption);
  namespace r = spell_record;
  const std::size_t shift = context_.document->baseShift();
  DescribeField(*level_, {kMinSpellLevel, kMaxSpellLevel}, SpellRecordFieldPlace(row, r::kLevel),
                shift);
  DescribeField(*aiAccuracy_, {0, kMaxSpellPercent}, SpellRecordFieldPlace(row, r::kAccuracy),
                shift);
  DescribeField(*consumption_, {0, kMaxSpellPercent}, SpellRecordFieldPlace(row, r::kConsumption),
                shift);
  SelectRow(targeting_, TargetingRow(record_.targeting));
}

SpellData SpellsPage::ReadSpellFields() const {
  SpellData r = spell_;
  if (const int row = type_->currentRow(); row >= 0)
    r.type = static_cast<uint8_t>(row);
  r.accuracy = ReadNumber(accuracy_).value_or(spell_.accuracy);
  r.power = ReadNumber(power_).value_or(spell_.power);
  BitBoxes ticks{};
  for (int k = 0; k < kBitBoxCount; ++k)
    ticks[k] = elements_[k]->isChecked();
  r.elements = BitsOfBoxes(ticks);
  r.ailments = 0;
  for (int box = 0; box < kSpellAilmentBoxes; ++box)
    if (ailments_[box]->isChecked())
      r.ailments |= SpellAilmentBit(box);
  r.palette = palette_;
  if (const std::optional<int> row = PickedRow(*animation_))
    r.animation = static_cast<uint8_t>(*row);
  return r;
}

SpellRecord SpellsPage::ReadRecordFields() const {
  SpellRecord r = record_;
  if (const std::optional<int> row = PickedRow(*aiSpell_))
    r.spell = AiSpellOfRow(*row);
  r.level = ReadNumber(level_).value_or(record_.level);
  r.accuracy = ReadNumber(aiAccuracy_).value_or(record_.accuracy);
  r.consumption = ReadNumber(consumption_).value_or(record_.consumption);
  if (const int row = targeting_->currentRow(); row >= 0)
    r.targeting = TargetingOfRow(row);
  return r;
}

bool SpellsPage::CanStore() const {
  return loadedSpell_ >= 0 && loadedRecord_ >= 0 && context_.document && context_.settings;
}

void SpellsPage::StoreSpell() {
  // Each edit was stored as it was made: this makes a step only for values
  // no edit stored. A read-only image still shows the selected records.
  CommitSpell(tr("Edit %1").arg(LoadedSpellName()));
  const int row = ValidRow(spells_->currentRow(), kSpellCount);
  context_.settings->SetInt(settings::kSelectedSpell, row);
  ShowSpell(row);
}

void SpellsPage::StoreRecord() {
  const int stored = loadedRecord_;
  CommitRecord(tr("Edit %1").arg(LoadedRecordName()));
  // The stored row reads as the image now holds it (a level of 40 shows 16).
  {
    const QSignalBlocker blocker(records_);
    const std::string name =
        SpellRecordName(std::as_const(*context_.document).view(), *context_.settings, stored);
    records_->item(stored)->setText(QString::fromStdString(name));
  }
  const int row = ValidRow(records_->currentRow(), kSpellRecordCount);
  context_.settings->SetInt(settings::kSelectedSpellAi, row);
  ShowRecord(row);
}

void SpellsPage::CommitSpell(const QString& text, const QString& mergeKey) {
  if (!CanStore())
    return;
  const int index = loadedSpell_;
  const SpellData fields = ReadSpellFields();
  CommitEdit(context_, this, {text, {kSpellsTab, index}, mergeKey},
             [&](const RomView& rom) { fields.Write(rom, index); });
}

void SpellsPage::CommitRecord(const QString& text, const QString& mergeKey) {
  if (!CanStore())
    return;
  const int index = loadedRecord_;
  const SpellRecord fields = ReadRecordFields();
  CommitEdit(context_, this, {text, {kSpellsTab, kSpellCount + index}, mergeKey},
             [&](const RomView& rom) { fields.Write(rom, index); });
}

void SpellsPage::CommitField(QWidget* field) {
  if (!CanStore())
    return;
  const QString caption = FieldCaption(*field);
  if (recordGroup_->isAncestorOf(field)) {
    CommitRecord(
        tr("Edit %1 of %2").arg(caption, LoadedRecordName()),
        QStringLiteral("spells/%1/%2").arg(kSpellCount + loadedRecord_).arg(field->objectName()));
  } else {
    CommitSpell(tr("Edit %1 of %2").arg(caption, LoadedSpellName()),
                QStringLiteral("spells/%1/%2").arg(loadedSpell_).arg(field->objectName()));
  }
}

QString SpellsPage::LoadedSpellName() const {
  const QListWidgetItem* item = spells_->item(loadedSpell_);
  return item != nullptr ? item->text() : QString();
}

QString SpellsPage::LoadedRecordName() const {
  // As stored, not as the row reads while its level is typed.
  return QString::fromStdString(SpellRecordText(*context_.settings, record_.spell, record_.level));
}

void SpellsPage::followImage(const ByteChange& change) {
  if (!CanStore())
    return;
  // The AI list rows name the spell records.
  const bool names = TouchesSpellRecordNames(change, context_.document->baseShift());
  if (names)
    RebuildLists();
  if (names || Touches(change, context_, kSpellData, kSpellDataSize * kSpellCount))
    ShowLoaded();
  else if (Touches(change, context_, kBattlePalettesOffset,
                   kBattlePaletteStride * kBattlePaletteColours))
    ShowPalette();
}

void SpellsPage::showPlace(const StepPlace& place) {
  if (place.record >= 0 && place.record < kSpellCount)
    spells_->setCurrentRow(place.record);
  else if (place.record >= kSpellCount && place.record < kSpellCount + kSpellRecordCount)
    records_->setCurrentRow(place.record - kSpellCount);
}

void SpellsPage::save() {
  if (!CanStore())
    return;
  StoreSpell();
  StoreRecord();
}

void SpellsPage::SpellSelected() {
  if (CanStore())
    StoreSpell();
}

void SpellsPage::RecordSelected() {
  if (CanStore())
    StoreRecord();
}

void SpellsPage::UpdateAiRowText() {
  if (loadedRecord_ < 0 || !context_.settings)
    return;
  const std::optional<int> row = PickedRow(*aiSpell_);
  const uint8_t spell = row ? AiSpellOfRow(*row) : record_.spell;
  const int level = ReadNumber(level_).value_or(record_.level);
  const QSignalBlocker blocker(records_);
  records_->item(loadedRecord_)
      ->setText(QString::fromStdString(SpellRecordText(*context_.settings, spell, level)));
}

void SpellsPage::ChangePalette() {
  if (loadedSpell_ < 0 || !context_.palette)
    return;
  const std::optional<uint8_t> chosen = ChooseBattlePalette(
      this, std::as_const(*context_.document).view(), *context_.palette, palette_);
  if (chosen)
    palette_ = *chosen;
  ShowPalette();
  // OK stores the palette number at once.
  if (chosen) {
    CommitSpell(tr("Edit Palette of %1").arg(LoadedSpellName()),
                QStringLiteral("spells/%1/%2").arg(loadedSpell_).arg(changePalette_->objectName()));
  }
}

void SpellsPage::PickSwatchColour(int k) {
  if (loadedSpell_ < 0 || !context_.palette || !context_.document->editable())
    return;
  // Written into the image at once: battle palettes are shared, not part of
  // the spell.
  PickBattlePaletteColour(*this, context_, {kSpellsTab, loadedSpell_}, palette_, k);
  ShowPalette();
}

void SpellsPage::ShowAnimationNotice() {
  prompts().Message(this, QString::fromLatin1(kAnimationNotice), MessageIcon::None);
}

}  // namespace kivo::ui
