// The Maps page in the edit history: its own copies (the grid, the backups,
// the tile numbers and tile bytes) change by steps as the image does, and
// the page follows what other steps change of what it shows.

#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <utility>

#include "model/core/rom_document.h"
#include "model/map/tile_properties.h"
#include "ui/framework/tabs.h"
#include "ui/map/map_view.h"
#include "ui/map/maps_page.h"

namespace kivo::ui {

StepInfo MapsPage::Step(const QString& text, int record) const {
  return {text, {kMapsTab, record}, {}};
}

std::span<uint8_t> MapsPage::CopyBytes(int copy) {
  switch (copy) {
    case kGridCopy:
      return mapView_->grid();
    case kBackupGridCopy:
      return mapView_->backupGrid();
    case kTileNumbersCopy:
      return metatiles_.tileNumbers;
    case kTileBytesCopy:
      return tileBytes_;
    case kTileNumbersBackupCopy:
      return tileNumbersBackup_;
    case kTileBytesBackupCopy:
      return tileBytesBackup_;
    case kBackupStateCopy:
      return backupState_;
    case kDecodedGridCopy:
      return decodedGrid_ ? std::span<uint8_t>(*decodedGrid_) : std::span<uint8_t>();
    default:
      return {};
  }
}

void MapsPage::CommitCopies(const StepInfo& step, std::vector<CopyEdit> copies,
                            const ImageEdit& edit) {
  if (context_.edits != nullptr)
    context_.edits->CommitCopies(this, step, std::move(copies), edit);
  else if (edit)
    CommitEdit(context_, this, step, edit);
}

void MapsPage::applyToCopy(int copy, const ByteChange& change, bool redo) {
  const std::span<uint8_t> bytes = CopyBytes(copy);
  if (redo)
    change.Redo(bytes);
  else
    change.Undo(bytes);
  if (copy == kGridCopy) {
    mapView_->update();
    ShowFreeBytes();
  } else if (copy == kTileNumbersCopy) {
    RedrawPicker();
  } else if (copy == kBackupStateCopy) {
    ShowBackupButtons();
  }
}

void MapsPage::ShowBackupButtons() {
  restoreTiles_->setEnabled(backupState_[kTileBackupMask] != 0);
  restoreMap_->setEnabled(backupState_[kMapBackedUp] != 0);
}

void MapsPage::CommitGrid(const ByteChange& change, bool fill, QPoint cell) {
  const std::size_t cells = change.changedBytes();
  const QString text = fill         ? tr("Fill map")
                       : cells == 1 ? tr("Paint 1 map cell")
                                    : tr("Paint %1 map cells").arg(cells);
  CommitGridStep(text, change, cell);
}

void MapsPage::CommitGridStep(const QString& text, const ByteChange& change, QPoint cell) {
  if (change.empty())
    return;
  if (cell.x() < 0 || cell.x() >= kWorldMapSide || cell.y() < 0 || cell.y() >= kWorldMapSide) {
    const std::size_t first = change.runs().front().offset;
    cell = QPoint(static_cast<int>(first % kWorldMapSide), static_cast<int>(first / kWorldMapSide));
  }
  StepInfo step = Step(text);
  step.place.cellX = cell.x();
  step.place.cellY = cell.y();
  CommitCopies(step, {{this, kGridCopy, change}});
}

void MapsPage::showPlace(const StepPlace& place) {
  if (!ready())
    return;
  if (place.cellX >= 0 && place.cellY >= 0)
    mapView_->ShowCell(place.cellX, place.cellY);
  if (place.record >= 0 && place.record < kEncounterIndexCount)
    encounterIndex_->setCurrentRow(place.record);
}

void MapsPage::followImage(const ByteChange& change) {
  if (!ready())
    return;
  const auto touches = [&](std::size_t offset, std::size_t size) {
    return Touches(change, context_, offset, size);
  };
  const std::size_t loadedSlots =
      kEncounterSlotsOffset + kSlotsPerIndex * static_cast<std::size_t>(std::max(loadedIndex_, 0));
  if (touches(kSlotDistributionOffset, kSlotDistributionSize) ||
      touches(loadedSlots, kSlotsPerIndex))
    LoadSlots(loadedIndex_);
  if (touches(kTilePropertiesOffset, kTilePropertiesSize * kMetatileCount))
    ShowProperties();
  if (touches(kMetatileTilesOffset, kMetatileTilesSize) ||
      touches(kMetatileAttributesOffset, kMetatileCount) ||
      touches(kWorldPaletteOffset, kWorldPaletteSize) ||
      touches(kWorldTilesOffset, kWorldTilesSize)) {
    // The tile numbers are the page's own copy; the attributes follow the image.
    metatiles_.attributes = MetatileSet::Read(std::as_const(*context_.document).view()).attributes;
    mapView_->Refresh(false);
    RedrawPicker();
  }
  FollowMap(change);
}

void MapsPage::FollowMap(const ByteChange& change) {
  const std::size_t shift = context_.document->baseShift();
  if (!change.Touches(shift + kRowPointerTableOffset, shift + kMapDataEnd))
    return;
  auto decoded = std::make_unique<WorldMapGrid>();
  decoded->fill(0);
  DecodeWorldMap(std::as_const(*context_.document).view(), *decoded);
  // Bytes that decode to the map the page last read or wrote leave the
  // grid, and the strokes not yet saved in it, as they are.
  if (decodedGrid_ && *decoded == *decodedGrid_)
    return;
  mapView_->grid() = *decoded;
  decodedGrid_ = std::move(decoded);
  mapView_->update();
  ShowFreeBytes();
}

}  // namespace kivo::ui
