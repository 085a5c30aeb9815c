#pragma once
// The spell name cache in the settings block: field 0 "Attack", field 1 + j
// the name of spell j of the spell name table. The Spells, Equipment and
// Monster pages show spells by these names.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/text/char_table.h"

namespace kivo {

class SettingsBlock;

inline constexpr std::string_view kAttackName = "Attack";
// A cache field holds 15 bytes and a zero byte.
inline constexpr std::size_t kSpellNameBytes = 15;

// Rebuilds every field from the image, so no list ever shows a name left over
// from another ROM or an earlier run. Names are cut to 15 bytes without
// splitting a character.
void RebuildSpellNameCache(std::span<const uint8_t> image, uint32_t baseShift, const CharTable& dte,
                           SettingsBlock& settings);

// Field `index` of the cache (0 "Attack" once rebuilt); empty out of range.
std::string SpellCacheName(const SettingsBlock& settings, int index);

}  // namespace kivo
