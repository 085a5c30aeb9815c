// The Maps page's drawn areas and its commands: swatches, the metatile
// picker, the tile editor, backups, colours and the domain tables.

#include <QBuffer>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "model/gfx/tile_canvas.h"
#include "ui/framework/prompts.h"
#include "ui/gfx/custom_colours_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/gfx/swatch_row.h"
#include "ui/map/encounter_domains_dialog.h"
#include "ui/map/map_view.h"
#include "ui/map/maps_page.h"
#include "ui/map/tile_editor_dialog.h"

namespace kivo::ui {
namespace {

constexpr int kSwatchRowColours = 16;
constexpr int kFirstColourStep = 4;  // the first colour of each sub-palette

QRgb CustomRgb(const SettingsBlock& settings, CustomColourRole role) {
  const Rgb c = settings.CustomColour(static_cast<int>(role));
  return qRgb(c.red, c.green, c.blue);
}

}  // namespace

// MetatilePicker ------------------------------------------------------------

MetatilePicker::MetatilePicker(QWidget* parent) : QWidget(parent) {}

void MetatilePicker::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void MetatilePicker::SetOutlines(int left, QRgb leftColour, int right, QRgb rightColour) {
  left_ = left;
  right_ = right;
  leftColour_ = leftColour;
  rightColour_ = rightColour;
  update();
}

int MetatilePicker::MetatileAt(QPoint point) {
  if (point.x() < 0 || point.y() < 0 || point.x() >= kMetatileCanvasWidth ||
      point.y() >= kMetatileCanvasHeight)
    return -1;
  return (point.y() / kMetatileSize) * kMetatilesPerRow + point.x() / kMetatileSize;
}

QSize MetatilePicker::sizeHint() const {
  return {kMetatileCanvasWidth, kMetatileCanvasHeight};
}

void MetatilePicker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull())
    painter.drawImage(0, 0, picture_);
  const auto outline = [&painter](int metatile, QRgb colour) {
    if (metatile < 0)
      return;
    const PixelPoint at = MetatileOrigin(metatile);
    painter.setPen(QColor::fromRgb(colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(at.x, at.y, kMetatileSize - 1, kMetatileSize - 1);
  };
  if (left_ >= 0 && left_ == right_) {
    outline(left_, leftColour_ | rightColour_);
    return;
  }
  outline(left_, leftColour_);
  outline(right_, rightColour_);
}

void MetatilePicker::mousePressEvent(QMouseEvent* event) {
  const int m = MetatileAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && m >= 0)
    emit metatileClicked(m);
}

void MetatilePicker::mouseDoubleClickEvent(QMouseEvent* event) {
  const int m = MetatileAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && m >= 0)
    emit metatileDoubleClicked(m);
}

// MapsPage --------------------------------------------------------------------

void MapsPage::CopyGraphics() {
  const ConstRomView rom = std::as_const(*context_.document).view();
  metatiles_ = MetatileSet::Read(rom);
  tileBytes_ = ReadWorldTiles(rom);
  RedrawPicker();
}

void MapsPage::RedrawPicker() {
  if (!ready())
    return;
  const ConstRomView rom = std::as_const(*context_.document).view();
  const std::vector<uint8_t> colours = ReadWorldPalette(rom);
  for (int row = 0; row < 2; ++row) {
    swatches_[row]->SetColours(std::span(colours).subspan(
        static_cast<std::size_t>(row * kSwatchRowColours), kSwatchRowColours));
  }
  TileCanvas canvas(kMetatileCanvasWidth, kMetatileCanvasHeight);
  DrawMetatiles(canvas, *context_.palette, rom, metatiles_);
  QImage image(canvas.pixels().data(), canvas.width(), canvas.height(), canvas.stride(),
               QImage::Format_Indexed8);
  const auto table = canvas.colourTable();
  image.setColorTable(QList<QRgb>(table.begin(), table.end()));
  picker_->SetPicture(image.copy());  // the canvas goes out of scope
  UpdateOutlines();
}

void MapsPage::UpdateOutlines() {
  if (!context_.settings)
    return;
  const SettingsBlock& settings = *context_.settings;
  const int left = showLeft_->isChecked() ? currentMetatile() : -1;
  const int right =
      showRight_->isChecked() ? settings.Int(settings::kRightClickMetatile) & 0x7F : -1;
  picker_->SetOutlines(left, CustomRgb(settings, CustomColourRole::LeftClick), right,
                       CustomRgb(settings, CustomColourRole::RightClick));
}

void MapsPage::RepaintAll() {
  UpdateOutlines();
  mapView_->update();
}

void MapsPage::PickSwatchColour(int row, int k) {
  if (!ready() || k < 0 || k >= kSwatchRowColours)
    return;
  const std::size_t at =
      (row == 0 ? kWorldPaletteOffset : kWorldSpritePaletteOffset) + static_cast<std::size_t>(k);
  const std::optional<uint8_t> chosen =
      SelectColour(this, *context_.palette, std::as_const(*context_.document).view().Byte(at));
  if (!chosen)
    return;
  const QString entry =
      QStringLiteral("%1").arg(row * kSwatchRowColours + k, 2, 16, QLatin1Char('0'));
  CommitEdit(context_, this, Step(tr("Change world map colour 0x%1").arg(entry.toUpper())),
             [&](const RomView& rom) {
               rom.SetByte(at, *chosen);
               // The first colour of a sub-palette is the backdrop every sub-palette shares.
               if (k % kFirstColourStep == 0) {
                 for (std::size_t j = 0; j < kWorldPaletteSize; j += kFirstColourStep)
                   rom.SetByte(kWorldPaletteOffset + j, *chosen);
               }
             });
  mapView_->Refresh(false);
  RedrawPicker();
}

void MapsPage::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint inPicker = picker_->mapFrom(this, event->position().toPoint());
  const int m = MetatilePicker::MetatileAt(inPicker);
  if (m >= 0)
    SetCurrentMetatile(m);
  EditCurrentMetatile();
}

void MapsPage::EditCurrentMetatile() {
  if (!ready())
    return;
  const std::array<uint8_t, kMetatileTilesSize> numbersBefore = metatiles_.tileNumbers;
  const std::vector<uint8_t> bytesBefore = tileBytes_;
  const int metatile = currentMetatile();
  TileEditorDialog dialog(std::as_const(*context_.document), *context_.palette, *context_.settings,
                          tileBytes_, metatiles_, metatile, this);
  if (prompts().RunModal(dialog) != kDialogOk)
    return;
  // The dialog's palette and attribute, and the page's tile copies it
  // changed, as one step.
  const QString number = QStringLiteral("%1").arg(metatile, 2, 16, QLatin1Char('0')).toUpper();
  CommitCopies(
      Step(tr("Edit metatile 0x%1").arg(number)),
      {{this, kTileNumbersCopy, ByteChange::Between(numbersBefore, metatiles_.tileNumbers)},
       {this, kTileBytesCopy, ByteChange::Between(bytesBefore, tileBytes_)}},
      [&](const RomView& rom) {
        dialog.WriteTo(rom);
        metatiles_.WriteTileNumbers(rom);
        rom.SetBytes(kWorldTilesOffset, tileBytes_);
      });
  metatiles_.attributes = MetatileSet::Read(std::as_const(*context_.document).view()).attributes;
  mapView_->Refresh(false);
  RedrawPicker();
}

void MapsPage::BackupMap() {
  if (!ready())
    return;
  const auto before = std::make_unique<WorldMapGrid>(mapView_->backupGrid());
  const std::array<uint8_t, 2> stateBefore = backupState_;
  mapView_->backupGrid() = mapView_->grid();
  backupState_[kMapBackedUp] = 1;
  ShowBackupButtons();
  CommitCopies(Step(tr("Backup map")),
               {{this, kBackupGridCopy, ByteChange::Between(*before, mapView_->backupGrid())},
                {this, kBackupStateCopy, ByteChange::Between(stateBefore, backupState_)}});
  prompts().Message(this, tr("Map has been backed up."), MessageIcon::None);
}

void MapsPage::RestoreMap() {
  if (!ready())
    return;
  const auto before = std::make_unique<WorldMapGrid>(mapView_->grid());
  mapView_->grid() = mapView_->backupGrid();
  mapView_->update();
  CommitGridStep(tr("Restore map"), ByteChange::Between(*before, mapView_->grid()), {-1, -1});
  prompts().Message(this, tr("Backed up map has been restored."), MessageIcon::None);
}

void MapsPage::BackupTiles() {
  if (!ready())
    return;
  const std::array<uint8_t, kMetatileTilesSize> numbersBefore = tileNumbersBackup_;
  const std::vector<uint8_t> bytesBefore = tileBytesBackup_;
  const std::array<uint8_t, 2> stateBefore = backupState_;
  if (prompts().AskYesNo(this, tr("Backup TSA data?"))) {
    tileNumbersBackup_ = metatiles_.tileNumbers;
    backupState_[kTileBackupMask] |= 1;
    prompts().Message(this, tr("TSA data has been backed up."), MessageIcon::None);
  }
  if (prompts().AskYesNo(this, tr("Backup raw graphic data?"))) {
    tileBytesBackup_ = tileBytes_;
    backupState_[kTileBackupMask] |= 2;
    prompts().Message(this, tr("Raw graphic data has been backed up."), MessageIcon::None);
  }
  ShowBackupButtons();
  CommitCopies(
      Step(tr("Backup tiles")),
      {{this, kTileNumbersBackupCopy, ByteChange::Between(numbersBefore, tileNumbersBackup_)},
       {this, kTileBytesBackupCopy, ByteChange::Between(bytesBefore, tileBytesBackup_)},
       {this, kBackupStateCopy, ByteChange::Between(stateBefore, backupState_)}});
}

void MapsPage::RestoreTiles() {
  if (!ready())
    return;
  const std::array<uint8_t, kMetatileTilesSize> numbersBefore = metatiles_.tileNumbers;
  const std::vector<uint8_t> bytesBefore = tileBytes_;
  const int mask = backupState_[kTileBackupMask];
  // Restored copies reach the image when the tile editor is next closed with OK.
  if ((mask & 1) && prompts().AskYesNo(this, tr("Restore backed up TSA data?"))) {
    metatiles_.tileNumbers = tileNumbersBackup_;
    prompts().Message(this, tr("Backed up TSA data has been restored."), MessageIcon::None);
  }
  if ((mask & 2) && prompts().AskYesNo(this, tr("Restore backed up raw graphic data?"))) {
    tileBytes_ = tileBytesBackup_;
    prompts().Message(this, tr("Backed up raw graphic data has been restored."), MessageIcon::None);
  }
  CommitCopies(
      Step(tr("Restore tiles")),
      {{this, kTileNumbersCopy, ByteChange::Between(numbersBefore, metatiles_.tileNumbers)},
       {this, kTileBytesCopy, ByteChange::Between(bytesBefore, tileBytes_)}});
  RedrawPicker();
}

void MapsPage::CustomiseColours() {
  if (!context_.settings)
    return;
  if (ui::CustomiseColours(this, *context_.settings))
    RepaintAll();
}

void MapsPage::ChangeIndexes() {
  if (!ready())
    return;
  // The dialog may change the index shown: keep the slot edits first.
  StoreSlots();
  EncounterDomainsDialog dialog(std::as_const(*context_.document), this);
  const bool ok = prompts().RunModal(dialog) == kDialogOk;
  // A table stored on switching stays stored without OK as well.
  CommitEdit(context_, this, Step(tr("Change the encounter indexes")),
             [&](const RomView& rom) { dialog.WriteTo(rom); });
  if (!ok)
    return;
  const SettingsBlock& settings = *context_.settings;
  SelectIndexFromCell(settings.Int(settings::kLeftClickCell),
                      settings.Int(settings::kLeftClickCell + 4));
}

void MapsPage::ExportPng() {
  if (!ready())
    return;
  const QString path =
      ChooseSaveFile(this, {{QStringLiteral("PNG images (*.png)"), QStringLiteral("*.png")}});
  if (path.isEmpty())
    return;
  // Encoded in memory and written safely, so a failed export leaves an
  // older picture whole and the message can say why.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  std::string failure = mapView_->RenderWholeMap().save(&buffer, "PNG")
                            ? std::string()
                            : "the picture cannot be encoded";
  if (failure.empty()) {
    failure = SafeWriteFile(path.toStdString(), {reinterpret_cast<const uint8_t*>(png.constData()),
                                                 static_cast<std::size_t>(png.size())});
  }
  if (!failure.empty()) {
    prompts().Message(this, tr("Cannot write the picture to %1.").arg(path), MessageIcon::Error,
                      QString::fromLatin1(kDefaultCaption),
                      QString::fromStdString(FileProblem(path.toStdString(), failure)));
  }
}

}  // namespace kivo::ui
