#pragma once
// "Editing tiles": which of the 256 world-map tiles stands in each quarter
// of one metatile, which background sub-palette it uses, the world map's
// colours, and (Invert) an exchange of two colour values in one tile. It
// edits working copies; only OK hands the tile numbers and tile bytes back to
// the page, which writes them with the palette and the attribute byte
// (WriteTo) as one step.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/core/rom_view.h"
#include "model/gfx/metatiles.h"
#include "model/gfx/tile_canvas.h"
#include "ui/framework/dialog.h"

class QAbstractButton;

namespace kivo {
class MasterPalette;
class RomDocument;
class SettingsBlock;
}  // namespace kivo

namespace kivo::ui {

class CloseUpArea;
class PaletteRowsArea;
class QuarterArea;
class RawSheetArea;

inline constexpr const char* kInvertPromptText = "Select the two colors you wish to swap.";
inline constexpr const char* kInvertSameColourText =
    "Cannot invert with the both colors being the same!";

class TileEditorDialog : public Dialog {
  Q_OBJECT
 public:
  // tileBytes and set are the page's copies; the dialog edits working copies and, on OK only,
  // copies its working tile numbers into set.tileNumbers, the attribute of `metatile` into
  // set.attributes and its working tile bytes (Invert) into tileBytes.
  TileEditorDialog(const RomDocument& document, const MasterPalette& palette,
                   const SettingsBlock& settings, std::vector<uint8_t>& tileBytes, MetatileSet& set,
                   int metatile, QWidget* parent);

  int quarter() const { return quarter_; }
  int subPalette() const { return subPalette_; }
  const std::array<uint8_t, kWorldPaletteSize>& workingPalette() const { return palette_; }
  const MetatileSet& workingSet() const { return set_; }
  const std::vector<uint8_t>& workingTileBytes() const { return tileBytes_; }

  void accept() override;
  // Writes the 32 palette bytes and the attribute byte of the metatile as
  // the dialog holds them.
  void WriteTo(const RomView& rom) const;

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void Repaint();
  uint8_t SelectedTile() const;

  void PickTile(int tile);
  void SelectQuarter(int quarter);
  void SelectSubPalette(int row);
  void ChangeColour(int column, int row);
  void ClickCloseUp(int column, int row);
  void SetInvertMode(bool on);

  const RomDocument& document_;
  const MasterPalette& master_;
  const SettingsBlock& settings_;
  std::vector<uint8_t>& pageTileBytes_;
  MetatileSet& pageSet_;
  const int metatile_;

  MetatileSet set_;
  std::vector<uint8_t> tileBytes_;
  std::array<uint8_t, kWorldPaletteSize> palette_{};
  int quarter_ = 0;
  int subPalette_ = 0;
  // Invert: the colour values of the first and second close-up clicks.
  std::optional<uint8_t> firstColour_;
  TileCanvas canvas_;

  RawSheetArea* sheet_ = nullptr;
  QuarterArea* quarters_ = nullptr;
  CloseUpArea* closeUp_ = nullptr;
  PaletteRowsArea* paletteRows_ = nullptr;
  QAbstractButton* invert_ = nullptr;  // 1680
};

}  // namespace kivo::ui
