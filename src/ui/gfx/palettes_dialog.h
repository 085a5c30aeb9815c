#pragma once
// "Palettes": picks one of the game's 128 battle palettes, starting from the
// one the caller uses. OK ends it with the current palette, Cancel leaves
// the caller's number alone.

#include <cstdint>
#include <optional>

#include "model/core/rom_view.h"
#include "ui/framework/dialog.h"

namespace kivo {
class MasterPalette;
}

namespace kivo::ui {

class PaletteGrid;

class PalettesDialog : public Dialog {
  Q_OBJECT
 public:
  PalettesDialog(const ConstRomView& rom, const MasterPalette& palette, uint8_t original,
                 QWidget* parent = nullptr);

  uint8_t current() const;
  PaletteGrid& grid() const { return *grid_; }

 private:
  void CreateWidgets(const ConstRomView& rom, const MasterPalette& palette, uint8_t original);

  PaletteGrid* grid_ = nullptr;
};

// Runs the dialog over `owner`: the palette number after OK (the original
// when nothing was picked), nothing after Cancel.
std::optional<uint8_t> ChooseBattlePalette(QWidget* owner, const ConstRomView& rom,
                                           const MasterPalette& palette, uint8_t original);

}  // namespace kivo::ui
