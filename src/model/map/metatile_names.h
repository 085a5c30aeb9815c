#pragma once
// The names of the 128 world map metatiles, as lists that pick a metatile
// by name show them (the map itself shows metatiles as pictures).

#include <array>
#include <string_view>

namespace kivo {

inline constexpr int kMetatileNameCount = 128;

const std::array<std::string_view, kMetatileNameCount>& MetatileNames();
// The name of metatile `metatile` (its low 7 bits).
std::string_view MetatileName(int metatile);

}  // namespace kivo
