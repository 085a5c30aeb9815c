#pragma once
// How the 135 spell records are named in the lists that pick one (a weapon's
// cast spell, a monster's AI actions): the spell name cache field their
// byte 0 names and their level, or "Unused".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/core/byte_change.h"
#include "model/core/rom_view.h"

namespace kivo {

class SettingsBlock;

// Record m lies at kSpellRecords + kSpellRecordSize * m (file offsets).
inline constexpr std::size_t kSpellRecords = 0x30346;
inline constexpr std::size_t kSpellRecordSize = 5;
inline constexpr int kSpellRecordCount = 135;
inline constexpr uint8_t kUnusedSpellRecord = 0xFF;  // byte 0 of an empty record

inline constexpr const char* kUnusedSpellRecordText = "Unused";

std::size_t SpellRecordOffset(int record);

// "Unused" for an empty record, else "%s %d" of the cache field byte 0 names
// and the level byte. A byte 0 past the cache's 71 fields names its raw value
// instead ("(raw value 0x47) 3"), so it is never read from another field.
// Empty for a record outside 0..134.
std::string SpellRecordName(const ConstRomView& rom, const SettingsBlock& settings, int record);
// The names of all 135 records, in record order.
std::vector<std::string> SpellRecordNames(const ConstRomView& rom, const SettingsBlock& settings);

// Whether `change` (image indexes) touches what the records' names come
// from: the game's text or the records themselves.
bool TouchesSpellRecordNames(const ByteChange& change, uint32_t baseShift);

}  // namespace kivo
