#pragma once
// Base of every modal dialog: OK ends it with 1, Cancel (and Escape, and the
// close box) with 2, and Enter presses the default button.

#include <QDialog>

namespace kivo::ui {

class Dialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

  void accept() override;
  void reject() override;
};

}  // namespace kivo::ui
