#include "ui/gfx/select_colour_dialog.h"

#include <utility>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/gfx/battle_palettes.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"
#include "ui/gfx/colour_grid.h"

namespace kivo::ui {

SelectColourDialog::SelectColourDialog(const MasterPalette& palette, uint8_t current,
                                       QWidget* parent)
    : Dialog(parent) {
  setWindowTitle(tr("Select a new color"));
  CreateWidgets(palette, current);
}

void SelectColourDialog::CreateWidgets(const MasterPalette& palette, uint8_t current) {
  grid_ = new ColourGrid(palette, current, this);
  grid_->setObjectName(QStringLiteral("colourGrid"));

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &SelectColourDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 8, 8);  // the grid carries its own margins
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabOrderFromLayout(*this);
}

uint8_t SelectColourDialog::colour() const {
  return grid_->current();
}

std::optional<uint8_t> SelectColour(QWidget* owner, const MasterPalette& palette, uint8_t current) {
  SelectColourDialog dialog(palette, current, owner);
  if (prompts().RunModal(dialog) != kDialogOk)
    return std::nullopt;
  return dialog.colour();
}

bool PickBattlePaletteColour(Page& page, const PageContext& context, const StepPlace& place,
                             int battlePalette, int k) {
  if (BattlePaletteColourOffset(battlePalette, k) == ConstRomView::npos || !context.document ||
      !context.palette) {
    return false;
  }
  const ConstRomView rom = std::as_const(*context.document).view();
  const std::optional<uint8_t> chosen =
      SelectColour(&page, *context.palette, BattlePaletteColour(rom, battlePalette, k));
  if (!chosen)
    return false;
  const QString number = QStringLiteral("%1").arg(battlePalette, 2, 16, QLatin1Char('0')).toUpper();
  const StepInfo step{QObject::tr("Change palette 0x%1").arg(number), place, {}};
  return CommitEdit(context, &page, step, [&](const RomView& image) {
    SetBattlePaletteColour(image, battlePalette, k, *chosen);
  });
}

}  // namespace kivo::ui
