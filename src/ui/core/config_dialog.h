#pragma once
// The Config dialog: picks the palette file and the six table files. Each
// pick is loaded at once and its path remembered, whether the dialog then
// ends with OK or Cancel; OK only tells the caller to refresh the pages.

#include <QString>
#include <array>

#include "model/text/char_table.h"
#include "ui/framework/dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kivo::ui {

struct AppState;

class ConfigDialog : public Dialog {
  Q_OBJECT
 public:
  explicit ConfigDialog(AppState& state, QWidget* parent = nullptr);

  // What the label beside a table's path shows: the text encoding its file
  // was read in, or nothing while the table is not loaded.
  QString shownEncoding(TableKind kind) const;

 private:
  struct TableRow {
    QPushButton* chooser = nullptr;
    QLineEdit* path = nullptr;
    QLabel* encoding = nullptr;
  };

  void CreateWidgets();
  void ConnectWidgets();
  void FillWidgets();
  void ChooseTable(TableKind kind);
  void ChoosePalette();
  void ShowTable(TableKind kind);

  AppState& state_;
  QPushButton* paletteChooser_ = nullptr;  // 1288
  QLineEdit* palettePath_ = nullptr;       // 1287
  std::array<TableRow, kTableKindCount> tables_;
  QListWidget* dumpTarget_ = nullptr;  // 1686
};

}  // namespace kivo::ui
