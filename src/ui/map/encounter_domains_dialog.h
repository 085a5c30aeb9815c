#pragma once
// "Changing the encounter indexes": the encounter index of each of the 64
// world-map domains, as an 8 x 8 grid laid over the map, for the normal game
// or, with "Mysidia Tower completed", for the game after it. Switching
// tables stores the shown one first; OK stores the shown one.

#include <array>

#include "model/map/encounters.h"
#include "ui/framework/dialog.h"

class QCheckBox;
class QLineEdit;

namespace kivo {
class RomDocument;
}

namespace kivo::ui {

inline constexpr const char* kDomainsReferenceText =
    "If you need reference, each edit box will coorspond with the domain in the world map. Just "
    "follow to whatever area you are looking for. It will display the encounter index for each "
    "area.";

// The template id of the field of domain d (row * 8 + column).
int DomainFieldId(int domain);

class EncounterDomainsDialog : public Dialog {
  Q_OBJECT
 public:
  EncounterDomainsDialog(RomDocument& document, QWidget* parent);

  bool showsMysidiaTable() const { return mysidia_; }
  void accept() override;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void ShowTable();
  void StoreTable();
  void SwitchTable(bool mysidia);

  RomDocument& document_;
  bool mysidia_ = false;
  std::array<QLineEdit*, kDomainCount> fields_{};
  QCheckBox* mysidiaBox_ = nullptr;  // 1601
};

// Runs the dialog over `owner`; true after OK (the page re-reads its index).
bool ChangeEncounterDomains(QWidget* owner, RomDocument& document);

}  // namespace kivo::ui
