#pragma once
// The Character page: the nine character records with their statistics,
// spells, equipment, weapon skills, handedness and battle row.

#include <array>
#include <vector>

#include "model/editors/character.h"
#include "ui/framework/page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class CharacterPage : public Page {
  Q_OBJECT
 public:
  explicit CharacterPage(QWidget* parent = nullptr);

  void refresh(const PageContext& context) override;
  // Stores the fields into the loaded record, then shows it again as stored.
  void save() override;
  void followImage(const ByteChange& change) override;
  void showPlace(const StepPlace& place) override;

  // The record the fields show (-1 before the first refresh).
  int loadedIndex() const { return loaded_; }

 private:
  struct SpellSlotWidgets {
    QComboBox* spell = nullptr;
    QLineEdit* level = nullptr;
    QLineEdit* experience = nullptr;
  };
  struct SkillWidgets {
    QLineEdit* level = nullptr;
    QLineEdit* experience = nullptr;
  };

  void CreateWidgets();
  QGroupBox* CreateStatsGroup();
  QGroupBox* CreateEquipmentGroup();
  QGroupBox* CreateSkillsGroup();
  QGroupBox* CreateSpellsGroup();
  void ConnectWidgets();
  QLineEdit* NumberBox(int id, int digits, bool digitsOnly = true);
  // Blocks the signals of the list and every combo while they are filled.
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildLists();
  // Shows record `index` and makes it the loaded record and the remembered one.
  void Load(int index);
  void ShowRecord(const CharacterRecord& record);
  void ShowStatistics(const CharacterRecord& record);
  // character_page_places.cpp: each box's range and place in the loaded record.
  void DescribeFields();
  // The record as the fields hold it; ids the user did not pick stay as stored.
  CharacterRecord ReadFields() const;
  void StoreLoaded();
  // The fields into the loaded record as one step named `text`.
  void Commit(const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);

  void CharacterSelected(int row);
  void HandChanged(EquipmentSlot changed);
  void OpenStatTemplate();

  QComboBox* equipment(EquipmentSlot slot) const {
    return equipment_[static_cast<std::size_t>(slot)];
  }

  PageContext context_;
  int loaded_ = -1;
  CharacterRecord record_;  // as read when loaded: the ids no list row shows

  QListWidget* characters_ = nullptr;
  std::array<QLineEdit*, 2> hp_{};
  std::array<QLineEdit*, 2> mp_{};
  QLineEdit* strength_ = nullptr;
  QLineEdit* magic_ = nullptr;
  QLineEdit* agility_ = nullptr;
  QLineEdit* vitality_ = nullptr;
  QLineEdit* intellect_ = nullptr;
  QLineEdit* soul_ = nullptr;
  std::array<QLineEdit*, 2> evasion_{};       // count, percentage
  std::array<QLineEdit*, 2> magicDefence_{};  // count, percentage
  QCheckBox* leftHanded_ = nullptr;
  QCheckBox* backRow_ = nullptr;
  QPushButton* statTemplate_ = nullptr;
  QPushButton* editSprite_ = nullptr;
  std::array<QComboBox*, kEquipmentSlotCount> equipment_{};
  std::array<SpellSlotWidgets, kSpellSlotCount> spells_{};
  std::array<SkillWidgets, kWeaponSkillCount> skills_{};
};

}  // namespace kivo::ui
