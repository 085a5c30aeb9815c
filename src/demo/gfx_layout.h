#pragma once
// Places world-map graphics in a synthetic image: tiles, metatile
// definitions and the world palette, at the game's offsets.

#include <array>
#include <cstdint>
#include <span>

#include "demo/image_builder.h"

namespace kivo::demo {

// Tile bytes whose every pixel has colour value `value` (0..3).
std::array<uint8_t, 16> SolidTile(int value);

// Tile `t` (0..255) of the world-map tile sheet.
void PlaceWorldTile(ImageBuilder& image, int t, std::span<const uint8_t, 16> tile);
// Metatile `m` (0..127): its tiles top-left, top-right, bottom-left,
// bottom-right, and its sub-palette (0..3) stored as an attribute byte.
void PlaceMetatile(ImageBuilder& image, int m, std::array<uint8_t, 4> tiles, int subPalette);
// The 32 world palette bytes (a shorter span fills only the first ones).
void PlaceWorldPalette(ImageBuilder& image, std::span<const uint8_t> colours);

// A complete, recognisable set for the demo image: a palette of sea, grass,
// mountain and sand colours, patterned tiles, and 128 metatiles that each
// look different.
void PlaceDemoWorldGraphics(ImageBuilder& image);

}  // namespace kivo::demo
