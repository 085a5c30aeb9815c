#include "model/editors/shop.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t kShop5 = 0x3861D + 8 * 5;
constexpr std::size_t Entry(int entry) {
  return 0x38010 + 2 * static_cast<std::size_t>(entry);
}

TEST(StoreShop, WritesSlotsInOrderSoTheLaterSlotWins) {
  ImageBuilder image;
  image.Bytes(kShop5, {0x31, 0xC0, 0x32, 0xC1, 0x00, 0xC2, 0x05, 0x10})
      .Word(Entry(0x10), 777)
      .Word(Entry(0xC2), 50);
  ShopFields f;
  // Slots 0 and 3 name item 0x40 with different "To sell" values.
  f.goods[0] = {0x3F, 0, 100, 200};
  f.goods[3] = {0x3F, 5, 300, 400};
  // Slot 1 names price row 0, as slot 0 does.
  f.goods[1] = {1, 0, 10, 250};
  // Slot 2: an empty slot nobody picked; its edits hold no number.
  f.goods[2] = {std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  f.startingGil = 12345678;
  StoreShop(image.view(), 5, f);

  const ConstRomView v = image.view();
  EXPECT_EQ(ReadPrice(v, 0x40), 300);  // slot 3 wins over slot 0
  EXPECT_EQ(ReadPrice(v, 0xC0), 250);  // slot 1 wins over slot 0
  EXPECT_EQ(ReadPrice(v, 0xC5), 400);
  EXPECT_EQ(ReadPrice(v, 0xC2), 50);  // no number: kept
  EXPECT_EQ(v.Bytes(kShop5, 8),
            (std::vector<uint8_t>{0x40, 0xC0, 0x02, 0xC0, 0x00, 0xC2, 0x40, 0xC5}));
  EXPECT_EQ(ReadStartingGil(v), 9999999);

  // Bytes without a row: the Shop page's tests.
}

}  // namespace
}  // namespace kivo
