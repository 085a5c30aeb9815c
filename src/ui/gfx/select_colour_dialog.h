#pragma once
// "Select a new color": picks one NES colour number from the 64 of the
// master palette. OK ends it with the current colour; Escape or the close
// box cancel.

#include <cstdint>
#include <optional>

#include "ui/framework/page.h"

#include "model/core/rom_view.h"
#include "ui/framework/dialog.h"

namespace kivo {
class MasterPalette;
}

namespace kivo::ui {

class ColourGrid;

class SelectColourDialog : public Dialog {
  Q_OBJECT
 public:
  SelectColourDialog(const MasterPalette& palette, uint8_t current, QWidget* parent = nullptr);

  uint8_t colour() const;
  ColourGrid& grid() const { return *grid_; }

 private:
  void CreateWidgets(const MasterPalette& palette, uint8_t current);

  ColourGrid* grid_ = nullptr;
};

// Runs the dialog over `owner`: the colour after OK (the given one when
// nothing was picked), nothing after Cancel.
std::optional<uint8_t> SelectColour(QWidget* owner, const MasterPalette& palette, uint8_t current);

// What a click on a battle palette swatch does on every page that shows
// one: asks for a new colour for colour k of `palette`, starting from the
// stored one, and on OK writes it into the image at once, as one step made
// at `place` ("Change palette 0x25"). True when the image changed.
bool PickBattlePaletteColour(Page& page, const PageContext& context, const StepPlace& place,
                             int battlePalette, int k);

}  // namespace kivo::ui
