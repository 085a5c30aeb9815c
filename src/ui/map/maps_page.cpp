#include "ui/map/maps_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/map/tile_properties.h"
#include "model/map/world_map.h"
#include "model/text/labels.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/tabs.h"
#include "ui/gfx/swatch_row.h"
#include "ui/map/map_view.h"

namespace kivo::ui {
namespace {

constexpr std::array<int, kSlotsPerIndex> kSlotFormationIds = {1489, 1490, 1491, 1492,
                                                               1498, 1499, 1500, 1501};
constexpr std::array<int, kSlotsPerIndex> kSlotSecondIds = {1496, 1502, 1503, 1504,
                                                            1508, 1513, 1514, 1515};
constexpr std::array<int, kSlotsPerIndex> kSlotCountIds = {1497, 1505, 1506, 1507,
                                                           1509, 1510, 1511, 1512};

// The property boxes in id order; the first four show bits of the property
// byte, the others stand for bits nobody has pinned down and stay unchecked.
struct PropertyBox {
  int id;
  const char* caption;
  uint8_t flag;
};
constexpr std::array<PropertyBox, 9> kPropertyBoxes = {{
    {1602, "Teleport to...", tile_flag::kTeleport},
    {1604, "Need Canoe/Sled", tile_flag::kNeedCanoe},
    {1605, "Can't land airship", tile_flag::kNoAirshipLanding},
    {1606, "Forest", tile_flag::kForest},
    {1607, "Can't walk", 0},
    {1608, "Need Ship", 0},
    {1611, "Dock ship", 0},
    {1612, "Need Crystal Rod to enter...", 0},
    {1613, "Need Hiryuu to enter...", 0},
}};

// A box that shows a value but takes no input.
template <typename W>
W* DisplayOnly(W* widget) {
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

}  // namespace

MapsPage::MapsPage(QWidget* parent) : Page(parent) {
  // The map window lives as long as the page; it is a window of its own.
  mapView_ = new MapView(this);
  mapView_->hide();
  CreateWidgets();
  ConnectWidgets();
}

MapsPage::~MapsPage() = default;

void MapsPage::CreateWidgets() {
  auto* left = new QVBoxLayout;
  left->addWidget(CreateMapGroup());
  left->addStretch(1);
  auto* middle = new QVBoxLayout;
  middle->addWidget(CreateGraphicsGroup());
  middle->addWidget(CreatePropertiesGroup());
  middle->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(middle);
  layout->addWidget(CreateEncounterGroup(), 1);
  SetTabOrderFromLayout(*this);
}

QWidget* MapsPage::CreateMapGroup() {
  auto* group = new QGroupBox(tr("Maps"), this);
  maps_ = WithId(new QListWidget(group), 1481);
  maps_->setMaximumHeight(fontMetrics().height() * 3);
  showLeft_ = WithId(new QCheckBox(tr("Show last left click"), group), 1482);
  showRight_ = WithId(new QCheckBox(tr("Show last right click"), group), 1483);
  showViewingArea_ = WithId(new QCheckBox(tr("Show in-game viewing area"), group), 1484);
  grid_ = WithId(new QCheckBox(tr("Grid"), group), 1495);
  mysidia_ = WithId(new QCheckBox(tr("Mysidia Tower completed"), group), 1493);
  backupMap_ = WithId(new QPushButton(tr("Backup map"), group), 1521);
  restoreMap_ = WithId(new QPushButton(tr("Restore map"), group), 1485);
  backupTiles_ = WithId(new QPushButton(tr("Backup tiles"), group), 1522);
  restoreTiles_ = WithId(new QPushButton(tr("Restore tiles"), group), 1486);
  restoreMap_->setEnabled(false);
  restoreTiles_->setEnabled(false);
  freeBytes_ = WithId(new QLabel(QStringLiteral("0"), group), 1662);
  findKab_ = WithId(new QPushButton(tr("Find KAB"), group), 1663);
  single_ = WithId(new QPushButton(tr("Single"), group), 1665);
  fill_ = WithId(new QPushButton(tr("Fill"), group), 1664);
  for (QPushButton* mode : {single_, fill_})
    mode->setCheckable(true);
  auto* modes = new QButtonGroup(group);
  modes->setExclusive(true);
  modes->addButton(single_);
  modes->addButton(fill_);
  single_->setChecked(true);
  customColours_ = WithId(new QPushButton(tr("Customize colors"), group), 1527);
  changeIndexes_ = WithId(new QPushButton(tr("Change indexes"), group), 1531);
  exportPng_ = new QPushButton(tr("Export PNG..."), group);

  auto* grid = new QGridLayout(group);
  int row = 0;
  grid->addWidget(maps_, row++, 0, 1, 2);
  for (QCheckBox* box : {showLeft_, showRight_, showViewingArea_, grid_, mysidia_})
    grid->addWidget(box, row++, 0, 1, 2);
  grid->addWidget(backupMap_, row, 0);
  grid->addWidget(restoreMap_, row++, 1);
  grid->addWidget(backupTiles_, row, 0);
  grid->addWidget(restoreTiles_, row++, 1);
  auto* kab = new QHBoxLayout;
  kab->addWidget(new QLabel(tr("KAB:"), group));
  kab->addWidget(freeBytes_, 1);
  grid->addLayout(kab, row, 0);
  grid->addWidget(findKab_, row++, 1);
  grid->addWidget(single_, row, 0);
  grid->addWidget(fill_, row++, 1);
  grid->addWidget(customColours_, row, 0);
  grid->addWidget(changeIndexes_, row++, 1);
  grid->addWidget(exportPng_, row++, 0, 1, 2);
  return group;
}

QWidget* MapsPage::CreateGraphicsGroup() {
  auto* group = new QGroupBox(tr("Tiles"), this);
  for (SwatchRow*& row : swatches_)
    row = new SwatchRow(16, group);
  picker_ = new MetatilePicker(group);
  auto* backdrop = new QGroupBox(tr("Backdrop"), group);  // nothing is drawn in it
  backdrop->setMinimumSize(64, 48);
  auto* layout = new QGridLayout(group);
  layout->addWidget(swatches_[0], 0, 0);
  layout->addWidget(swatches_[1], 1, 0);
  layout->addWidget(backdrop, 0, 1, 2, 1);
  layout->addWidget(picker_, 2, 0, 1, 2);
  return group;
}

QWidget* MapsPage::CreatePropertiesGroup() {
  auto* group = new QGroupBox(tr("Tile properties"), this);
  auto* layout = new QGridLayout(group);
  for (std::size_t i = 0; i < kPropertyBoxes.size(); ++i) {
    properties_[i] = DisplayOnly(
        WithId(new QCheckBox(tr(kPropertyBoxes[i].caption), group), kPropertyBoxes[i].id));
  }
  destination_ = DisplayOnly(WithId(new QComboBox(group), 1614));
  encounterRate_ = DisplayOnly(WithId(new QComboBox(group), 1603));
  layout->addWidget(properties_[0], 0, 0);
  layout->addWidget(destination_, 0, 1);
  for (std::size_t i = 1; i < properties_.size(); ++i)
    layout->addWidget(properties_[i], 1 + static_cast<int>(i - 1) / 2, static_cast<int>(i - 1) % 2);
  layout->addWidget(encounterRate_, 5, 0, 1, 2);
  return group;
}

QWidget* MapsPage::CreateEncounterGroup() {
  auto* group = new QGroupBox(tr("Encounters"), this);
  encounterIndex_ = WithId(new QListWidget(group), 1494);
  auto* layout = new QGridLayout(group);
  layout->addWidget(new QLabel(tr("Encounter index"), group), 0, 0, 1, 3);
  layout->addWidget(encounterIndex_, 1, 0, 1, 3);
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    slotFormations_[s] = WithId(new QComboBox(group), kSlotFormationIds[s]);
    slotFormations_[s]->setMinimumContentsLength(14);
    slotSecond_[s] = WithId(new QCheckBox(tr("F-2"), group), kSlotSecondIds[s]);
    slotCounts_[s] = WithId(new QLineEdit(group), kSlotCountIds[s]);
    slotCounts_[s]->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
    auto* count = new QHBoxLayout;
    count->addWidget(slotCounts_[s]);
    count->addWidget(new QLabel(QStringLiteral("/64"), group));
    layout->addWidget(slotFormations_[s], 2 + s, 0);
    layout->addWidget(slotSecond_[s], 2 + s, 1);
    layout->addLayout(count, 2 + s, 2);
  }
  layout->setRowStretch(1, 1);
  return group;
}

void MapsPage::ConnectWidgets() {
  const std::pair<QCheckBox*, std::size_t> flags[] = {
      {showLeft_, settings::kMapShowLeftClick},
      {showRight_, settings::kMapShowRightClick},
      {showViewingArea_, settings::kMapShowViewingArea},
      {grid_, settings::kMapGrid},
  };
  for (const auto& [box, field] : flags) {
    connect(box, &QCheckBox::clicked, this, [this, field = field](bool on) {
      if (!context_.settings)
        return;
      context_.settings->SetFlag(field, on);
      RepaintAll();
    });
  }
  connect(mysidia_, &QCheckBox::clicked, this, &MapsPage::MysidiaClicked);
  connect(backupMap_, &QPushButton::clicked, this, &MapsPage::BackupMap);
  connect(restoreMap_, &QPushButton::clicked, this, &MapsPage::RestoreMap);
  connect(backupTiles_, &QPushButton::clicked, this, &MapsPage::BackupTiles);
  connect(restoreTiles_, &QPushButton::clicked, this, &MapsPage::RestoreTiles);
  connect(findKab_, &QPushButton::clicked, this, &MapsPage::ShowFreeBytes);
  connect(single_, &QPushButton::clicked, this, [this] { mapView_->SetFillMode(false); });
  connect(fill_, &QPushButton::clicked, this, [this] { mapView_->SetFillMode(true); });
  connect(customColours_, &QPushButton::clicked, this, &MapsPage::CustomiseColours);
  connect(changeIndexes_, &QPushButton::clicked, this, &MapsPage::ChangeIndexes);
  connect(exportPng_, &QPushButton::clicked, this, &MapsPage::ExportPng);
  connect(encounterIndex_, &QListWidget::currentRowChanged, this, &MapsPage::IndexPicked);
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    connect(slotCounts_[s], &QLineEdit::textChanged, this, [this, s] { SlotCountEdited(s); });
  }
  for (int row = 0; row < 2; ++row) {
    connect(swatches_[row], &SwatchRow::swatchClicked, this,
            [this, row](int k) { PickSwatchColour(row, k); });
  }
  connect(picker_, &MetatilePicker::metatileClicked, this, &MapsPage::SetCurrentMetatile);
  connect(picker_, &MetatilePicker::metatileDoubleClicked, this, [this](int metatile) {
    SetCurrentMetatile(metatile);
    EditCurrentMetatile();
  });
  connect(mapView_, &MapView::leftClicked, this, &MapsPage::MapLeftClicked);
  connect(mapView_, &MapView::rightClicked, this, &MapsPage::MapRightClicked);
  connect(mapView_, &MapView::gridChanged, this, &MapsPage::CommitGrid);
  // Encoding the map takes microseconds: the free bytes follow every stroke.
  connect(mapView_, &MapView::gridChanged, this, &MapsPage::ShowFreeBytes);
  // The slot controls and the "/64" fields commit as they are edited; the
  // other boxes are settings of the program or only show the image.
  QList<QWidget*> notEdits = {maps_, encounterIndex_, showLeft_,    showRight_,    showViewingArea_,
                              grid_, mysidia_,        destination_, encounterRate_};
  for (QCheckBox* box : properties_)
    notEdits.append(box);
  CommitOnUserEdit(
      *this, [this](QWidget* field) { CommitField(field); }, notEdits);
}

std::vector<QSignalBlocker> MapsPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  blockers.emplace_back(maps_);
  blockers.emplace_back(encounterIndex_);
  for (QCheckBox* box : {showLeft_, showRight_, showViewingArea_, grid_, mysidia_})
    blockers.emplace_back(box);
  for (int s = 0; s < kSlotsPerIndex; ++s) {
    blockers.emplace_back(slotFormations_[s]);
    blockers.emplace_back(slotSecond_[s]);
    blockers.emplace_back(slotCounts_[s]);
  }
  blockers.emplace_back(encounterRate_);
  blockers.emplace_back(destination_);
  return blockers;
}

bool MapsPage::ready() const {
  return context_.document && context_.settings && context_.palette &&
         context_.document->editable();
}

int MapsPage::currentMetatile() const {
  return context_.settings ? context_.settings->Int(settings::kCurrentMetatile) & 0x7F : 0;
}

void MapsPage::SetCurrentMetatile(int metatile) {
  if (!context_.settings || metatile < 0 || metatile >= kMetatileCount)
    return;
  context_.settings->SetInt(settings::kCurrentMetatile, metatile);
  ShowProperties();
  UpdateOutlines();
}

void MapsPage::refresh(const PageContext& context) {
  // New tables keep the map, the slot edits in progress and the page's
  // copies, whose steps the history holds.
  const bool keepMap = context.reason == RefreshReason::TablesChanged && loadedIndex_ >= 0;
  if (keepMap)
    StoreSlots();
  context_ = context;
  if (!ready()) {
    mapView_->hide();
    return;
  }
  mapView_->SetSources(context_.document, context_.settings, context_.palette);
  mapView_->Refresh(!keepMap);
  if (!keepMap || !decodedGrid_)
    decodedGrid_ = std::make_unique<WorldMapGrid>(mapView_->grid());
  mapView_->MoveFromSettings();
  if (!keepMap)
    backupState_ = {};  // the backups are lost when an image is read
  ShowBackupButtons();

  RebuildLists();
  {
    const auto blockers = BlockSignals();
    maps_->setCurrentRow(0);
    SettingsBlock& settings = *context_.settings;
    showLeft_->setChecked(settings.Flag(settings::kMapShowLeftClick));
    showRight_->setChecked(settings.Flag(settings::kMapShowRightClick));
    showViewingArea_->setChecked(settings.Flag(settings::kMapShowViewingArea));
    grid_->setChecked(settings.Flag(settings::kMapGrid));
    mysidia_->setChecked(settings.Flag(settings::kMapMysidiaCompleted));
  }
  int index = context_.settings->Int(settings::kEncounterIndex);
  if (index < 0 || index >= kEncounterIndexCount)
    index = 0;
  LoadSlots(index);
  for (SwatchRow* row : swatches_)
    row->SetMasterPalette(context_.palette);
  if (keepMap) {
    RedrawPicker();  // perhaps in another master palette
  } else {
    CopyGraphics();
    tileNumbersBackup_.fill(0);
    tileBytesBackup_.assign(tileBytes_.size(), 0);
  }
  ShowProperties();
  ShowFreeBytes();
  if (tabActive_)
    mapView_->show();
}

void MapsPage::RebuildLists() {
  const auto blockers = BlockSignals();
  maps_->clear();
  maps_->addItem(tr("World map"));
  encounterIndex_->clear();
  for (int e = 0; e < kEncounterIndexCount; ++e)
    encounterIndex_->addItem(tr("Index %1").arg(e));
  const std::vector<std::string> labels =
      RowTexts(*context_.settings, GetLabelSet(LabelSetId::Formations));
  for (QComboBox* combo : slotFormations_) {
    combo->clear();
    for (const std::string& text : labels)
      combo->addItem(QString::fromStdString(text));
  }
  destination_->clear();
  for (std::string_view name : kTeleportDestinationNames)
    destination_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  encounterRate_->clear();
  for (std::string_view name : kEncounterRateNames)
    encounterRate_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
}

void MapsPage::ShowProperties() {
  if (!context_.document)
    return;
  const auto blockers = BlockSignals();
  const TileProperties p =
      TileProperties::Read(std::as_const(*context_.document).view(), currentMetatile());
  for (std::size_t i = 0; i < kPropertyBoxes.size(); ++i)
    properties_[i]->setChecked(kPropertyBoxes[i].flag != 0 && p.Has(kPropertyBoxes[i].flag));
  destination_->setCurrentIndex(p.DestinationRow());
  destination_->setEnabled(p.Has(tile_flag::kTeleport));
  encounterRate_->setCurrentIndex(static_cast<int>(p.rate()));
}

void MapsPage::ShowFreeBytes() {
  if (!ready())
    return;
  const std::size_t size = CompressedSize(mapView_->grid(), mapView_->encoding());
  freeBytes_->setText(QString::number(FreeMapBytes(size)));
}

void MapsPage::save() {
  if (!ready())
    return;
  StoreSlots();
  LoadSlots(loadedIndex_);
  if (!MapEdited() || !decodedGrid_ ||
      CompressedSize(mapView_->grid(), mapView_->encoding()) > kMapDataCapacity) {
    return;  // a map that does not fit is refused before any store
  }
  // The grid reaches the image only here, as a step of its own that also
  // holds what the page knows the image's map to be: undone, it puts both
  // back, so the map bytes always decode to a map the history knows and the
  // grid's own steps keep their strokes.
  const ByteChange known = ByteChange::Between(*decodedGrid_, mapView_->grid());
  *decodedGrid_ = mapView_->grid();
  WorldMapWrite written;
  CommitCopies(Step(tr("Write the world map")), {{this, kDecodedGridCopy, known}},
               [&](const RomView& rom) {
                 written = WriteWorldMap(rom, mapView_->grid(), mapView_->encoding());
               });
  freeBytes_->setText(QString::number(written.freeBytes));
}

bool MapsPage::MapEdited() const {
  return !decodedGrid_ || *decodedGrid_ != mapView_->grid();
}

std::string MapsPage::saveRefusal() {
  if (!ready())
    return {};
  const std::size_t size = CompressedSize(mapView_->grid(), mapView_->encoding());
  if (size <= kMapDataCapacity)
    return {};
  freeBytes_->setText(QStringLiteral("0"));
  if (!MapEdited())
    return {};  // the image's own map stays as it is
  return WorldMapTooLargeText(size - kMapDataCapacity);
}

void MapsPage::closePage() {
  mapView_->hide();
}

void MapsPage::setTabActive(bool active) {
  tabActive_ = active;
  // Images whose editing is disabled get no map window.
  if (active && ready())
    mapView_->show();
  else
    mapView_->hide();
}

}  // namespace kivo::ui
