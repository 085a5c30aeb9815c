// The Equipment page's widgets: built in one place, connected in another.
#include "ui/editors/equipment_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string_view>

#include "model/core/settings.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/sharing_label.h"
#include "ui/gfx/swatch_row.h"

namespace kivo::ui {
namespace {

// Box ids by bit (bit k at index k).
constexpr std::array<int, kBitBoxCount> kWeaponElementIds = {1457, 1458, 1459, 1460,
                                                             1461, 1462, 1463, 1464};
constexpr std::array<int, kBitBoxCount> kArmourElementIds = {1019, 1021, 1020, 1022,
                                                             1023, 1024, 1025, 1026};
constexpr std::array<int, kBitBoxCount> kRaceIds = {1201, 1205, 1202, 1206, 1203, 1207, 1204, 1208};
constexpr int kFirstAilmentId = 1125;

// Eight boxes in two columns, bit k at row k / 2, column k % 2.
std::array<QCheckBox*, kBitBoxCount> BitBoxGroup(QGroupBox* group,
                                                 const std::array<std::string_view, 8>& names,
                                                 const std::array<int, kBitBoxCount>& ids) {
  std::array<QCheckBox*, kBitBoxCount> boxes{};
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(2);
  for (int k = 0; k < kBitBoxCount; ++k) {
    const std::string_view name = names[k];
    boxes[k] = WithId(new QCheckBox(QString::fromUtf8(name.data(), name.size()), group), ids[k]);
    grid->addWidget(boxes[k], k / 2, k % 2);
  }
  return boxes;
}

}  // namespace

EquipmentPage::EquipmentPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

QLineEdit* EquipmentPage::NumberBox(int id, QWidget* parent) {
  auto* box = WithId(new QLineEdit(parent), id);
  AllowDigitsOnly(*box);
  box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
  return box;
}

void EquipmentPage::CreateWidgets() {
  weapons_ = WithId(new QListWidget(this), 1454);
  armours_ = WithId(new QListWidget(this), 1456);
  const int listWidth = fontMetrics().horizontalAdvance(QStringLiteral("Silver Shield")) + 40;
  weapons_->setFixedWidth(listWidth);
  armours_->setFixedWidth(listWidth);

  auto* layout = new QGridLayout(this);
  layout->addWidget(WithFilter(weapons_), 0, 0);
  layout->addWidget(CreateWeaponGroup(), 0, 1);
  layout->addWidget(WithFilter(armours_), 1, 0);
  layout->addWidget(CreateArmourGroup(), 1, 1);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(0, 3);
  layout->setRowStretch(1, 1);
  SetTabOrderFromLayout(*this);
}

QGroupBox* EquipmentPage::CreateWeaponGroup() {
  auto* group = new QGroupBox(tr("Weapon stats"), this);

  type_ = WithId(new QComboBox(group), 1199);
  castSpell_ = WithId(new QComboBox(group), 1064);
  castSpell_->setMinimumContentsLength(16);
  castSpell_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  attack_ = NumberBox(1195, group);
  accuracy_ = NumberBox(1196, group);
  evade_ = NumberBox(1197, group);
  weaponPenalty_ = NumberBox(1198, group);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("Type:"), group), 0, 0);
  fields->addWidget(type_, 0, 1, 1, 3);
  fields->addWidget(new QLabel(tr("Cast spell:"), group), 1, 0);
  fields->addWidget(castSpell_, 1, 1, 1, 3);
  fields->addWidget(new QLabel(tr("Attack:"), group), 2, 0);
  fields->addWidget(attack_, 2, 1);
  fields->addWidget(new QLabel(tr("Accuracy:"), group), 3, 0);
  fields->addWidget(accuracy_, 3, 1);
  fields->addWidget(new QLabel(tr("Evade%:"), group), 2, 2, Qt::AlignRight);
  fields->addWidget(evade_, 2, 3);
  fields->addWidget(new QLabel(tr("Int/Soul penalty:"), group), 3, 2, Qt::AlignRight);
  fields->addWidget(weaponPenalty_, 3, 3);
  fields->setColumnStretch(2, 1);
  fields->setRowStretch(4, 1);

  elementGroup_ = WithId(new QGroupBox(tr(kElementalAttackCaption), group), 1455);
  weaponElements_ = BitBoxGroup(elementGroup_, kElementNames, kWeaponElementIds);
  auto* raceGroup = new QGroupBox(tr("Added damage to"), group);
  races_ = BitBoxGroup(raceGroup, kRaceNames, kRaceIds);

  auto* grid = new QGridLayout(group);
  grid->addLayout(fields, 0, 0);
  grid->addWidget(CreateGraphicsGroup(group), 0, 1, 1, 2);
  grid->addWidget(CreateEffectGroup(group), 1, 0);
  grid->addWidget(elementGroup_, 1, 1);
  grid->addWidget(raceGroup, 1, 2);
  grid->setRowStretch(2, 1);
  return group;
}

QGroupBox* EquipmentPage::CreateEffectGroup(QWidget* parent) {
  auto* group = new QGroupBox(tr("Added effect"), parent);
  effects_ = WithId(new QListWidget(group), 1194);
  // Wide enough for the default names; a longer label is elided.
  effects_->setFixedWidth(
      fontMetrics().horizontalAdvance(QStringLiteral("Inflict permanent ailment")) +
      2 * effects_->frameWidth() + 12);
  effects_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  changeLabels_ = WithId(new QPushButton(tr("Change labels"), group), 1452);

  // The boxes keep their room while hidden, and their column is wide enough
  // for a label of full length, so showing them for another effect row, with
  // whatever labels, moves nothing else on the page.
  auto* column = new QWidget(group);
  auto* boxes = new QVBoxLayout(column);
  boxes->setContentsMargins(0, 0, 0, 0);
  boxes->setSpacing(2);
  for (int box = 0; box < kAilmentBoxCount; ++box) {
    // A caption until the labels give theirs, so a hidden box has the height of one shown.
    ailments_[box] =
        WithId(new QCheckBox(QStringLiteral("Confusion"), column), kFirstAilmentId + box);
    KeepRoomWhenHidden(*ailments_[box]);
    boxes->addWidget(ailments_[box]);
  }
  boxes->addStretch(1);
  const int longestLabel = static_cast<int>(settings::kPermanentAilmentLabels.width) - 1;
  column->setFixedWidth(ailments_[0]->sizeHint().width() -
                        fontMetrics().horizontalAdvance(ailments_[0]->text()) +
                        fontMetrics().horizontalAdvance(QString(longestLabel, u'W')));
  for (QCheckBox* box : ailments_)
    box->hide();

  auto* grid = new QGridLayout(group);
  grid->addWidget(effects_, 0, 0);
  grid->addWidget(column, 0, 1, 2, 1);
  grid->addWidget(changeLabels_, 1, 0, Qt::AlignLeft);
  return group;
}

QGroupBox* EquipmentPage::CreateGraphicsGroup(QWidget* parent) {
  auto* group = new QGroupBox(tr("Graphics"), parent);
  paletteText_ = WithId(new QLabel(QString::fromLatin1(kNoPaletteText), group), 1453);
  paletteText_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("FF")) + 4);
  changePalette_ = WithId(new QPushButton(tr("Change pal"), group), 1200);
  changePalette_->setEnabled(false);
  editGraphics_ = WithId(new QPushButton(tr("Edit Gfx"), group), 1124);
  editGraphics_->setEnabled(false);  // weapon graphics are not edited here
  swatches_ = new SwatchRow(kBattlePaletteColours, group);

  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("Palette:"), group), 0, 0);
  grid->addWidget(paletteText_, 0, 1);
  grid->addWidget(swatches_, 0, 2);
  grid->addWidget(SharingLabel(*paletteText_), 0, 3, 1, 2);
  grid->addWidget(changePalette_, 1, 0, 1, 2);
  grid->addWidget(editGraphics_, 1, 2, 1, 2);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(2, 1);
  return group;
}

QGroupBox* EquipmentPage::CreateArmourGroup() {
  auto* group = new QGroupBox(tr("Armor stats"), this);
  armourGroup_ = group;
  defence_ = NumberBox(1015, group);
  evadePenalty_ = NumberBox(1016, group);
  magicDefence_ = NumberBox(1017, group);
  armourPenalty_ = NumberBox(1018, group);
  statBoost_ = WithId(new QComboBox(group), 1013);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("Defense:"), group), 0, 0);
  fields->addWidget(defence_, 0, 1);
  fields->addWidget(new QLabel(tr("Evade penalty:"), group), 1, 0);
  fields->addWidget(evadePenalty_, 1, 1);
  fields->addWidget(new QLabel(tr("Magic defense:"), group), 0, 2);
  fields->addWidget(magicDefence_, 0, 3);
  fields->addWidget(new QLabel(tr("Int/Soul penalty:"), group), 1, 2);
  fields->addWidget(armourPenalty_, 1, 3);
  fields->addWidget(new QLabel(tr("Stat boost:"), group), 2, 0);
  fields->addWidget(statBoost_, 2, 1, 1, 3);
  fields->setRowStretch(3, 1);

  auto* elements = WithId(new QGroupBox(tr(kElementalDefenceCaption), group), 1218);
  armourElements_ = BitBoxGroup(elements, kElementNames, kArmourElementIds);

  auto* layout = new QHBoxLayout(group);
  layout->addLayout(fields);
  layout->addWidget(elements);
  layout->addStretch(1);
  return group;
}

void EquipmentPage::ConnectWidgets() {
  connect(weapons_, &QListWidget::currentRowChanged, this, &EquipmentPage::RowSelected);
  connect(armours_, &QListWidget::currentRowChanged, this, &EquipmentPage::RowSelected);
  connect(type_, &QComboBox::currentIndexChanged, this, &EquipmentPage::ShowElementCaption);
  connect(effects_, &QListWidget::currentRowChanged, this, &EquipmentPage::ShowAilmentBoxes);
  connect(changeLabels_, &QPushButton::clicked, this, &EquipmentPage::ChangeLabels);
  connect(changePalette_, &QPushButton::clicked, this, &EquipmentPage::ChangePalette);
  connect(swatches_, &SwatchRow::swatchClicked, this, &EquipmentPage::PickSwatchColour);
  // "Edit Gfx" has no command.
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); }, {weapons_, armours_});
  // An effect row is stored however it is picked, by click or by key, after
  // its ailment boxes are shown.
  connect(effects_, &QListWidget::currentRowChanged, this, [this] { CommitField(effects_); });
}

}  // namespace kivo::ui
