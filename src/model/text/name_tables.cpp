#include "model/text/name_tables.h"

#include "model/core/rom_view.h"
#include "model/core/settings.h"
#include "model/text/codec.h"

namespace kivo {

std::vector<std::string> DecodeNameRange(std::span<const uint8_t> image, int count,
                                         std::size_t pointerTable, std::size_t textBase,
                                         const CharTable& table) {
  std::vector<std::string> names;
  if (count < 1)
    return names;
  names.reserve(count);
  const ConstRomView absolute(image, 0);
  for (int i = 0; i < count; ++i) {
    const uint16_t pointer = absolute.Word(pointerTable + 2 * std::size_t(i));
    names.push_back(DecodeString(image, textBase + pointer, table));
  }
  return names;
}

std::vector<std::string> DecodeNames(std::span<const uint8_t> image, uint32_t baseShift,
                                     const PointerTable& names, const CharTable& table) {
  return DecodeNameRange(image, names.count, names.offset + baseShift, names.textBase + baseShift,
                         table);
}

void BuildKeywordNames(std::span<const uint8_t> image, uint32_t baseShift, const CharTable& dte,
                       SettingsBlock& settings) {
  static_assert(settings::kKeywordNameCache.width == kKeywordNameBytes + 1);
  const std::vector<std::string> names = DecodeNames(image, baseShift, kItemNameTable, dte);
  settings.SetField(settings::kKeywordNameCache, 0, "");
  for (int i = 1; i < settings::kKeywordNameCache.count; ++i) {
    // SetField keeps at most width - 1 bytes and never splits a character.
    settings.SetField(settings::kKeywordNameCache, i, names[i]);
  }
}

}  // namespace kivo
