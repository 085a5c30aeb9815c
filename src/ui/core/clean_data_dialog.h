#pragma once
// The Clean the data dialog: ticked boxes reset groups of settings to their
// defaults, and OK (after a question) writes the data file at once.

#include <QList>
#include <string>

#include "ui/framework/dialog.h"

class QCheckBox;
class QPushButton;

namespace kivo {
class SettingsBlock;
}

namespace kivo::ui {

class CleanDataDialog : public Dialog {
  Q_OBJECT
 public:
  CleanDataDialog(SettingsBlock& settings, std::string dataFilePath, QWidget* parent = nullptr);

  // Asks, cleans and writes; stays open when the answer is No or the data
  // file cannot be written.
  void accept() override;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void Toggle();

  SettingsBlock& settings_;
  std::string dataFilePath_;
  QList<QCheckBox*> boxes_;        // in the order of SettingsResets()
  QPushButton* toggle_ = nullptr;  // 1652
  int toggleState_ = 1;            // what the next toggle sets every box to
};

}  // namespace kivo::ui
