#include "ui/editors/formation_page.h"

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
#include <algorithm>
#include <optional>
#include <utility>

#include "model/core/settings.h"
#include "model/editors/field_places.h"
#include "model/gfx/battle_palettes.h"
#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/field_info.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/sharing_label.h"
#include "ui/framework/tabs.h"
#include "ui/gfx/palettes_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/gfx/swatch_row.h"
#include "ui/text/label_dialog.h"

namespace kivo::ui {
namespace {

struct EnemyIds {
  int monster, least, greatest, palette2, picture;
};
constexpr std::array<EnemyIds, kFormationEnemies> kEnemyIds = {{
    {1267, 1466, 1467, 1275, 1474},
    {1268, 1468, 1469, 1276, 1475},
    {1269, 1470, 1471, 1277, 1476},
    {1270, 1472, 1473, 1278, 1477},
}};
constexpr std::array<int, 2> kPaletteTextIds = {1273, 1272};
constexpr std::array<int, 2> kChangePaletteIds = {1263, 1264};
constexpr int kMonsterIds = 128;

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

// A decimal number typed into the edit, or nothing when it holds none: an
// empty box keeps what the image has rather than storing 0.
std::optional<int> TypedDecimal(const QLineEdit& edit) {
  const QString text = edit.text().trimmed();
  int i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
    ++i;
  if (i >= text.size() || !text[i].isDigit())
    return std::nullopt;
  return ReadDecimal(edit);
}

int Clamp15(int value) {
  return std::clamp(value, 0, 15);
}

void Show(QLineEdit* edit, int value) {
  edit->setText(QString::number(value));
}

void ShowRow(QComboBox* combo, int value, int rows) {
  ShowStoredValue(*combo, value < rows ? std::optional<int>(value) : std::nullopt, value);
}

}  // namespace

FormationPage::FormationPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

QLineEdit* FormationPage::NumberBox(int id, int digits) {
  auto* box = WithId(new QLineEdit(this), id);
  AllowDigitsOnly(*box);
  box->setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
  return box;
}

void FormationPage::CreateWidgets() {
  auto* right = new QVBoxLayout;
  right->addWidget(CreateEnemyGroup());
  right->addWidget(CreateGraphicsGroup());
  right->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(CreateListColumn());
  layout->addLayout(right, 1);
  SetTabOrderFromLayout(*this);
}

QWidget* FormationPage::CreateListColumn() {
  auto* group = new QGroupBox(tr("Formations"), this);
  formations_ = WithId(new QListWidget(group), 1478);
  changeLabel_ = WithId(new QPushButton(tr("Change label"), group), 1257);
  formation2_ = WithId(new QCheckBox(tr("Formation 2"), group), 1260);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(WithFilter(formations_), 1);
  layout->addWidget(changeLabel_);
  layout->addWidget(formation2_);
  return group;
}

QWidget* FormationPage::CreateEnemyGroup() {
  auto* group = new QGroupBox(tr("Enemies"), this);
  monsterSet_ = WithId(new QComboBox(group), 1265);
  quantitySet_ = WithId(new QComboBox(group), 1266);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("Monster index:"), group), 0, 0);
  grid->addWidget(monsterSet_, 0, 1);
  grid->addWidget(new QLabel(tr("Quantity index:"), group), 0, 2, 1, 2);
  grid->addWidget(quantitySet_, 0, 4, 1, 3);
  for (int k = 0; k < kFormationEnemies; ++k) {
    const EnemyIds& ids = kEnemyIds[k];
    EnemyWidgets& e = enemies_[k];
    e.monster = WithId(new QComboBox(group), ids.monster);
    e.monster->setMinimumContentsLength(12);
    e.monster->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    e.least = NumberBox(ids.least, 3);
    e.greatest = NumberBox(ids.greatest, 3);
    e.palette2 = WithId(new QCheckBox(tr("Palette 2"), group), ids.palette2);
    e.picture = NumberBox(ids.picture, 3);
    const int row = k + 1;
    grid->addWidget(new QLabel(tr("Enemy %1").arg(k + 1), group), row, 0);
    grid->addWidget(e.monster, row, 1);
    grid->addWidget(new QLabel(tr("Qty:"), group), row, 2);
    grid->addWidget(e.least, row, 3);
    grid->addWidget(new QLabel(QStringLiteral("~"), group), row, 4);
    grid->addWidget(e.greatest, row, 5);
    grid->addWidget(e.palette2, row, 6);
    grid->addWidget(new QLabel(tr("Pic:"), group), row, 7);
    grid->addWidget(e.picture, row, 8);
  }
  // How many formations share each set, below its list.
  grid->addWidget(SharingLabel(*monsterSet_), kFormationEnemies + 1, 1);
  grid->addWidget(SharingLabel(*quantitySet_), kFormationEnemies + 1, 4, 1, 5);
  grid->setColumnStretch(9, 1);
  return group;
}

QWidget* FormationPage::CreateGraphicsGroup() {
  auto* group = new QGroupBox(tr("Graphics"), this);
  patternTable_ = WithId(new QComboBox(group), 1259);
  patternTable_->setMinimumContentsLength(16);
  changePatternLabel_ = WithId(new QPushButton(tr("Change label"), group), 1480);
  editPatternTables_ = WithId(new QPushButton(tr("Edit pattern tables"), group), 1479);
  editPatternTables_->setEnabled(false);  // pattern tables are not edited here
  extra_ = WithId(new QLineEdit(group), 1274);
  extra_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);

  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("Pattern table:"), group), 0, 0);
  grid->addWidget(patternTable_, 0, 1, 1, 2);
  grid->addWidget(changePatternLabel_, 0, 3);
  const std::array<QString, 2> captions = {tr("Palette 1:"), tr("Palette 2:")};
  for (int p = 0; p < 2; ++p) {
    paletteText_[p] = WithId(new QLabel(group), kPaletteTextIds[p]);
    paletteText_[p]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("FF")) + 4);
    changePalette_[p] = WithId(new QPushButton(tr("Change pal"), group), kChangePaletteIds[p]);
    swatches_[p] = new SwatchRow(kBattlePaletteColours, group);
    grid->addWidget(new QLabel(captions[p], group), p + 1, 0);
    grid->addWidget(paletteText_[p], p + 1, 1);
    auto* swatches = new QHBoxLayout;
    swatches->addWidget(swatches_[p]);
    swatches->addWidget(SharingLabel(*paletteText_[p]), 1);
    grid->addLayout(swatches, p + 1, 2);
    grid->addWidget(changePalette_[p], p + 1, 3);
  }
  grid->addWidget(new QLabel(tr("Unknown:"), group), 3, 0);
  grid->addWidget(extra_, 3, 1);
  grid->addWidget(editPatternTables_, 3, 3);

  auto* preview = new QGroupBox(tr("Preview"), group);
  auto* previewLayout = new QVBoxLayout(preview);
  previewLayout->addWidget(WithId(new QLabel(preview), 1258));
  grid->addWidget(preview, 0, 4, 4, 1);
  grid->setColumnStretch(4, 1);
  return group;
}

void FormationPage::ConnectWidgets() {
  connect(formations_, &QListWidget::currentRowChanged, this, &FormationPage::FormationSelected);
  connect(formation2_, &QCheckBox::clicked, this, &FormationPage::Formation2Clicked);
  connect(monsterSet_, &QComboBox::currentIndexChanged, this, &FormationPage::ShowMonsterSet);
  connect(quantitySet_, &QComboBox::currentIndexChanged, this, &FormationPage::ShowQuantitySet);
  for (QComboBox* set : {monsterSet_, quantitySet_})
    connect(set, &QComboBox::currentIndexChanged, this, &FormationPage::ShowSharedSets);
  connect(changeLabel_, &QPushButton::clicked, this, [this] {
    if (context_.settings)
      ChangeListLabel(this, *formations_, *context_.settings, GetLabelSet(LabelSetId::Formations));
  });
  connect(changePatternLabel_, &QPushButton::clicked, this, [this] {
    if (context_.settings)
      ChangeComboLabel(this, *patternTable_, *context_.settings,
                       GetLabelSet(LabelSetId::PatternTables));
  });
  // Change label needs a row; the lambdas never touch the lists, which may
  // already be half destroyed when they last signal.
  connect(formations_, &QListWidget::currentRowChanged, changeLabel_,
          [button = changeLabel_](int row) { button->setEnabled(row >= 0); });
  connect(patternTable_, &QComboBox::currentIndexChanged, changePatternLabel_,
          [button = changePatternLabel_](int row) { button->setEnabled(row >= 0); });
  for (int p = 0; p < 2; ++p) {
    connect(changePalette_[p], &QPushButton::clicked, this, [this, p] { ChangePalette(p); });
    connect(swatches_[p], &SwatchRow::swatchClicked, this,
            [this, p](int k) { PickSwatchColour(p, k); });
  }
  // "Formation 2" chooses which quantity byte is shown; it stores on its own.
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); },
                   {formations_, formation2_});
}

std::vector<QSignalBlocker> FormationPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  blockers.emplace_back(formations_);
  blockers.emplace_back(monsterSet_);
  blockers.emplace_back(quantitySet_);
  blockers.emplace_back(patternTable_);
  for (const EnemyWidgets& e : enemies_)
    blockers.emplace_back(e.monster);
  return blockers;
}

void FormationPage::refresh(const PageContext& context) {
  // New tables keep the formation in view with its unsaved edits; a new
  // image shows the remembered one.
  const bool keep = context.reason == RefreshReason::TablesChanged && loaded_ >= 0;
  if (keep)
    StoreLoaded();
  const int current = loaded_;
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  RebuildLists();
  formation2_->setChecked(context_.settings->Flag(settings::kFormation2));
  int index = keep ? current : context_.settings->Int(settings::kSelectedFormation);
  if (index < 0 || index >= kFormationCount)
    index = 0;  // never address a record outside the table
  for (SwatchRow* row : swatches_)
    row->SetMasterPalette(context_.palette);
  Load(index);
}

void FormationPage::RebuildLists() {
  const auto blockers = BlockSignals();
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::size_t shift = view.baseShift();

  formations_->clear();
  for (const std::string& text : RowTexts(*context_.settings, GetLabelSet(LabelSetId::Formations)))
    formations_->addItem(QString::fromStdString(text));
  patternTable_->clear();
  for (const std::string& text :
       RowTexts(*context_.settings, GetLabelSet(LabelSetId::PatternTables)))
    patternTable_->addItem(QString::fromStdString(text));
  monsterSet_->clear();
  for (int m = 0; m < kMonsterSetCount; ++m)
    monsterSet_->addItem(tr("Index %1").arg(m));
  quantitySet_->clear();
  for (int q = 0; q < kQuantitySetCount; ++q)
    quantitySet_->addItem(tr("Index %1").arg(q));
  for (EnemyWidgets& e : enemies_) {
    e.monster->clear();
    FillNameCombo(view.image(), *e.monster, kMonsterIds, 0, kMonsterNameTable.offset + shift,
                  kMonsterNameTable.textBase + shift, dte);
  }
}

void FormationPage::Load(int f) {
  const auto blockers = BlockSignals();
  const ConstRomView view = std::as_const(*context_.document).view();
  loaded_ = f;
  record_ = FormationRecord::Read(view, f);
  palettes_ = record_.palettes;
  formation2Shown_ = formation2_->isChecked();
  context_.settings->SetInt(settings::kSelectedFormation, f);
  formations_->setCurrentRow(f);
  ShowRow(monsterSet_, record_.monsterSet, kMonsterSetCount);
  ShowRow(quantitySet_, record_.quantitySet(formation2Shown_), kQuantitySetCount);
  for (int k = 0; k < kFormationEnemies; ++k) {
    enemies_[k].palette2->setChecked(record_.usesPalette2[k]);
    Show(enemies_[k].picture, record_.pictures[k]);
  }
  extra_->setText(FormatHex(ReadFormationExtra(view, f)));
  // The extra byte keeps the low byte of what is typed.
  DescribeField(*extra_, {0, 0xFF, true, false}, FormationExtraPlace(f), view.baseShift());
  for (int k = 0; k < kFormationEnemies; ++k)
    DescribeField(*enemies_[k].picture, {0, kMaxPicture}, PicturePlace(f, k), view.baseShift());
  patternTable_->setCurrentIndex(record_.patternTable);
  ShowMonsterSet();
  ShowQuantitySet();
  ShowPalettes();
  ShowFormationTips();
}

void FormationPage::ShowMonsterSet() {
  if (!context_.document)
    return;
  const std::optional<int> row = PickedRow(*monsterSet_);
  const MonsterSet set = ReadMonsterSet(std::as_const(*context_.document).view(), row.value_or(-1));
  for (int k = 0; k < kFormationEnemies; ++k) {
    QComboBox* combo = enemies_[k].monster;
    const QSignalBlocker blocker(combo);
    // With no set row there is nothing to edit: the set index is kept.
    combo->setEnabled(row.has_value());
    if (row)
      ShowRow(combo, set[k], kMonsterIds);
    else
      ShowStoredValue(*combo, std::nullopt, record_.monsterSet);
  }
}

void FormationPage::ShowQuantitySet() {
  if (!context_.document)
    return;
  const std::optional<int> row = PickedRow(*quantitySet_);
  const QuantitySet set =
      ReadQuantitySet(std::as_const(*context_.document).view(), row.value_or(-1));
  for (int k = 0; k < kFormationEnemies; ++k) {
    EnemyWidgets& e = enemies_[k];
    e.least->setEnabled(row.has_value());
    e.greatest->setEnabled(row.has_value());
    if (row) {
      Show(e.least, set[k].least);
      Show(e.greatest, set[k].greatest);
      const std::size_t shift = context_.document->baseShift();
      DescribeField(*e.least, {0, kMaxQuantity}, QuantityPlace(*row, k, false), shift);
      DescribeField(*e.greatest, {0, kMaxQuantity}, QuantityPlace(*row, k, true), shift);
    } else {
      e.least->clear();
      e.greatest->clear();
    }
  }
}

void FormationPage::ShowPalettes() {
  const ConstRomView view = std::as_const(*context_.document).view();
  for (int p = 0; p < 2; ++p) {
    paletteText_[p]->setText(FormatHex(palettes_[p]));
    swatches_[p]->ShowBattlePalette(view, palettes_[p]);
  }
  ShowSharedSets();
}

void FormationPage::StoreLoaded() {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  Commit(tr("Edit %1").arg(formations_->item(loaded_)->text()));
  const int selected = formations_->currentRow();
  context_.settings->SetInt(settings::kSelectedFormation, selected >= 0 ? selected : loaded_);
  context_.settings->SetFlag(settings::kFormation2, formation2_->isChecked());
}

void FormationPage::Commit(const QString& text, const QString& mergeKey) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  CommitEdit(context_, this, {text, {kFormationTab, loaded_}, mergeKey},
             [this](const RomView& rom) { Store(rom); });
}

void FormationPage::CommitField(QWidget* field) {
  if (loaded_ < 0)
    return;
  Commit(tr("Edit %1 of %2").arg(Caption(*field), formations_->item(loaded_)->text()),
         QStringLiteral("formation/%1/%2").arg(loaded_).arg(field->objectName()));
}

QString FormationPage::Caption(const QWidget& field) const {
  for (int k = 0; k < kFormationEnemies; ++k) {
    const EnemyWidgets& e = enemies_[k];
    // The greatest number's label is the "~" between the two.
    const QWidget* named = &field == e.greatest ? e.least : &field;
    if (named == e.least || named == e.palette2 || named == e.picture)
      return tr("Enemy %1 %2").arg(k + 1).arg(FieldCaption(*named));
  }
  return FieldCaption(field);
}

void FormationPage::Store(const RomView& rom) const {
  // Clamped values reach the image; a box keeps its text as typed until the
  // formation is shown again.
  FormationRecord r = record_;
  const std::optional<int> monsterRow = PickedRow(*monsterSet_);
  const std::optional<int> quantityRow = PickedRow(*quantitySet_);
  // An index with no row is kept, and no set is written through it.
  if (monsterRow)
    r.monsterSet = static_cast<uint8_t>(*monsterRow);
  if (quantityRow)
    r.quantitySet(formation2Shown_) = static_cast<uint8_t>(*quantityRow);

  if (quantityRow) {
    QuantitySet set = ReadQuantitySet(rom, *quantityRow);
    for (int k = 0; k < kFormationEnemies; ++k) {
      if (const std::optional<int> least = TypedDecimal(*enemies_[k].least))
        set[k].least = Clamp15(*least);
      if (const std::optional<int> greatest = TypedDecimal(*enemies_[k].greatest))
        set[k].greatest = Clamp15(*greatest);
    }
    WriteQuantitySet(rom, *quantityRow, set);
  }
  if (monsterRow) {
    MonsterSet set = ReadMonsterSet(rom, *monsterRow);
    for (int k = 0; k < kFormationEnemies; ++k) {
      if (const std::optional<int> id = PickedRow(*enemies_[k].monster))
        set[k] = static_cast<uint8_t>(*id);
    }
    WriteMonsterSet(rom, *monsterRow, set);
  }
  for (int k = 0; k < kFormationEnemies; ++k) {
    r.usesPalette2[k] = enemies_[k].palette2->isChecked();
    if (const std::optional<int> picture = TypedDecimal(*enemies_[k].picture))
      r.pictures[k] = Clamp15(*picture);
  }
  if (const std::optional<int> row = PickedRow(*patternTable_))
    r.patternTable = *row;
  r.palettes = palettes_;
  r.Write(rom, loaded_);
  if (const std::optional<int32_t> extra = ScanHex(extra_->text().toStdString()))
    WriteFormationExtra(rom, loaded_, static_cast<uint8_t>(*extra & 0xFF));
}

void FormationPage::followImage(const ByteChange& change) {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  const auto touches = [&](std::size_t offset, std::size_t length) {
    return Touches(change, context_, offset, length);
  };
  const bool shown = touches(kFormationRecords, kFormationRecordSize * kFormationCount) ||
                     touches(kFormationExtraBytes, kFormationCount) ||
                     touches(kMonsterSets, kSetRowSize * kMonsterSetCount) ||
                     touches(kQuantitySets, kSetRowSize * kQuantitySetCount);
  if (TouchesText(change, context_.document->baseShift())) {
    RebuildLists();  // the monster names
  } else if (!shown) {
    // Palette colours are shared with other formations and other pages.
    if (touches(kBattlePalettesOffset, kBattlePaletteStride * kBattlePaletteColours))
      ShowPalettes();
    return;
  }
  Load(loaded_);
}

void FormationPage::showPlace(const StepPlace& place) {
  if (place.record >= 0 && place.record < kFormationCount)
    formations_->setCurrentRow(place.record);
}

void FormationPage::save() {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  StoreLoaded();
  Load(loaded_);
}

void FormationPage::FormationSelected(int row) {
  if (row < 0 || row >= kFormationCount || loaded_ < 0)
    return;
  StoreLoaded();
  Load(row);
}

void FormationPage::Formation2Clicked() {
  if (loaded_ < 0)
    return;
  // The store writes the index into the byte shown so far; the show then
  // brings up the other byte.
  StoreLoaded();
  Load(loaded_);
}

void FormationPage::ChangePalette(int which) {
  if (loaded_ < 0 || !context_.palette)
    return;
  const std::optional<uint8_t> chosen = ChooseBattlePalette(
      this, std::as_const(*context_.document).view(), *context_.palette, palettes_[which]);
  if (chosen)
    palettes_[which] = *chosen;
  ShowPalettes();
  if (chosen) {
    Commit(tr("Edit %1 of %2")
               .arg(FieldCaption(*paletteText_[which]), formations_->item(loaded_)->text()));
  }
}

void FormationPage::PickSwatchColour(int which, int k) {
  if (loaded_ < 0 || !context_.palette || !context_.document->editable())
    return;
  // Written into the image at once: every formation using the palette changes.
  PickBattlePaletteColour(*this, context_, {kFormationTab, loaded_}, palettes_[which], k);
  ShowPalettes();
}

}  // namespace kivo::ui
