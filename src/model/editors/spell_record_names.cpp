#include "model/editors/spell_record_names.h"

#include "model/text/text_categories.h"

#include "model/core/settings.h"
#include "model/editors/spell.h"

namespace kivo {

std::size_t SpellRecordOffset(int record) {
  return kSpellRecords + kSpellRecordSize * static_cast<std::size_t>(record);
}

std::string SpellRecordName(const ConstRomView& rom, const SettingsBlock& settings, int record) {
  if (record < 0 || record >= kSpellRecordCount)
    return {};
  const std::size_t at = SpellRecordOffset(record);
  return SpellRecordText(settings, rom.Byte(at), rom.Byte(at + 1));
}

std::vector<std::string> SpellRecordNames(const ConstRomView& rom, const SettingsBlock& settings) {
  std::vector<std::string> names;
  names.reserve(kSpellRecordCount);
  for (int m = 0; m < kSpellRecordCount; ++m)
    names.push_back(SpellRecordName(rom, settings, m));
  return names;
}

bool TouchesSpellRecordNames(const ByteChange& change, uint32_t baseShift) {
  const std::size_t records = kSpellRecords + baseShift;
  return TouchesText(change, baseShift) ||
         change.Touches(records, records + kSpellRecordSize * kSpellRecordCount);
}

}  // namespace kivo
