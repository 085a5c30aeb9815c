#pragma once
// The 28 shops, the shared price table and the party's starting gil. A shop
// slot names an item and a price byte; both lead into the one price table,
// so two slots naming the same item or price row edit the same entry and the
// one stored last wins.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/core/rom_view.h"

namespace kivo {

// Shop s lies at kShopRecords + kShopRecordSize * s: four slots of an item
// byte and a price byte.
inline constexpr std::size_t kShopRecords = 0x3861D;
inline constexpr std::size_t kShopRecordSize = 8;
inline constexpr int kShopCount = 28;
inline constexpr int kShopSlotCount = 4;

// 256 little-endian words: entries 0x01..0xBF are the items' own prices,
// 0xC0..0xFF the 64 shop prices that price bytes select.
inline constexpr std::size_t kPriceTable = 0x38010;
inline constexpr int kPriceEntryCount = 256;
inline constexpr std::size_t kPriceTableSize = 2 * kPriceEntryCount;
inline constexpr uint8_t kFirstPriceByte = 0xC0;
inline constexpr int kPriceRowCount = 64;
inline constexpr int kShopItemRowCount = 191;  // item ids 0x01..0xBF
inline constexpr uint8_t kEmptySlotItem = 0;

// Three bytes, little-endian.
inline constexpr std::size_t kStartingGil = 0xB0C;
inline constexpr std::size_t kStartingGilSize = 3;

inline constexpr int kMaxPrice = 0xFFFF;
inline constexpr int kMaxStartingGil = 9999999;

struct ShopSlot {
  uint8_t item = kEmptySlotItem;
  uint8_t priceByte = kFirstPriceByte;
  bool operator==(const ShopSlot&) const = default;
};

struct ShopRecord {
  std::array<ShopSlot, kShopSlotCount> goods{};

  // Shop `index` (0..27); any other index reads as an empty shop.
  static ShopRecord Read(const ConstRomView& view, int index);
  // Writes the eight bytes as they are; an index outside 0..27 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const ShopRecord&) const = default;
};

std::size_t ShopRecordOffset(int index);
constexpr bool IsShopIndex(int index) {
  return index >= 0 && index < kShopCount;
}

// Item combo rows: row r is item id r + 1. Item 0 (an empty slot) and ids of
// 0xC0 and above have no row.
std::optional<int> ItemRowOf(uint8_t item);
uint8_t ItemOfRow(int row);
// Price combo rows: row r is price byte 0xC0 + r; bytes below 0xC0 have no row.
std::optional<int> PriceRowOf(uint8_t priceByte);
uint8_t PriceByteOfRow(int row);

int ReadPrice(const ConstRomView& view, uint8_t entry);
// Clamps to 0..65535.
void WritePrice(const RomView& view, uint8_t entry, int value);
int ClampPrice(int value);

int ReadStartingGil(const ConstRomView& view);
// Clamps to 0..9999999 and writes three bytes.
void WriteStartingGil(const RomView& view, int value);
int ClampStartingGil(int value);

// What the page holds for one slot when it stores. A row the user never
// picked (nothing) keeps the stored byte; a price edit holding no number
// (nothing) keeps the entry's value.
struct ShopSlotFields {
  std::optional<int> itemRow;
  std::optional<int> priceRow;
  std::optional<int> toSell;
  std::optional<int> toBuy;
};

struct ShopFields {
  std::array<ShopSlotFields, kShopSlotCount> goods{};
  std::optional<int> startingGil;
};

// Stores shop `index`: for each slot in order the item byte, its "To sell"
// price, the price byte and its "To buy" price, so on a shared entry the
// later slot wins; then the starting gil.
void StoreShop(const RomView& view, int index, const ShopFields& fields);

}  // namespace kivo
