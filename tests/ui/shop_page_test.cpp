#include "ui/editors/shop_page.h"

#include <QDialog>
#include <QtTest/QTest>
#include <tuple>

#include "demo/demo_shops.h"
#include "model/text/labels.h"
#include "ui/framework/dialog.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr auto Shop = [](int index) { return 0x3861D + 8 * static_cast<std::size_t>(index); };
constexpr auto Entry = [](int entry) { return 0x38010 + 2 * static_cast<std::size_t>(entry); };

using test::DemoImage;

// Slot k's controls: item, price row, "To buy", "To sell".
constexpr int kItem[] = {1223, 1224, 1225, 1226};
constexpr int kPrice[] = {1227, 1228, 1229, 1230};
constexpr int kToBuy[] = {1408, 1409, 1410, 1411};
constexpr int kToSell[] = {1427, 1428, 1429, 1430};
constexpr int kStartingGilEdit = 1379;

class ShopPageTest : public test::PageTest<ui::ShopPage> {
 protected:
  QListWidget* Shops() { return List(1221); }
  void SelectShop(int row) { Shops()->setCurrentRow(row); }
  int Price(int entry) const { return Word(Entry(entry)); }
};

TEST_F(ShopPageTest, RefreshFillsTheListsAndShowsTheRememberedShop) {
  SetLabel(settings, GetLabelSet(LabelSetId::Shops), 2, "Kivo Forge");
  settings.SetInt(settings::kSelectedShop, 5);
  Open(DemoImage());

  EXPECT_EQ(Shops()->item(2)->text(), QStringLiteral("Kivo Forge"));
  EXPECT_EQ(Shops()->item(27)->text(), QStringLiteral("Kivo Passage - Magic"));
  EXPECT_EQ(page->loadedIndex(), 5);
  EXPECT_EQ(Combo(kItem[3])->itemText(190).toStdString(), demo::DemoItemName(0xBF));
  EXPECT_EQ(Combo(kPrice[3])->itemText(63), QString::number(Price(0xFF)));

  for (int k = 0; k < 4; ++k) {
    // The slot as stored, with the two prices its bytes lead to.
    const uint8_t item = Byte(Shop(5) + 2 * k);
    const uint8_t priceByte = Byte(Shop(5) + 2 * k + 1);
    EXPECT_EQ(Combo(kItem[k])->currentIndex(), item - 1);
    EXPECT_EQ(Combo(kPrice[k])->currentIndex(), priceByte - 0xC0);
    EXPECT_EQ(Text(kToSell[k]), QString::number(Price(item)));
    EXPECT_EQ(Text(kToBuy[k]), QString::number(Price(priceByte)));
  }
  EXPECT_EQ(Text(kStartingGilEdit), QString::number(demo::kDemoStartingGil));
}

TEST_F(ShopPageTest, PricesClampAndFollowThePickedRows) {
  Open(DemoImage());
  const std::vector<uint8_t> before = Image();

  // Typing into "To buy" rewrites the selected price row at once, clamped.
  const int row = Combo(kPrice[0])->currentIndex();
  Type(kToBuy[0], QStringLiteral("70000"));
  EXPECT_EQ(Combo(kPrice[0])->itemText(row), QStringLiteral("65535"));
  EXPECT_EQ(Combo(kPrice[1])->itemText(row), QString::number(Price(0xC0 + row)));
  page->save();
  EXPECT_EQ(Price(0xC0 + row), 65535);
  EXPECT_EQ(Combo(kPrice[1])->itemText(row), QStringLiteral("65535")) << "every list, once stored";

  // Another price row shows its price; storing it back changes only the
  // price byte.
  Open(DemoImage());
  Pick(kPrice[1], 40);
  EXPECT_EQ(Text(kToBuy[1]), QString::number(Price(0xC0 + 40)));
  std::vector<uint8_t> expected = before;
  page->save();
  expected[Shop(0) + 3] = 0xC0 + 40;
  EXPECT_EQ(Image(), expected);

  // Picking an item shows its own price in "To sell".
  Pick(kItem[2], 0x20 - 1);
  EXPECT_EQ(Text(kToSell[2]), QString::number(Price(0x20)));

  // Starting gil clamps to seven digits, three bytes.
  Type(kStartingGilEdit, QStringLiteral("12345678"));
  page->save();
  EXPECT_EQ(Bytes(0xB0C, 3), (std::vector<uint8_t>{0x7F, 0x96, 0x98}));
}

TEST_F(ShopPageTest, BytesWithoutRowsAndEditsWithoutANumberKeepTheStoredValues) {
  demo::ImageBuilder image = DemoImage();
  // Slot 0: an item byte of 0xC0 or more; slot 1: a price byte below 0xC0.
  image.Bytes(Shop(3), {0xC4, 0xC2, 0x31, 0x15}).Word(Entry(0xC4), 1500).Word(Entry(0x15), 90);
  settings.SetInt(settings::kSelectedShop, 3);
  Open(image);
  EXPECT_EQ(Combo(kItem[0])->currentIndex(), -1);
  EXPECT_EQ(Text(kToSell[0]), QStringLiteral("1500"));
  EXPECT_EQ(Text(kToBuy[1]), QStringLiteral("90"));
  Type(kToBuy[1], QStringLiteral("95"));
  page->save();
  EXPECT_EQ(Bytes(Shop(3), 4), (std::vector<uint8_t>{0xC4, 0xC2, 0x31, 0x15}));
  EXPECT_EQ(Price(0x15), 95);

  // An empty slot keeps item byte 0; empty edits keep the prices and the gil.
  SelectShop(demo::kDemoHalfEmptyShop);
  EXPECT_EQ(Combo(kItem[2])->currentIndex(), -1);
  Type(kToBuy[0], QString());
  Type(kStartingGilEdit, QString());
  EXPECT_TRUE(SaveChangesNothing());
}

TEST_F(ShopPageTest, ATypedPriceIsKeptWhenTheSlotPicksAnotherRow) {
  Open(DemoImage());
  const uint8_t item = Byte(Shop(0));
  const uint8_t priceByte = Byte(Shop(0) + 1);
  for (auto [box, row, entry] :
       {std::tuple{kToSell[0], kItem[0], item}, std::tuple{kToBuy[0], kPrice[0], priceByte}}) {
    Edit(box)->clear();
    QTest::keyClicks(Edit(box), QStringLiteral("500"));
    Pick(row, Combo(row)->currentIndex() == 5 ? 6 : 5);
    EXPECT_EQ(Price(entry), 500) << box;
    EXPECT_NE(Text(box), QStringLiteral("500")) << "the box shows the new row's price";
  }
  // A price shown but not typed is not written again: the pick alone is stored.
  std::vector<uint8_t> expected = Image();
  Pick(kItem[1], 7);
  expected[Shop(0) + 2] = 8;
  EXPECT_EQ(Image(), expected);
}

TEST_F(ShopPageTest, EditsAreStoredAsMadeAndEndAsOneStoreAtSaveWould) {
  Open(DemoImage());
  QUndoStack& steps = RecordSteps();
  std::vector<uint8_t> expected = Image();
  const uint8_t item = Byte(Shop(0));

  Leave(kToSell[0], QStringLiteral("1234"));
  EXPECT_EQ(Price(item), 1234);
  EXPECT_EQ(steps.undoText(), QStringLiteral("Edit To sell 1 of ") + Shops()->item(0)->text());
  // Slot 1 on the same entry stores the price as loaded; being later, it
  // wins, as at Save.
  Pick(kItem[1], item - 1);
  // A box emptied after its value was stored keeps the value as loaded.
  Leave(kStartingGilEdit, QStringLiteral("500"));
  Leave(kStartingGilEdit, QString());
  expected[Shop(0) + 2] = item;
  EXPECT_EQ(Image(), expected);
}

}  // namespace
}  // namespace kivo
