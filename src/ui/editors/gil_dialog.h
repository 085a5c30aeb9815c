#pragma once
// "Enter new gil amount": one number box for a gil amount of the spoils.

#include <optional>

#include "ui/framework/dialog.h"

class QLineEdit;

namespace kivo::ui {

class GilDialog : public Dialog {
  Q_OBJECT
 public:
  explicit GilDialog(int initialAmount, QWidget* parent = nullptr);

  // The box's number clamped to 0..0xFFFF.
  int amount() const;

 private:
  void CreateWidgets(int initialAmount);

  QLineEdit* amount_ = nullptr;
};

// Runs the dialog over `owner`; the amount after OK, else nothing.
std::optional<int> AskGilAmount(QWidget* owner, int initialAmount);

}  // namespace kivo::ui
