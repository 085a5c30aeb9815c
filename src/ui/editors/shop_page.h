#pragma once
// The Shop page: the 28 shops with their four goods, the shared price table
// ("To buy" and "To sell") and the party's starting gil.

#include <array>
#include <vector>

#include "model/editors/shop.h"
#include "ui/framework/page.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSignalBlocker;

namespace kivo::ui {

class ShopPage : public Page {
  Q_OBJECT
 public:
  explicit ShopPage(QWidget* parent = nullptr);
  ~ShopPage() override;

  void refresh(const PageContext& context) override;
  // Stores the shown shop, then shows it again as stored.
  void save() override;
  void followImage(const ByteChange& change) override;
  void showPlace(const StepPlace& place) override;

  // The shop the fields show (-1 before the first refresh).
  int loadedIndex() const { return loaded_; }

 private:
  struct SlotWidgets {
    QComboBox* item = nullptr;
    QComboBox* price = nullptr;
    QLineEdit* toBuy = nullptr;
    QLineEdit* toSell = nullptr;
    // The price entries the two boxes show.
    uint8_t sellEntry = 0;
    uint8_t buyEntry = 0;
  };

  void CreateWidgets();
  void ConnectWidgets();
  std::vector<QSignalBlocker> BlockSignals();

  void RebuildShopList();
  void RebuildItemNames();
  void RebuildPriceRows();
  // Shows shop `index` and makes it the loaded and the remembered one.
  void Load(int index);
  ShopFields ReadFields() const;
  void StoreLoaded();
  // The fields into the image as one step named `text`.
  void Commit(const QString& text, const QString& mergeKey = {});
  void CommitField(QWidget* field);

  // The price entry a slot's edits stand for: the picked row's, else the
  // stored byte's, which is where the value goes back.
  uint8_t ItemEntry(int slot) const;
  uint8_t PriceEntry(int slot) const;
  void ShowToSell(int slot);
  void ShowToBuy(int slot);
  // How many shops share the price entry of `slot`'s To buy row.
  void ShowSharedPrice(int slot);
  // A price typed for the entry a box shows is kept before the box shows
  // another entry's price, so picking another item or price row keeps it.
  void KeepTypedPrice(const QLineEdit& box, uint8_t entry);
  void UpdatePriceRowText(int slot);

  void ShopSelected(int row);
  void ChangeLabel();

  PageContext context_;
  int loaded_ = -1;
  // The image as it was when the shop was loaded, with the typed prices a
  // row change keeps: the boxes show these prices, and every store starts
  // from them, so storing each edit as it is made leaves the bytes one store
  // at the end would.
  ShopRecord record_;  // also the bytes no row shows
  std::array<int, kPriceEntryCount> prices_{};
  int startingGil_ = 0;

  QListWidget* shops_ = nullptr;
  QPushButton* changeLabel_ = nullptr;
  std::array<SlotWidgets, kShopSlotCount> slots_{};
  QLineEdit* gilBox_ = nullptr;
};

}  // namespace kivo::ui
