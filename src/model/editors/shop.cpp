#include "model/editors/shop.h"

#include <algorithm>

namespace kivo {

std::size_t ShopRecordOffset(int index) {
  return kShopRecords + kShopRecordSize * static_cast<std::size_t>(index);
}

ShopRecord ShopRecord::Read(const ConstRomView& view, int index) {
  ShopRecord r;
  if (!IsShopIndex(index))
    return r;
  const std::size_t at = ShopRecordOffset(index);
  for (int k = 0; k < kShopSlotCount; ++k) {
    r.goods[k].item = view.Byte(at + 2 * k);
    r.goods[k].priceByte = view.Byte(at + 2 * k + 1);
  }
  return r;
}

void ShopRecord::Write(const RomView& view, int index) const {
  if (!IsShopIndex(index))
    return;
  const std::size_t at = ShopRecordOffset(index);
  for (int k = 0; k < kShopSlotCount; ++k) {
    view.SetByte(at + 2 * k, goods[k].item);
    view.SetByte(at + 2 * k + 1, goods[k].priceByte);
  }
}

std::optional<int> ItemRowOf(uint8_t item) {
  if (item == kEmptySlotItem || item > kShopItemRowCount)
    return std::nullopt;
  return item - 1;
}

uint8_t ItemOfRow(int row) {
  return static_cast<uint8_t>(std::clamp(row, 0, kShopItemRowCount - 1) + 1);
}

std::optional<int> PriceRowOf(uint8_t priceByte) {
  if (priceByte < kFirstPriceByte)
    return std::nullopt;
  return priceByte - kFirstPriceByte;
}

uint8_t PriceByteOfRow(int row) {
  return static_cast<uint8_t>(kFirstPriceByte + std::clamp(row, 0, kPriceRowCount - 1));
}

int ClampPrice(int value) {
  return std::clamp(value, 0, kMaxPrice);
}

int ReadPrice(const ConstRomView& view, uint8_t entry) {
  return view.Word(kPriceTable + 2 * std::size_t{entry});
}

void WritePrice(const RomView& view, uint8_t entry, int value) {
  view.SetWord(kPriceTable + 2 * std::size_t{entry}, static_cast<uint16_t>(ClampPrice(value)));
}

int ClampStartingGil(int value) {
  return std::clamp(value, 0, kMaxStartingGil);
}

int ReadStartingGil(const ConstRomView& view) {
  return view.Byte(kStartingGil) | view.Byte(kStartingGil + 1) << 8 |
         view.Byte(kStartingGil + 2) << 16;
}

void WriteStartingGil(const RomView& view, int value) {
  const auto gil = static_cast<uint32_t>(ClampStartingGil(value));
  for (std::size_t i = 0; i < kStartingGilSize; ++i)
    view.SetByte(kStartingGil + i, static_cast<uint8_t>(gil >> (8 * i)));
}

void StoreShop(const RomView& view, int index, const ShopFields& fields) {
  if (!IsShopIndex(index))
    return;
  ShopRecord record = ShopRecord::Read(view, index);
  for (int k = 0; k < kShopSlotCount; ++k) {
    ShopSlot& slot = record.goods[k];
    const ShopSlotFields& f = fields.goods[k];
    if (f.itemRow)
      slot.item = ItemOfRow(*f.itemRow);
    if (f.toSell)
      WritePrice(view, slot.item, *f.toSell);
    if (f.priceRow)
      slot.priceByte = PriceByteOfRow(*f.priceRow);
    if (f.toBuy)
      WritePrice(view, slot.priceByte, *f.toBuy);
  }
  record.Write(view, index);
  if (fields.startingGil)
    WriteStartingGil(view, *fields.startingGil);
}

}  // namespace kivo
