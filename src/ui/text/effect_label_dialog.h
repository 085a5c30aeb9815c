#pragma once
// "Change added effect labels": the labels of the seven added effects and of
// the permanent and temporary ailments, as the Equipment and Monster pages
// show them.

#include <array>
#include <span>

#include "ui/framework/dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace kivo {
class SettingsBlock;
}

namespace kivo::ui {

inline constexpr int kEffectRows = 7;
inline constexpr int kPermanentAilmentRows = 7;  // bits 0x02..0x80
inline constexpr int kTemporaryAilmentRows = 6;  // bits 0x04..0x80

class EffectLabelDialog : public Dialog {
  Q_OBJECT
 public:
  explicit EffectLabelDialog(SettingsBlock& settings, QWidget* parent = nullptr);

  // Stores all twenty edits, each cut to its field, then ends with OK.
  void accept() override;

 private:
  void CreateWidgets();
  void FillEdits();

  SettingsBlock& settings_;
  std::array<QLineEdit*, kEffectRows> effects_{};
  std::array<QLineEdit*, kTemporaryAilmentRows> temporary_{};
  std::array<QLineEdit*, kPermanentAilmentRows> permanent_{};
};

// The effect list rows and the captions of the ailment boxes as the labels
// say: `ailmentBoxes` are the seven boxes of bits 0x02..0x80; with effect row 1
// selected they take the permanent ailment labels, with row 2 the last six
// take the temporary ones, otherwise they keep their captions.
void ShowEffectLabels(const SettingsBlock& settings, QListWidget& effectList,
                      std::span<QCheckBox* const> ailmentBoxes);

// The "Change labels" command of the Equipment and Monster pages: runs the
// dialog and, after OK, shows the new labels. True after OK.
bool ChangeEffectLabels(QWidget* owner, SettingsBlock& settings, QListWidget& effectList,
                        std::span<QCheckBox* const> ailmentBoxes);

}  // namespace kivo::ui
