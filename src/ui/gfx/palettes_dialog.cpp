#include "ui/gfx/palettes_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"
#include "ui/gfx/palette_grid.h"

namespace kivo::ui {

PalettesDialog::PalettesDialog(const ConstRomView& rom, const MasterPalette& palette,
                               uint8_t original, QWidget* parent)
    : Dialog(parent) {
  setWindowTitle(tr("Palettes"));
  CreateWidgets(rom, palette, original);
}

void PalettesDialog::CreateWidgets(const ConstRomView& rom, const MasterPalette& palette,
                                   uint8_t original) {
  grid_ = new PaletteGrid(rom, palette, original, this);
  grid_->setObjectName(QStringLiteral("paletteGrid"));

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->addButton(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &PalettesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PalettesDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 24, 8);  // the grid carries its own margins
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabOrderFromLayout(*this);
}

uint8_t PalettesDialog::current() const {
  return grid_->current();
}

std::optional<uint8_t> ChooseBattlePalette(QWidget* owner, const ConstRomView& rom,
                                           const MasterPalette& palette, uint8_t original) {
  PalettesDialog dialog(rom, palette, original, owner);
  if (prompts().RunModal(dialog) != kDialogOk)
    return std::nullopt;
  return dialog.current();
}

}  // namespace kivo::ui
