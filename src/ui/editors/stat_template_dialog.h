#pragma once
// "Stat Template": computes a set of statistics from a number of points and
// a physical/magical balance. The results stay editable before OK.

#include <array>

#include "model/editors/stat_template.h"
#include "ui/framework/dialog.h"

class QLineEdit;
class QSlider;

namespace kivo::ui {

class StatTemplateDialog : public Dialog {
  Q_OBJECT
 public:
  explicit StatTemplateDialog(QWidget* parent = nullptr);

  // The result boxes as they read now (typed-over values included).
  StatTemplate values() const;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  // Reads the points (rewriting them into 0..999) and the slider, and shows
  // the computed values.
  void Recompute();
  void ShowValues(const StatTemplate& values);

  QLineEdit* points_ = nullptr;
  QSlider* balance_ = nullptr;
  // In StatTemplate field order: HP, MP, Str, Vit, Agi, Eva count and %,
  // Mag, Int, Soul, M.Eva count and %.
  std::array<QLineEdit*, 12> results_{};
};

}  // namespace kivo::ui
