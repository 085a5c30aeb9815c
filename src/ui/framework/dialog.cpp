#include "ui/framework/dialog.h"

#include "ui/framework/prompts.h"

namespace kivo::ui {

void Dialog::accept() {
  done(kDialogOk);
}

void Dialog::reject() {
  done(kDialogCancel);
}

}  // namespace kivo::ui
