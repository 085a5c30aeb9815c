#include "ui/map/tile_editor_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/tile_codec.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/map/tile_editor_areas.h"

namespace kivo::ui {
namespace {

constexpr int kInvertId = 1680;
constexpr int kLeftClickColour = 0;  // custom colour that outlines the chosen tile
constexpr int kBackgroundColours = 16;

Quarter QuarterOf(int quarter) {
  return static_cast<Quarter>(quarter & 3);
}

QGroupBox* Framed(const QString& title, QWidget* area, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(area, 0, Qt::AlignCenter);
  return box;
}

}  // namespace

TileEditorDialog::TileEditorDialog(const RomDocument& document, const MasterPalette& palette,
                                   const SettingsBlock& settings, std::vector<uint8_t>& tileBytes,
                                   MetatileSet& set, int metatile, QWidget* parent)
    : Dialog(parent),
      document_(document),
      master_(palette),
      settings_(settings),
      pageTileBytes_(tileBytes),
      pageSet_(set),
      metatile_(metatile & (kMetatileCount - 1)),
      set_(set),
      tileBytes_(tileBytes),
      subPalette_(set.SubPalette(metatile_)),
      canvas_(kSheetSize, kSheetSize) {
  const std::vector<uint8_t> colours = ReadWorldPalette(document_.view());
  std::copy_n(colours.begin(), std::min(colours.size(), palette_.size()), palette_.begin());
  setWindowTitle(tr("Editing tiles"));
  CreateWidgets();
  ConnectWidgets();
  Repaint();
}

void TileEditorDialog::CreateWidgets() {
  quarters_ = new QuarterArea(canvas_, this);
  closeUp_ = new CloseUpArea(canvas_, this);
  paletteRows_ = new PaletteRowsArea(master_, this);
  sheet_ = new RawSheetArea(canvas_, this);
  quarters_->setObjectName(QStringLiteral("quarters"));
  closeUp_->setObjectName(QStringLiteral("closeUp"));
  paletteRows_->setObjectName(QStringLiteral("paletteRows"));
  sheet_->setObjectName(QStringLiteral("rawGraphics"));

  auto* invert = WithId(new QPushButton(tr("Invert"), this), kInvertId);
  invert->setCheckable(true);     // a push-like check box
  invert->setAutoDefault(false);  // Enter stays OK while it has the focus
  invert_ = invert;

  auto* closeUpBox = new QGroupBox(tr("Close-up"), this);
  auto* closeUpLayout = new QVBoxLayout(closeUpBox);
  closeUpLayout->addWidget(closeUp_, 0, Qt::AlignCenter);
  closeUpLayout->addWidget(invert_, 0, Qt::AlignCenter);

  auto* top = new QHBoxLayout;
  top->addWidget(Framed(tr("Tile"), quarters_, this), 0, Qt::AlignTop);
  top->addWidget(closeUpBox, 0, Qt::AlignTop);

  auto* left = new QVBoxLayout;
  left->addLayout(top);
  left->addWidget(Framed(tr("Palettes"), paletteRows_, this));
  left->addStretch();

  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addWidget(Framed(tr("Raw graphics"), sheet_, this), 0, Qt::AlignTop);

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  WithId(buttons->addButton(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TileEditorDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TileEditorDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabOrderFromLayout(*this);
}

void TileEditorDialog::ConnectWidgets() {
  connect(sheet_, &RawSheetArea::cellClicked, this, &TileEditorDialog::PickTile);
  connect(quarters_, &QuarterArea::quarterClicked, this, &TileEditorDialog::SelectQuarter);
  connect(paletteRows_, &PaletteRowsArea::rowClicked, this, &TileEditorDialog::SelectSubPalette);
  connect(paletteRows_, &PaletteRowsArea::swatchDoubleClicked, this,
          &TileEditorDialog::ChangeColour);
  connect(closeUp_, &CloseUpArea::pixelClicked, this, &TileEditorDialog::ClickCloseUp);
  connect(invert_, &QAbstractButton::toggled, this, &TileEditorDialog::SetInvertMode);
}

uint8_t TileEditorDialog::SelectedTile() const {
  return set_.Tile(metatile_, QuarterOf(quarter_));
}

void TileEditorDialog::Repaint() {
  canvas_.SetColours(master_, std::span<const uint8_t>(palette_).first(kBackgroundColours));
  canvas_.DrawSheet(tileBytes_, subPalette_);

  const Rgb custom = settings_.CustomColour(kLeftClickColour);
  const QColor frame(custom.red, custom.green, custom.blue);
  std::array<uint8_t, 4> tiles{};
  for (int q = 0; q < 4; ++q)
    tiles[q] = set_.Tile(metatile_, QuarterOf(q));
  quarters_->SetTiles(tiles, quarter_, frame);
  sheet_->SetSelected(SelectedTile(), frame);
  closeUp_->SetTile(SelectedTile());
  paletteRows_->SetColours(std::span<const uint8_t>(palette_).first(kBackgroundColours),
                           subPalette_);
}

void TileEditorDialog::PickTile(int tile) {
  set_.SetTile(metatile_, QuarterOf(quarter_), static_cast<uint8_t>(tile));
  Repaint();
}

void TileEditorDialog::SelectQuarter(int quarter) {
  quarter_ = quarter & 3;
  Repaint();
}

void TileEditorDialog::SelectSubPalette(int row) {
  subPalette_ = row & 3;
  Repaint();
}

void TileEditorDialog::ChangeColour(int column, int row) {
  const std::size_t entry = static_cast<std::size_t>(4 * row + column);
  if (entry >= kBackgroundColours)
    return;
  const std::optional<uint8_t> chosen = SelectColour(this, master_, palette_[entry]);
  if (!chosen)
    return;
  palette_[entry] = *chosen;
  // Colour 0 is the backdrop every sub-palette shares.
  if (column == 0) {
    for (std::size_t k = 0; k < palette_.size(); k += 4)
      palette_[k] = *chosen;
  }
  Repaint();
}

void TileEditorDialog::ClickCloseUp(int column, int row) {
  if (invert_->isChecked()) {
    const int tile = SelectedTile();
    const uint8_t value = TileColourValue(SheetTile(tileBytes_, tile), column, row);
    if (!firstColour_) {
      firstColour_ = value;
    } else {
      const uint8_t first = *firstColour_;
      firstColour_.reset();
      if (first == value)
        prompts().Message(this, QString::fromLatin1(kInvertSameColourText), MessageIcon::Error);
      else
        SwapSheetTileColours(tileBytes_, tile, first, value);
    }
  }
  Repaint();
}

void TileEditorDialog::SetInvertMode(bool on) {
  firstColour_.reset();
  if (on)
    prompts().Message(this, QString::fromLatin1(kInvertPromptText), MessageIcon::None);
}

void TileEditorDialog::accept() {
  pageSet_.tileNumbers = set_.tileNumbers;
  pageSet_.attributes[static_cast<std::size_t>(metatile_)] = AttributeOfSubPalette(subPalette_);
  pageTileBytes_ = tileBytes_;
  Dialog::accept();
}

void TileEditorDialog::WriteTo(const RomView& rom) const {
  rom.SetBytes(kWorldPaletteOffset, palette_);
  rom.SetByte(kMetatileAttributesOffset + static_cast<std::size_t>(metatile_),
              AttributeOfSubPalette(subPalette_));
}

}  // namespace kivo::ui
