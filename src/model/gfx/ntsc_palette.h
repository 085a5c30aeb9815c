#pragma once
// The colours Kivo shows before a palette file is loaded, computed from the
// NES video signal rather than taken from any stored table.

#include <array>
#include <cstdint>

#include "model/core/settings.h"

namespace kivo {

// Red, green, blue of each of the 64 NES colour numbers.
std::array<Rgb, 64> NtscPalette();

}  // namespace kivo
