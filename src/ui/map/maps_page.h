#pragma once
// The Maps page: the world map's metatiles, palette and random encounters,
// beside the map view window in which the map itself is painted.

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/gfx/metatiles.h"
#include "model/map/encounters.h"
#include "model/map/world_map.h"
#include "ui/framework/page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class MapView;
class SwatchRow;

// The 128 metatiles drawn from the page's copies, 256 x 128 at 1x; metatile m
// covers (16 * (m & 15), 16 * (m >> 4)) of the widget and a press picks it.
class MetatilePicker : public QWidget {
  Q_OBJECT
 public:
  explicit MetatilePicker(QWidget* parent = nullptr);

  void SetPicture(const QImage& picture);
  // Outlines: -1 shows none. When both name one metatile it gets one outline
  // in the bitwise OR of the two colours.
  void SetOutlines(int left, QRgb leftColour, int right, QRgb rightColour);
  // The metatile under `point` (widget pixels), or -1.
  static int MetatileAt(QPoint point);
  const QImage& picture() const { return picture_; }
  int leftOutline() const { return left_; }
  int rightOutline() const { return right_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void metatileClicked(int metatile);
  void metatileDoubleClicked(int metatile);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  int left_ = -1;
  int right_ = -1;
  QRgb leftColour_ = 0;
  QRgb rightColour_ = 0;
};

class MapsPage : public Page {
  Q_OBJECT
 public:
  explicit MapsPage(QWidget* parent = nullptr);
  ~MapsPage() override;

  void refresh(const PageContext& context) override;
  // The slots and distribution, then the map.
  void save() override;
  // Refuses while the map does not fit its room in the image.
  std::string saveRefusal() override;
  void setTabActive(bool active) override;
  // The map window goes with the main window, so the program can end.
  void closePage() override;
  void followImage(const ByteChange& change) override;
  // A grid step scrolls its cell into view; a slot step selects its index.
  void showPlace(const StepPlace& place) override;
  void applyToCopy(int copy, const ByteChange& change, bool redo) override;

  MapView& mapView() const { return *mapView_; }
  MetatilePicker& picker() const { return *picker_; }
  SwatchRow& swatches(int row) const { return *swatches_[row]; }
  // The encounter index the slot controls show (-1 before the first refresh).
  int loadedIndex() const { return loadedIndex_; }
  int backupMask() const { return backupState_[kTileBackupMask]; }
  const MetatileSet& metatiles() const { return metatiles_; }
  const std::vector<uint8_t>& tileBytes() const { return tileBytes_; }

  // What a double click on the page does: the tile editor for the current metatile.
  void EditCurrentMetatile();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void CreateWidgets();
  QWidget* CreateMapGroup();
  QWidget* CreateGraphicsGroup();
  QWidget* CreatePropertiesGroup();
  QWidget* CreateEncounterGroup();
  void ConnectWidgets();
  std::vector<QSignalBlocker> BlockSignals();

  // The page's own copies that take part in the edit history.
  enum Copy {
    kGridCopy,
    kBackupGridCopy,
    kTileNumbersCopy,
    kTileBytesCopy,
    kTileNumbersBackupCopy,
    kTileBytesBackupCopy,
    kBackupStateCopy,
    kDecodedGridCopy,  // the map the image holds, as the page last read or wrote it
  };
  // backupState_: the tile backup mask (bit 0 tile numbers, bit 1 tile
  // bytes), and whether the map has been backed up.
  enum { kTileBackupMask, kMapBackedUp };
  std::span<uint8_t> CopyBytes(int copy);
  // A step of changes the page made in its copies, with an edit of the
  // image (applied straight to it for a page without a history).
  void CommitCopies(const StepInfo& step, std::vector<CopyEdit> copies, const ImageEdit& edit = {});
  StepInfo Step(const QString& text, int record = -1) const;
  void ShowBackupButtons();

  bool ready() const;
  int currentMetatile() const;
  void SetCurrentMetatile(int metatile);

  void RebuildLists();
  void CopyGraphics();
  void RedrawPicker();
  void UpdateOutlines();
  void ShowProperties();
  void ShowFreeBytes();

  // Encounters.
  // Shows the slots of `index` and the "/64" fields as the image holds them.
  void LoadSlots(int index);
  void ShowCounts();
  // Stores the slot controls and the "/64" fields as the step "Edit Index E".
  void StoreSlots();
  void CommitSlots(const StepInfo& step);
  void CommitField(QWidget* field);
  void SelectIndexFromCell(int x, int y);
  void IndexPicked(int row);
  void SlotCountEdited(int slot);
  void MysidiaClicked();
  void ChangeIndexes();

  // Map view reactions.
  void MapLeftClicked(int x, int y);
  void MapRightClicked(int x, int y);
  void CommitGrid(const ByteChange& change, bool fill, QPoint cell);
  // A step of the grid made at `cell`, or, off the map, at the first cell it changed.
  void CommitGridStep(const QString& text, const ByteChange& change, QPoint cell);
  // Decodes the grid again when the image's map bytes decode to another map.
  void FollowMap(const ByteChange& change);

  void PickSwatchColour(int row, int k);
  void BackupMap();
  void RestoreMap();
  void BackupTiles();
  void RestoreTiles();
  void CustomiseColours();
  void ExportPng();
  void RepaintAll();

  // Whether the map differs from what the image holds: an unedited map is
  // never rewritten (nor refused when its encoding would not fit).
  bool MapEdited() const;

  PageContext context_;
  MapView* mapView_ = nullptr;
  std::unique_ptr<WorldMapGrid> decodedGrid_;
  // The counts the "/64" fields were last filled with: unedited fields leave
  // a table they cannot show as it is.
  SlotCounts shownCounts_{};
  bool tabActive_ = false;
  int loadedIndex_ = -1;

  MetatileSet metatiles_;
  std::vector<uint8_t> tileBytes_;
  std::array<uint8_t, kMetatileTilesSize> tileNumbersBackup_{};
  std::vector<uint8_t> tileBytesBackup_;
  std::array<uint8_t, 2> backupState_{};

  QListWidget* maps_ = nullptr;
  QCheckBox* showLeft_ = nullptr;
  QCheckBox* showRight_ = nullptr;
  QCheckBox* showViewingArea_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QCheckBox* mysidia_ = nullptr;
  QPushButton* backupMap_ = nullptr;
  QPushButton* restoreMap_ = nullptr;
  QPushButton* backupTiles_ = nullptr;
  QPushButton* restoreTiles_ = nullptr;
  QLabel* freeBytes_ = nullptr;
  QPushButton* findKab_ = nullptr;
  QPushButton* single_ = nullptr;
  QPushButton* fill_ = nullptr;
  QPushButton* customColours_ = nullptr;
  QPushButton* changeIndexes_ = nullptr;
  QPushButton* exportPng_ = nullptr;
  QListWidget* encounterIndex_ = nullptr;
  std::array<QComboBox*, kSlotsPerIndex> slotFormations_{};
  std::array<QCheckBox*, kSlotsPerIndex> slotSecond_{};
  std::array<QLineEdit*, kSlotsPerIndex> slotCounts_{};
  std::array<QCheckBox*, 9> properties_{};
  QComboBox* encounterRate_ = nullptr;
  QComboBox* destination_ = nullptr;
  std::array<SwatchRow*, 2> swatches_{};
  MetatilePicker* picker_ = nullptr;
};

}  // namespace kivo::ui
