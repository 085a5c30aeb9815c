#pragma once
// The Monster page: the 128 monster records and the shared tables they index
// (hit points and statistics, added effect, race and element sets, AI packs,
// spoils and gil amounts). Every value box shows the entry its index list
// selects, so storing it changes that entry for every monster using it.

#include <array>
#include <initializer_list>
#include <vector>

#include "model/editors/monster.h"
#include "ui/framework/page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class MonsterPage : public Page {
  Q_OBJECT
 public:
  explicit MonsterPage(QWidget* parent = nullptr);

  void refresh(const PageContext& context) override;
  // Stores the loaded monster and the entries it selects, then shows it again.
  void save() override;
  void followImage(const ByteChange& change) override;
  void showPlace(const StepPlace& place) override;

  // The monster the fields show (-1 before the first refresh).
  int loadedIndex() const { return loaded_; }

 private:
  // An index list and the value box showing the entry it selects.
  struct ValueWidgets {
    QComboBox* index = nullptr;
    QLineEdit* box = nullptr;
  };
  // A set list and the eight boxes showing its bits.
  struct BitGroup {
    QComboBox* set = nullptr;
    std::array<QCheckBox*, kBitBoxCount> boxes{};
    MonsterIndex index{};                    // the record's index of the set
    const ValueTable* table = nullptr;       // the sets it indexes
    uint8_t MonsterFields::*bits = nullptr;  // where the ticks are stored
  };

  // monster_page_widgets.cpp: building and connecting the controls.
  void CreateWidgets();
  QGroupBox* CreateValueGroup(const QString& title, std::initializer_list<int> rows);
  QGroupBox* CreateBitGroup(int group);
  QGroupBox* CreateEffectGroup();
  QGroupBox* CreateAiGroup();
  QGroupBox* CreateSpoilsGroup();
  // "Index %d" rows: as wide as their text.
  QComboBox* IndexList(QWidget* parent, int id);
  // Names: at least `minimumChars` wide, wider when there is room.
  QComboBox* NameList(QWidget* parent, int id, int minimumChars);
  void ConnectWidgets();
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildLists();
  void ShowGilAmounts();
  // Shows monster `index` and makes it the loaded and the remembered one.
  void Load(int index);
  void ShowValue(ValueWidgets& widgets, const ValueTable& table);
  void ShowBitGroup(int group);
  void ShowEffectSet();
  void ShowAilmentBoxes();
  void ShowSpoilsSet();
  void ShowGilButton(int slot);
  void ShowAiPack();
  // What the fields hold; bytes no list shows stay as read unless a row was picked.
  MonsterFields ReadFields() const;
  void StoreLoaded();
  // The fields into the loaded monster and its entries, as Save stores them,
  // as one step named `text`.
  void Commit(const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);
  // The name of a field in a step; boxes and lists named alike in several
  // groups carry their group's title.
  QString Caption(const QWidget& field) const;

  // monster_page_sharing.cpp: how many monsters use the entries shown.
  void ShowSharing(QComboBox& list, std::vector<int> users);
  void ShowSharedEntry(QComboBox& list, const ValueTable& table);
  void ShowSharedSpoils();
  void ShowIndexRowValues();

  void MonsterSelected(int row);
  void ChangeGil(int slot);
  void ChangeAiLabel();
  void ChangeEffectLabelsClicked();

  PageContext context_;
  int loaded_ = -1;
  MonsterRecord record_;       // as read when loaded
  uint8_t shownEffect_ = 0;    // the effect set the effect display shows
  GroupSlots shownActions_{};  // the AI pack the action lists show
  GroupSlots shownSpoils_{};   // the spoils set the spoils lists show

  QListWidget* monsters_ = nullptr;
  ValueWidgets hp_;
  ValueWidgets mp_;
  std::array<ValueWidgets, kMonsterStatCount> stats_{};
  std::array<BitGroup, 4> bitGroups_{};
  QComboBox* effectSet_ = nullptr;
  QListWidget* effects_ = nullptr;
  std::array<QCheckBox*, kAilmentBoxCount> ailments_{};
  QPushButton* changeEffectLabels_ = nullptr;
  QComboBox* aiPack_ = nullptr;
  QPushButton* changeAiLabel_ = nullptr;
  std::array<QComboBox*, kSlotsPerGroup> actions_{};
  QComboBox* spoilsSet_ = nullptr;
  std::array<QComboBox*, kSlotsPerGroup> spoils_{};
  std::array<QPushButton*, kSlotsPerGroup> gilButtons_{};
};

}  // namespace kivo::ui
