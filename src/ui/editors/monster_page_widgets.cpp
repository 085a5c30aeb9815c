// The Monster page's controls: their ids, groups and connections.

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
#include <QStyle>
#include <QVBoxLayout>

#include "ui/editors/monster_page.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/sharing_label.h"

namespace kivo::ui {
namespace {

struct ValueIds {
  const char* label;
  int index;
  int box;
};
constexpr ValueIds kHpIds{"HP:", 1075, 1031};
constexpr ValueIds kMpIds{"MP:", 1076, 1032};
// In MonsterStat order.
constexpr std::array<ValueIds, kMonsterStatCount> kStatIds = {{
    {"Hits:", 1080, 1036},
    {"Blocks:", 1081, 1037},
    {"M.Def:", 1082, 1038},
    {"Acc:", 1083, 1039},
    {"Evade:", 1084, 1040},
    {"M.Eva:", 1085, 1041},
    {"Str:", 1077, 1033},
    {"Def:", 1078, 1034},
    {"Morale:", 1079, 1035},
}};

struct BitGroupInfo {
  const char* title;
  int setId;
  std::array<int, kBitBoxCount> boxIds;
  MonsterIndex index;
  const ValueTable* table;
  uint8_t MonsterFields::*bits;
  const std::array<std::string_view, kBitBoxCount>* names;
};
constexpr std::array<BitGroupInfo, 4> kBitGroups = {{
    {"Monster race",
     1086,
     {1087, 1088, 1089, 1090, 1091, 1092, 1093, 1094},
     MonsterIndex::RaceSet,
     &kRaceSets,
     &MonsterFields::race,
     &kRaceNames},
    {"Elemental resist",
     1095,
     {1096, 1097, 1098, 1099, 1100, 1101, 1102, 1103},
     MonsterIndex::ResistSet,
     &kResistSets,
     &MonsterFields::resist,
     &kElementNames},
    {"Elemental absorb",
     1219,
     {1239, 1240, 1241, 1242, 1243, 1244, 1245, 1246},
     MonsterIndex::AbsorbSet,
     &kElementSets,
     &MonsterFields::absorb,
     &kElementNames},
    {"Elemental weakness",
     1220,
     {1247, 1249, 1250, 1251, 1252, 1253, 1254, 1255},
     MonsterIndex::WeaknessSet,
     &kElementSets,
     &MonsterFields::weakness,
     &kElementNames},
}};

constexpr int kEffectSetId = 1115;
constexpr int kEffectListId = 1114;
constexpr int kFirstAilmentId = 1116;
constexpr int kFirstActionId = 1106;
constexpr std::array<int, kSlotsPerGroup> kSpoilsIds = {1123, 1068, 1069, 1070,
                                                        1071, 1072, 1073, 1074};
constexpr std::array<int, kSlotsPerGroup> kGilButtonIds = {1423, 1424, 1419, 1420,
                                                           1417, 1418, 1421, 1422};

// Rows of the value groups: HP, MP, or a MonsterStat.
constexpr int kHpRow = -2;
constexpr int kMpRow = -1;
constexpr int Row(MonsterStat stat) {
  return static_cast<int>(stat);
}

}  // namespace

QComboBox* MonsterPage::IndexList(QWidget* parent, int id) {
  QComboBox* combo = NameList(parent, id, QStringLiteral("Index 99").size());
  combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return combo;
}

QComboBox* MonsterPage::NameList(QWidget* parent, int id, int minimumChars) {
  auto* combo = WithId(new QComboBox(parent), id);
  combo->setMinimumContentsLength(minimumChars);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

void MonsterPage::CreateWidgets() {
  monsters_ = WithId(new QListWidget(this), 1067);
  // Room for the longest names without a horizontal scroll bar.
  monsters_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  monsters_->setFixedWidth(fontMetrics().averageCharWidth() * 18 +
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);

  auto* values = new QVBoxLayout;
  using S = MonsterStat;
  values->addWidget(CreateValueGroup(tr("HP/MP"), {kHpRow, kMpRow}));
  values->addWidget(CreateValueGroup(tr("Strength/Defense/Morale"),
                                     {Row(S::Strength), Row(S::Defence), Row(S::Morale)}));
  values->addWidget(CreateValueGroup(tr("Hits/Blocks/Magic Def"),
                                     {Row(S::Hits), Row(S::Blocks), Row(S::MagicDefence)}));
  values->addWidget(CreateValueGroup(tr("Hit%/Evade/Magic Evade"),
                                     {Row(S::Accuracy), Row(S::Evade), Row(S::MagicEvade)}));
  values->addStretch(1);

  auto* bits = new QVBoxLayout;
  for (int g = 0; g < static_cast<int>(kBitGroups.size()); ++g)
    bits->addWidget(CreateBitGroup(g));
  bits->addStretch(1);

  auto* effectAndAi = new QVBoxLayout;
  effectAndAi->addWidget(CreateEffectGroup());
  effectAndAi->addWidget(CreateAiGroup());
  effectAndAi->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(values);
  columns->addLayout(bits);
  columns->addLayout(effectAndAi, 1);

  auto* right = new QVBoxLayout;
  right->addLayout(columns);
  right->addWidget(CreateSpoilsGroup());
  right->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(WithFilter(monsters_));
  layout->addLayout(right, 1);
  SetTabOrderFromLayout(*this);
}

QGroupBox* MonsterPage::CreateValueGroup(const QString& title, std::initializer_list<int> rows) {
  auto* group = new QGroupBox(title, this);
  auto* grid = new QGridLayout(group);
  int line = 0;
  for (int row : rows) {
    const bool word = row < 0;  // HP and MP are 16-bit
    const ValueIds& ids = row == kHpRow ? kHpIds : row == kMpRow ? kMpIds : kStatIds[row];
    ValueWidgets& widgets = row == kHpRow ? hp_ : row == kMpRow ? mp_ : stats_[row];
    widgets.index = IndexList(group, ids.index);
    widgets.box = WithId(new QLineEdit(group), ids.box);
    AllowDigitsOnly(*widgets.box);
    widgets.box->setFixedWidth(fontMetrics().horizontalAdvance(QString(word ? 5 : 3, u'0')) + 14);
    grid->addWidget(new QLabel(tr(ids.label), group), line, 0);
    grid->addWidget(widgets.index, line, 1);
    grid->addWidget(widgets.box, line, 2);
    grid->addWidget(SharingLabel(*widgets.index), line, 3);
    ++line;
  }
  grid->setColumnStretch(4, 1);
  return group;
}

QGroupBox* MonsterPage::CreateBitGroup(int g) {
  const BitGroupInfo& info = kBitGroups[g];
  auto* group = new QGroupBox(tr(info.title), this);
  BitGroup& widgets = bitGroups_[g];
  widgets.set = IndexList(group, info.setId);
  widgets.index = info.index;
  widgets.table = info.table;
  widgets.bits = info.bits;
  auto* grid = new QGridLayout(group);
  grid->addWidget(widgets.set, 0, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(SharingLabel(*widgets.set), 0, 2, 1, 2);
  for (int k = 0; k < kBitBoxCount; ++k) {
    const QString name = QString::fromLatin1((*info.names)[k].data(), (*info.names)[k].size());
    widgets.boxes[k] = WithId(new QCheckBox(name, group), info.boxIds[k]);
    grid->addWidget(widgets.boxes[k], 1 + k / 4, k % 4);
  }
  return group;
}

QGroupBox* MonsterPage::CreateEffectGroup() {
  auto* group = new QGroupBox(tr("Added effect"), this);
  effectSet_ = IndexList(group, kEffectSetId);
  effects_ = WithId(new QListWidget(group), kEffectListId);
  effects_->setMinimumWidth(fontMetrics().averageCharWidth() * 26);
  changeEffectLabels_ = WithId(new QPushButton(tr("Change labels"), group), 1451);
  auto* boxes = new QVBoxLayout;
  boxes->setSpacing(2);
  for (int k = 0; k < kAilmentBoxCount; ++k) {
    ailments_[k] = WithId(new QCheckBox(group), kFirstAilmentId + k);
    ailments_[k]->setMinimumWidth(fontMetrics().averageCharWidth() * 13);
    KeepRoomWhenHidden(*ailments_[k]);
    ailments_[k]->hide();
    boxes->addWidget(ailments_[k]);
  }
  boxes->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(effectSet_);
  top->addWidget(SharingLabel(*effectSet_));
  top->addStretch(1);
  top->addWidget(changeEffectLabels_);
  auto* body = new QHBoxLayout;
  body->addWidget(effects_, 1);
  body->addLayout(boxes);
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(top);
  layout->addLayout(body);
  return group;
}

QGroupBox* MonsterPage::CreateAiGroup() {
  auto* group = new QGroupBox(tr("AI"), this);
  aiPack_ = NameList(group, 1104, 16);
  changeAiLabel_ = WithId(new QPushButton(tr("Change label"), group), 1105);
  auto* grid = new QGridLayout(group);
  grid->addWidget(aiPack_, 0, 0, 1, 3);
  grid->addWidget(changeAiLabel_, 0, 3);
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    actions_[k] = NameList(group, kFirstActionId + k, 10);
    const int row = 1 + k % 4;
    const int column = 2 * (k / 4);
    grid->addWidget(new QLabel(QStringLiteral("%1:").arg(k + 1), group), row, column);
    grid->addWidget(actions_[k], row, column + 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return group;
}

QGroupBox* MonsterPage::CreateSpoilsGroup() {
  auto* group = new QGroupBox(tr("Spoils"), this);
  spoilsSet_ = IndexList(group, 1045);
  auto* grid = new QGridLayout(group);
  grid->addWidget(spoilsSet_, 0, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(SharingLabel(*spoilsSet_), 0, 2, 1, 2);
  constexpr int kColumns = 4;
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    spoils_[k] = NameList(group, kSpoilsIds[k], 11);
    gilButtons_[k] = WithId(new QPushButton(tr("Change gil"), group), kGilButtonIds[k]);
    KeepRoomWhenHidden(*gilButtons_[k]);
    gilButtons_[k]->hide();
    const int row = 1 + k / kColumns;
    const int column = 2 * (k % kColumns);
    grid->addWidget(spoils_[k], row, column);
    grid->addWidget(gilButtons_[k], row, column + 1);
    grid->setColumnStretch(column, 1);
  }
  return group;
}

void MonsterPage::ConnectWidgets() {
  connect(monsters_, &QListWidget::currentRowChanged, this, &MonsterPage::MonsterSelected);
  connect(hp_.index, &QComboBox::currentIndexChanged, this,
          [this] { ShowValue(hp_, kHpMpValues); });
  connect(mp_.index, &QComboBox::currentIndexChanged, this,
          [this] { ShowValue(mp_, kHpMpValues); });
  for (int s = 0; s < kMonsterStatCount; ++s) {
    connect(stats_[s].index, &QComboBox::currentIndexChanged, this,
            [this, s] { ShowValue(stats_[s], TableOfStat(static_cast<MonsterStat>(s))); });
  }
  for (int g = 0; g < static_cast<int>(bitGroups_.size()); ++g) {
    connect(bitGroups_[g].set, &QComboBox::currentIndexChanged, this,
            [this, g] { ShowBitGroup(g); });
  }
  connect(effectSet_, &QComboBox::currentIndexChanged, this, &MonsterPage::ShowEffectSet);
  connect(effects_, &QListWidget::currentRowChanged, this, &MonsterPage::ShowAilmentBoxes);
  connect(changeEffectLabels_, &QPushButton::clicked, this,
          &MonsterPage::ChangeEffectLabelsClicked);
  connect(spoilsSet_, &QComboBox::currentIndexChanged, this, &MonsterPage::ShowSpoilsSet);
  for (int k = 0; k < kSlotsPerGroup; ++k) {
    connect(spoils_[k], &QComboBox::currentIndexChanged, this, [this, k] { ShowGilButton(k); });
    connect(gilButtons_[k], &QPushButton::clicked, this, [this, k] { ChangeGil(k); });
  }
  connect(aiPack_, &QComboBox::currentIndexChanged, this, &MonsterPage::ShowAiPack);
  connect(changeAiLabel_, &QPushButton::clicked, this, &MonsterPage::ChangeAiLabel);
  // Every edit is stored as it is made; the effect row by keys as well as clicks.
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); }, {monsters_, effects_});
  connect(effects_, &QListWidget::currentRowChanged, this, [this] { CommitField(effects_); });
}

std::vector<QSignalBlocker> MonsterPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  blockers.emplace_back(monsters_);
  blockers.emplace_back(effects_);
  for (QComboBox* combo : {hp_.index, mp_.index, effectSet_, aiPack_, spoilsSet_})
    blockers.emplace_back(combo);
  for (const ValueWidgets& widgets : stats_)
    blockers.emplace_back(widgets.index);
  for (const BitGroup& group : bitGroups_)
    blockers.emplace_back(group.set);
  for (QComboBox* combo : actions_)
    blockers.emplace_back(combo);
  for (QComboBox* combo : spoils_)
    blockers.emplace_back(combo);
  return blockers;
}

}  // namespace kivo::ui
