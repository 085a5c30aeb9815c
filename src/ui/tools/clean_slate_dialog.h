#pragma once
// The Clean the Slate dialog: checked boxes blank kinds of game data in the
// image, and OK writes the whole image to the ROM file at once.

#include <QList>
#include <string>

#include "model/tools/slate_checks.h"
#include "ui/framework/dialog.h"
#include "ui/framework/edits.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace kivo {
class RomDocument;
}

namespace kivo::ui {

class CleanSlateDialog : public Dialog {
  Q_OBJECT
 public:
  // Blanks through `edits` as one step (straight into the image without it).
  CleanSlateDialog(RomDocument& document, std::string romPath, Edits* edits = nullptr,
                   QWidget* parent = nullptr);

  // Blanks, reports and writes the file; stays open when the file cannot be written.
  void accept() override;

  // True once the image in memory has been blanked (even if the write failed).
  bool imageChanged() const { return imageChanged_; }

 private:
  void ShowWriteFailure(const std::string& reason);
  void CreateWidgets();
  void ConnectWidgets();
  void ShowChecks();

  RomDocument& document_;
  std::string romPath_;
  Edits* edits_ = nullptr;
  SlateChecks checks_;
  QList<QCheckBox*> boxes_;        // in the order of SlateBoxes()
  QListWidget* tiles_ = nullptr;   // 1369
  QPushButton* toggle_ = nullptr;  // 1364
  bool imageChanged_ = false;
};

}  // namespace kivo::ui
