// The Monster page's shared entries: beside each index list, how many
// monsters select the entry it shows, and each row's value as its tooltip.

#include <QComboBox>
#include <QListWidget>

#include "model/editors/shared_entries.h"
#include "ui/editors/monster_page.h"
#include "ui/framework/sharing_label.h"

namespace kivo::ui {
namespace {

QString Hex(int value) {
  return QStringLiteral("0x%1")
      .arg(value, 2, 16, QLatin1Char('0'))
      .toUpper()
      .replace(QStringLiteral("0X"), QStringLiteral("0x"));
}

// "Index 2: 12" on each row of an index list.
void ShowRowValues(QComboBox& list, const ConstRomView& view, const ValueTable& table, bool hex) {
  for (int row = 0; row < list.count() && table.Has(row); ++row) {
    const int value = ReadEntry(view, table, row);
    list.setItemData(
        row, QStringLiteral("Index %1: %2").arg(row).arg(hex ? Hex(value) : QString::number(value)),
        Qt::ToolTipRole);
  }
}

}  // namespace

void MonsterPage::ShowSharing(QComboBox& list, std::vector<int> users) {
  // The monster shown selects what its list shows, stored or not.
  std::erase(users, loaded_);
  users.insert(std::lower_bound(users.begin(), users.end(), loaded_), loaded_);
  QStringList rows;
  for (int i = 0; i < monsters_->count(); ++i)
    rows.append(monsters_->item(i)->text());
  ui::ShowSharing(list, NamesOf(users, rows), tr("monsters"));
}

void MonsterPage::ShowSharedEntry(QComboBox& list, const ValueTable& table) {
  if (loaded_ < 0 || !context_.document)
    return;
  const ConstRomView view = std::as_const(*context_.document).view();
  ShowSharing(list, table.Has(list.currentIndex())
                        ? MonstersUsingEntry(view, table, list.currentIndex())
                        : std::vector<int>{});
}

void MonsterPage::ShowSharedSpoils() {
  if (loaded_ < 0 || !context_.document)
    return;
  const ConstRomView view = std::as_const(*context_.document).view();
  const int set = spoilsSet_->currentIndex();
  ShowSharing(*spoilsSet_, set >= 0 ? MonstersUsingSpoilsSet(view, set) : std::vector<int>{});
}

void MonsterPage::ShowIndexRowValues() {
  const ConstRomView view = std::as_const(*context_.document).view();
  ShowRowValues(*hp_.index, view, kHpMpValues, false);
  ShowRowValues(*mp_.index, view, kHpMpValues, false);
  for (int s = 0; s < kMonsterStatCount; ++s)
    ShowRowValues(*stats_[s].index, view, TableOfStat(static_cast<MonsterStat>(s)), false);
  for (const BitGroup& group : bitGroups_)
    ShowRowValues(*group.set, view, *group.table, true);
  ShowRowValues(*effectSet_, view, kEffectSets, true);
  for (int set = 0; set < spoilsSet_->count() && kSpoilsSets.Has(set); ++set) {
    QStringList bytes;
    for (uint8_t b : ReadGroup(view, kSpoilsSets, set))
      bytes.append(Hex(b));
    spoilsSet_->setItemData(set, QStringLiteral("Index %1: %2").arg(set).arg(bytes.join(u' ')),
                            Qt::ToolTipRole);
  }
}

}  // namespace kivo::ui
