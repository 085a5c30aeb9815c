#include "demo/demo_shops.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/editors/shop.h"
#include "model/text/name_tables.h"

namespace kivo::demo {
namespace {

enum class Goods { Weapons, Armour, Magic, Items };

struct DemoShop {
  Goods goods;
  int tier;  // material of the goods, or the first spell / item group
};
// In the order of the default shop names.
constexpr std::array<DemoShop, kShopCount> kShops = {{
    {Goods::Weapons, 0}, {Goods::Armour, 0},  {Goods::Magic, 0},   {Goods::Weapons, 6},
    {Goods::Armour, 6},  {Goods::Weapons, 1}, {Goods::Armour, 1},  {Goods::Weapons, 2},
    {Goods::Armour, 2},  {Goods::Magic, 1},   {Goods::Weapons, 7}, {Goods::Weapons, 3},
    {Goods::Armour, 3},  {Goods::Magic, 2},   {Goods::Weapons, 4}, {Goods::Armour, 4},
    {Goods::Magic, 3},   {Goods::Weapons, 5}, {Goods::Armour, 5},  {Goods::Magic, 4},
    {Goods::Weapons, 8}, {Goods::Armour, 7},  {Goods::Magic, 5},   {Goods::Items, 3},
    {Goods::Items, 0},   {Goods::Items, 1},   {Goods::Items, 2},   {Goods::Magic, 6},
}};

// The 64 shop prices, cheapest first.
constexpr std::array<uint16_t, kPriceRowCount> kPrices = {
    5,     10,    15,    20,    25,    30,    40,    50,    60,    70,    80,    90,    100,
    120,   150,   180,   200,   250,   300,   350,   400,   450,   500,   600,   700,   800,
    900,   1000,  1200,  1500,  1800,  2000,  2500,  3000,  3500,  4000,  4500,  5000,  6000,
    7000,  8000,  9000,  10000, 12000, 14000, 16000, 18000, 20000, 22000, 25000, 28000, 30000,
    33000, 36000, 40000, 43000, 46000, 50000, 53000, 56000, 60000, 62000, 64000, 65000,
};

// Weapon kinds knife, spear, sword, axe (of nine materials each); armour
// kinds cap, robe, mail, gloves (of eight materials each).
constexpr std::array<int, kShopSlotCount> kWeaponKinds = {0, 1, 3, 4};
constexpr std::array<int, kShopSlotCount> kArmourKinds = {0, 2, 3, 4};

struct Good {
  uint8_t item;
  int priceRow;
};

Good GoodOf(const DemoShop& shop, int slot) {
  const int t = shop.tier;
  switch (shop.goods) {
    case Goods::Weapons:
      return {static_cast<uint8_t>(kWeaponIds.first + 9 * kWeaponKinds[slot] + t),
              6 + 6 * t + slot};
    case Goods::Armour:
      return {static_cast<uint8_t>(kArmourIds.first + 8 * kArmourKinds[slot] + t),
              4 + 6 * t + slot};
    case Goods::Magic:
      return {static_cast<uint8_t>(kSpellScrollIds.first + 4 * t + slot), 12 + 5 * t + slot};
    case Goods::Items:
      return {static_cast<uint8_t>(kItemIds.first + 4 * t + slot), 2 * slot};
  }
  return {};
}

// An item's own price ("To sell"): half of what its shop asks, or a small
// price by id for the goods no shop sells.
uint16_t OwnPrice(uint8_t item) {
  return static_cast<uint16_t>(10 + 5 * (item % 20));
}

}  // namespace

void PlaceDemoShops(ImageBuilder& image) {
  for (int id = kAllItemIds.first; id <= kAllItemIds.last; ++id)
    image.Word(kPriceTable + 2 * std::size_t(id), OwnPrice(static_cast<uint8_t>(id)));
  for (int r = 0; r < kPriceRowCount; ++r)
    image.Word(kPriceTable + 2 * std::size_t(PriceByteOfRow(r)), kPrices[r]);

  for (int s = 0; s < kShopCount; ++s) {
    ShopRecord record;
    for (int k = 0; k < kShopSlotCount; ++k) {
      const Good good = GoodOf(kShops[s], k);
      const int row = std::min(good.priceRow, kPriceRowCount - 1);
      if (s == kDemoHalfEmptyShop && k >= 2) {
        record.goods[k] = {kEmptySlotItem, kFirstPriceByte};
        continue;
      }
      record.goods[k] = {good.item, PriceByteOfRow(row)};
      image.Word(kPriceTable + 2 * std::size_t(good.item), kPrices[row] / 2);
    }
    record.Write(image.view(), s);
  }
  WriteStartingGil(image.view(), kDemoStartingGil);
}

}  // namespace kivo::demo
