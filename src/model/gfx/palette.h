#pragma once
// The master palette: the screen colour of each of the 64 NES colour numbers.
// There is one per program; every picture of game colours looks its colours
// up here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/core/message.h"
#include "model/core/settings.h"

namespace kivo {

inline constexpr int kNesColourCount = 64;
// Game colour bytes above 0x3F would index past the table; every lookup masks.
inline constexpr uint8_t kNesColourMask = 0x3F;

// A .pal file: 64 records of red, green, blue; anything after them is ignored.
inline constexpr std::size_t kPaletteFileSize = 3 * kNesColourCount;

inline constexpr const char* kPaletteLoadFailedText =
    "Could not load the palette file. Colors will not display properly.";
inline constexpr const char* kPaletteNotChosenText = "Failed to open palette!";
inline constexpr const char* kPaletteLoadedText = "Palette loaded.";

// Laid out as a bitmap colour-table entry (and a QRgb in memory on the
// machines Kivo runs on): blue, green, red, then a reserved byte that the
// loader never writes. Kivo keeps it 0xFF so every colour is opaque.
struct ColourEntry {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0xFF;

  bool operator==(const ColourEntry&) const = default;
};
static_assert(sizeof(ColourEntry) == 4);

// 0xAARRGGBB with alpha 0xFF: the value a QRgb holds.
inline constexpr uint32_t OpaqueArgb(uint8_t red, uint8_t green, uint8_t blue) {
  return 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

class MasterPalette {
 public:
  // Starts with the computed NTSC colours, so pictures look right before any
  // palette file is loaded.
  MasterPalette();

  const ColourEntry& operator[](uint8_t number) const { return entries_[number & kNesColourMask]; }
  ColourEntry& operator[](uint8_t number) { return entries_[number & kNesColourMask]; }

  Rgb Colour(uint8_t number) const;
  // The colour as an opaque QRgb-compatible value, for canvas colour tables.
  uint32_t Argb(uint8_t number) const;

  std::span<const ColourEntry, kNesColourCount> entries() const { return entries_; }

  bool operator==(const MasterPalette&) const = default;

 private:
  std::array<ColourEntry, kNesColourCount> entries_;
};

struct PaletteLoadOutcome {
  bool ok = false;
  Messages messages;  // what to show, in order
};

// Reads the first 192 bytes of a .pal file into `palette`. A shorter file
// changes only the entries and components it covers. A file that cannot be
// opened or read leaves the palette as it was and returns the warning to show.
PaletteLoadOutcome LoadPaletteFile(MasterPalette& palette, const std::string& path);

}  // namespace kivo
