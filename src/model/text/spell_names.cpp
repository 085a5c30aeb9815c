#include "model/text/spell_names.h"

#include <vector>

#include "model/core/settings.h"
#include "model/text/name_tables.h"

namespace kivo {

void RebuildSpellNameCache(std::span<const uint8_t> image, uint32_t baseShift, const CharTable& dte,
                           SettingsBlock& settings) {
  static_assert(settings::kSpellNameCache.width == kSpellNameBytes + 1);
  static_assert(settings::kSpellNameCache.count == kSpellNameTable.count + 1);
  settings.SetField(settings::kSpellNameCache, 0, kAttackName);
  const std::vector<std::string> names = DecodeNames(image, baseShift, kSpellNameTable, dte);
  for (int j = 0; j < kSpellNameTable.count; ++j) {
    settings.SetField(settings::kSpellNameCache, 1 + j, names[j]);
  }
}

std::string SpellCacheName(const SettingsBlock& settings, int index) {
  return settings.Field(settings::kSpellNameCache, index);
}

}  // namespace kivo
