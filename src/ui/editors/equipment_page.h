#pragma once
// The Equipment page: the weapon records (type, attack values, elements,
// races, added effect with its ailments, cast spell, picture palette and
// colours) and the armour records (defence values, penalties, stat boost,
// elemental defence).

#include <array>
#include <optional>
#include <vector>

#include "model/editors/armour.h"
#include "model/editors/equipment_bits.h"
#include "model/editors/weapon.h"
#include "ui/framework/page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class SwatchRow;

inline constexpr const char* kNoPaletteText = "--";
inline constexpr const char* kElementalAttackCaption = "Elemental attack";
inline constexpr const char* kElementalDefenceCaption = "Elemental defense";

class EquipmentPage : public Page {
  Q_OBJECT
 public:
  explicit EquipmentPage(QWidget* parent = nullptr);

  void refresh(const PageContext& context) override;
  // Writes the loaded armour and weapon records, shows the selected rows and
  // remembers them.
  void save() override;
  void followImage(const ByteChange& change) override;
  // A step's record is a weapon row, or kWeaponCount + an armour row.
  void showPlace(const StepPlace& place) override;

  // The records the fields show (-1 before the first refresh).
  int loadedWeapon() const { return loadedWeapon_; }
  int loadedArmour() const { return loadedArmour_; }
  // The palette number of the loaded weapon (none below row 10).
  std::optional<uint8_t> weaponPalette() const { return palette_; }
  SwatchRow& swatches() const { return *swatches_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateWidgets();
  QGroupBox* CreateWeaponGroup();
  QGroupBox* CreateEffectGroup(QWidget* parent);
  QGroupBox* CreateGraphicsGroup(QWidget* parent);
  QGroupBox* CreateArmourGroup();
  void ConnectWidgets();
  QLineEdit* NumberBox(int id, QWidget* parent);
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildLists();
  void ScrollToSelection();
  void ShowWeapon(int row);
  void ShowArmour(int row);
  void ShowAilmentBoxes();
  void ShowElementCaption();
  void ShowPalette();
  WeaponRecord ReadWeaponFields() const;
  ArmourRecord ReadArmourFields() const;
  void StoreLoaded();
  void RememberRows();
  // Shows the loaded rows again as the image holds them.
  void ShowLoaded();

  enum class Part { Armour, Weapon };
  // The fields of the loaded armour or weapon (with its palette number) into
  // the image as one step named `text`.
  void Commit(Part part, const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);
  int PlaceOf(Part part) const;
  QString LoadedName(Part part) const;

  void RowSelected();
  void ChangePalette();
  void PickSwatchColour(int k);
  void ChangeLabels();

  PageContext context_;
  int loadedWeapon_ = -1;
  int loadedArmour_ = -1;
  // As read when loaded: the values no row shows, and the ailments an effect
  // row shows when picked again.
  WeaponRecord weapon_;
  ArmourRecord armour_;
  std::optional<uint8_t> palette_;  // of the loaded weapon

  QListWidget* weapons_ = nullptr;  // 1454
  QListWidget* armours_ = nullptr;  // 1456

  QComboBox* type_ = nullptr;                              // 1199
  QComboBox* castSpell_ = nullptr;                         // 1064
  QLineEdit* attack_ = nullptr;                            // 1195
  QLineEdit* accuracy_ = nullptr;                          // 1196
  QLineEdit* evade_ = nullptr;                             // 1197
  QLineEdit* weaponPenalty_ = nullptr;                     // 1198
  QListWidget* effects_ = nullptr;                         // 1194
  std::array<QCheckBox*, kAilmentBoxCount> ailments_{};    // 1125..1131
  QPushButton* changeLabels_ = nullptr;                    // 1452
  QGroupBox* elementGroup_ = nullptr;                      // 1455
  std::array<QCheckBox*, kBitBoxCount> weaponElements_{};  // by bit
  std::array<QCheckBox*, kBitBoxCount> races_{};           // by bit
  QLabel* paletteText_ = nullptr;                          // 1453
  QPushButton* changePalette_ = nullptr;                   // 1200
  QPushButton* editGraphics_ = nullptr;                    // 1124
  SwatchRow* swatches_ = nullptr;

  QGroupBox* armourGroup_ = nullptr;
  QLineEdit* defence_ = nullptr;                           // 1015
  QLineEdit* evadePenalty_ = nullptr;                      // 1016
  QLineEdit* magicDefence_ = nullptr;                      // 1017
  QLineEdit* armourPenalty_ = nullptr;                     // 1018
  QComboBox* statBoost_ = nullptr;                         // 1013
  std::array<QCheckBox*, kBitBoxCount> armourElements_{};  // by bit
};

}  // namespace kivo::ui
