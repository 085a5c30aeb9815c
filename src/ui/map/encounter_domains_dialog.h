#pragma once
// "Changing the encounter indexes": the encounter index of each of the 64
// world-map domains, as an 8 x 8 grid laid over the map, for the normal game
// or, with "Mysidia Tower completed", for the game after it. Switching
// tables stores the shown one first; OK stores the shown one. It stores into
// copies of the two tables, which the page writes as one step (WriteTo).

#include <array>

#include "model/core/rom_view.h"
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
  EncounterDomainsDialog(const RomDocument& document, QWidget* parent);

  bool showsMysidiaTable() const { return mysidia_; }
  void accept() override;
  // Writes the tables stored so far: on a switch, and on OK. A table stored
  // on a switch stays stored when the dialog is closed without OK.
  void WriteTo(const RomView& rom) const;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void ShowTable();
  void StoreTable();
  void SwitchTable(bool mysidia);

  bool mysidia_ = false;
  std::array<DomainTable, 2> tables_{};  // normal, Mysidia Tower completed
  std::array<bool, 2> stored_{};
  std::array<QLineEdit*, kDomainCount> fields_{};
  QCheckBox* mysidiaBox_ = nullptr;  // 1601
};

}  // namespace kivo::ui
