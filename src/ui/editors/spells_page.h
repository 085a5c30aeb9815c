#pragma once
// The Spells page: the 70 spell data records (type, accuracy, power,
// elements, ailments, palette with its swatches, animation) and the 135
// spell records of the "AI list:" (spell, level, accuracy, targeting,
// consumption).

#include <array>
#include <vector>

#include "model/editors/equipment_bits.h"
#include "model/editors/spell.h"
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

inline constexpr const char* kAnimationNotice =
    "Unfortunately, how the game stores this hasn't been found.\n"
    "Because of that, animation editing is not yet in.";

class SpellsPage : public Page {
  Q_OBJECT
 public:
  explicit SpellsPage(QWidget* parent = nullptr);

  void refresh(const PageContext& context) override;
  // Stores the spell, then the spell record, shows the selected ones and
  // remembers them.
  void save() override;
  void followImage(const ByteChange& change) override;
  // A step's record is a spell row, or kSpellCount + an AI list row.
  void showPlace(const StepPlace& place) override;

  // The records the fields show (-1 before the first refresh).
  int loadedSpell() const { return loadedSpell_; }
  int loadedRecord() const { return loadedRecord_; }
  // The palette number of the loaded spell.
  uint8_t palette() const { return palette_; }
  SwatchRow& swatches() const { return *swatches_; }

 private:
  void CreateWidgets();
  QGroupBox* CreateSpellGroup();
  QGroupBox* CreateRecordGroup();
  void ConnectWidgets();
  QLineEdit* NumberBox(int id, QWidget* parent);
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildLists();
  // Shows the loaded rows again as the image holds them.
  void ShowLoaded();
  void ShowSpell(int row);
  void ShowRecord(int row);
  void ShowAilmentBoxes();
  void ShowPalette();
  SpellData ReadSpellFields() const;
  SpellRecord ReadRecordFields() const;
  void StoreSpell();
  void StoreRecord();
  bool CanStore() const;
  // The fields of the loaded spell or spell record into the image as one
  // step named `text`.
  void CommitSpell(const QString& text, const QString& mergeKey = {});
  void CommitRecord(const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);
  QString LoadedSpellName() const;
  QString LoadedRecordName() const;

  void SpellSelected();
  void RecordSelected();
  void UpdateAiRowText();
  void ChangePalette();
  void PickSwatchColour(int k);
  void ShowAnimationNotice();

  PageContext context_;
  int loadedSpell_ = -1;
  int loadedRecord_ = -1;
  SpellData spell_;  // as read when loaded: the values no row shows
  SpellRecord record_;
  uint8_t palette_ = 0;

  QListWidget* spells_ = nullptr;                          // 1407
  QListWidget* type_ = nullptr;                            // 1382
  QLineEdit* accuracy_ = nullptr;                          // 1383
  QLineEdit* power_ = nullptr;                             // 1384
  std::array<QCheckBox*, kBitBoxCount> elements_{};        // by bit
  QGroupBox* ailmentFrame_ = nullptr;                      // 1682
  std::array<QCheckBox*, kSpellAilmentBoxes> ailments_{};  // 1393..1399
  QLabel* paletteText_ = nullptr;                          // 1380
  QPushButton* changePalette_ = nullptr;                   // 1381
  SwatchRow* swatches_ = nullptr;
  QComboBox* animation_ = nullptr;        // 1465
  QPushButton* editAnimation_ = nullptr;  // 1406

  QGroupBox* recordGroup_ = nullptr;
  QListWidget* records_ = nullptr;    // 1400
  QComboBox* aiSpell_ = nullptr;      // 1401
  QLineEdit* level_ = nullptr;        // 1402
  QLineEdit* aiAccuracy_ = nullptr;   // 1404
  QListWidget* targeting_ = nullptr;  // 1405
  QLineEdit* consumption_ = nullptr;  // 1403
};

}  // namespace kivo::ui
