// The Formation page's shared entries: how many formations use the monster
// and quantity sets shown, and what each formation row brings to battle.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include "model/editors/shared_entries.h"
#include "ui/editors/formation_page.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/sharing_label.h"

namespace kivo::ui {

void FormationPage::ShowSharedSets() {
  if (loaded_ < 0 || !context_.document)
    return;
  const ConstRomView view = std::as_const(*context_.document).view();
  QStringList rows;
  for (int i = 0; i < formations_->count(); ++i)
    rows.append(formations_->item(i)->text());
  // The formation shown uses the sets its lists show, stored or not.
  const auto users = [this](std::vector<int> found) {
    std::erase(found, loaded_);
    found.insert(std::lower_bound(found.begin(), found.end(), loaded_), loaded_);
    return found;
  };
  const std::optional<int> monsterSet = PickedRow(*monsterSet_);
  const std::optional<int> quantitySet = PickedRow(*quantitySet_);
  ShowSharing(
      *monsterSet_,
      NamesOf(monsterSet ? users(FormationsUsingMonsterSet(view, *monsterSet)) : std::vector<int>{},
              rows),
      tr("formations"));
  ShowSharing(*quantitySet_,
              NamesOf(quantitySet ? users(FormationsUsingQuantitySet(view, *quantitySet))
                                  : std::vector<int>{},
                      rows),
              tr("formations"));
  for (int p = 0; p < 2; ++p)
    ShowPaletteSharing(*paletteText_[p], view, palettes_[p]);
}

void FormationPage::ShowFormationTips() {
  const ConstRomView view = std::as_const(*context_.document).view();
  const QComboBox& names = *enemies_[0].monster;
  const bool formation2 = formation2_->isChecked();
  for (int f = 0; f < formations_->count() && f < kFormationCount; ++f) {
    const FormationRecord r = FormationRecord::Read(view, f);
    const MonsterSet monsters = ReadMonsterSet(view, r.monsterSet);
    const QuantitySet quantities = ReadQuantitySet(view, r.quantitySet(formation2));
    QStringList enemies;
    for (int k = 0; k < kFormationEnemies; ++k) {
      const QuantityRange q = quantities[k];
      if (q.least == 0 && q.greatest == 0)
        continue;
      const QString name =
          monsters[k] < names.count() ? names.itemText(monsters[k]) : QString::number(monsters[k]);
      enemies.append(QStringLiteral("%1 x %2-%3").arg(name).arg(q.least).arg(q.greatest));
    }
    formations_->item(f)->setToolTip(enemies.join(QStringLiteral(", ")));
  }
}

}  // namespace kivo::ui
