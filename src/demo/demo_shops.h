#pragma once
// The 28 shops of the demo image with their goods, the price table (the
// items' own prices and the 64 shop prices) and the starting gil, written as
// the Shop page writes them. Goods follow the demo item names: a weapon shop
// of tier t sells material t of four weapon kinds, and so on.

#include "demo/image_builder.h"

namespace kivo::demo {

inline constexpr int kDemoStartingGil = 400;
// A shop whose last two slots are empty (item byte 0).
inline constexpr int kDemoHalfEmptyShop = 10;

void PlaceDemoShops(ImageBuilder& image);

}  // namespace kivo::demo
