#include "model/editors/spell_record_names.h"

#include <cstdio>

#include "model/core/settings.h"
#include "model/text/spell_names.h"

namespace kivo {

std::size_t SpellRecordOffset(int record) {
  return kSpellRecords + kSpellRecordSize * static_cast<std::size_t>(record);
}

std::string SpellRecordName(const ConstRomView& rom, const SettingsBlock& settings, int record) {
  if (record < 0 || record >= kSpellRecordCount)
    return {};
  const std::size_t at = SpellRecordOffset(record);
  const uint8_t spell = rom.Byte(at);
  const int level = rom.Byte(at + 1);
  if (spell == kUnusedSpellRecord)
    return kUnusedSpellRecordText;
  std::string name;
  if (spell < settings::kSpellNameCache.count) {
    name = SpellCacheName(settings, spell);
  } else {
    char raw[24];
    std::snprintf(raw, sizeof raw, "(raw value 0x%02X)", spell);
    name = raw;
  }
  return name + ' ' + std::to_string(level);
}

std::vector<std::string> SpellRecordNames(const ConstRomView& rom, const SettingsBlock& settings) {
  std::vector<std::string> names;
  names.reserve(kSpellRecordCount);
  for (int m = 0; m < kSpellRecordCount; ++m)
    names.push_back(SpellRecordName(rom, settings, m));
  return names;
}

}  // namespace kivo
