#pragma once
// "Customizing colors": edits the four custom colours the map editor draws
// its outlines and grid in. Slider moves are kept only when another entry is
// selected (they stay even if the dialog is then closed) and on OK.

#include <array>

#include "ui/framework/dialog.h"

class QListWidget;
class QLineEdit;
class QSlider;

namespace kivo {
class SettingsBlock;
}

namespace kivo::ui {

// Entries of the settings block's custom colours, in list order.
enum class CustomColourRole { LeftClick = 0, RightClick = 1, ViewingArea = 2, Grid = 3 };

class CustomColoursDialog : public Dialog {
  Q_OBJECT
 public:
  explicit CustomColoursDialog(SettingsBlock& settings, QWidget* parent = nullptr);

  // The entry the sliders belong to.
  int editedEntry() const { return edited_; }
  void accept() override;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void SelectEntry(int entry);
  void LoadSliders(int entry);
  void StoreSliders();

  SettingsBlock& settings_;
  int edited_ = 0;
  QListWidget* entries_ = nullptr;       // 1526
  std::array<QSlider*, 3> sliders_{};    // 1523..1525: red, green, blue
  std::array<QLineEdit*, 3> numbers_{};  // 1528..1530, left empty
};

// Runs the dialog over `owner`; true after OK (the caller repaints).
bool CustomiseColours(QWidget* owner, SettingsBlock& settings);

}  // namespace kivo::ui
