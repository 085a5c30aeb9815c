#pragma once
// The Formation page: the 128 battle formations, the shared monster and
// quantity sets they point at, their pictures, palettes and pattern table.

#include <array>
#include <vector>

#include "model/editors/formation.h"
#include "ui/framework/page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class SwatchRow;

class FormationPage : public Page {
  Q_OBJECT
 public:
  explicit FormationPage(QWidget* parent = nullptr);

  void refresh(const PageContext& context) override;
  // Stores the fields into the formation shown, then shows it again as stored.
  void save() override;
  void followImage(const ByteChange& change) override;
  void showPlace(const StepPlace& place) override;

  // The formation the fields show (-1 before the first refresh).
  int loadedIndex() const { return loaded_; }
  // The battle palettes of the formation shown.
  const std::array<uint8_t, 2>& palettes() const { return palettes_; }
  SwatchRow& swatches(int palette) const { return *swatches_[palette]; }

 private:
  struct EnemyWidgets {
    QComboBox* monster = nullptr;
    QLineEdit* least = nullptr;
    QLineEdit* greatest = nullptr;
    QCheckBox* palette2 = nullptr;
    QLineEdit* picture = nullptr;
  };

  void CreateWidgets();
  QWidget* CreateListColumn();
  QWidget* CreateEnemyGroup();
  QWidget* CreateGraphicsGroup();
  void ConnectWidgets();
  QLineEdit* NumberBox(int id, int digits);
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildLists();
  // Shows formation `f` and makes it the one the next store writes.
  void Load(int f);
  void ShowMonsterSet();
  void ShowQuantitySet();
  void ShowPalettes();
  // Stores the formation shown, then remembers the selection and "Formation 2".
  void StoreLoaded();
  // The fields into the formation shown and the set rows selected, as one
  // step named `text`.
  void Commit(const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);
  void Store(const RomView& rom) const;
  // The name of a field in a step: an enemy's boxes carry the enemy's number.
  QString Caption(const QWidget& field) const;

  // formation_page_sharing.cpp: how many formations use the sets and
  // palettes shown; what each formation row holds, as its tooltip.
  void ShowSharedSets();
  void ShowFormationTips();

  void FormationSelected(int row);
  void Formation2Clicked();
  void ChangePalette(int which);
  void PickSwatchColour(int which, int k);

  PageContext context_;
  int loaded_ = -1;
  FormationRecord record_;             // as read when shown: bytes no control has a row for
  bool formation2Shown_ = false;       // which quantity byte the index box shows
  std::array<uint8_t, 2> palettes_{};  // palette 1 and 2 as shown

  QListWidget* formations_ = nullptr;
  QPushButton* changeLabel_ = nullptr;
  QCheckBox* formation2_ = nullptr;
  QComboBox* monsterSet_ = nullptr;
  QComboBox* quantitySet_ = nullptr;
  std::array<EnemyWidgets, kFormationEnemies> enemies_{};
  QComboBox* patternTable_ = nullptr;
  QPushButton* changePatternLabel_ = nullptr;
  std::array<QLabel*, 2> paletteText_{};
  std::array<QPushButton*, 2> changePalette_{};
  std::array<SwatchRow*, 2> swatches_{};
  QLineEdit* extra_ = nullptr;
  QPushButton* editPatternTables_ = nullptr;
};

}  // namespace kivo::ui
