// A palette file of any bytes: the first 192 set the colours they cover and
// nothing else changes.

#include <algorithm>

#include "model/gfx/palette.h"
#include "support.h"

using namespace kivo;

// Bytes past the 192 colours are ignored; a few show that they are.
KIVO_FUZZ_MAX_LEN(kPaletteFileSize + 8)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MasterPalette before;
  MasterPalette palette;
  const PaletteLoadOutcome outcome =
      LoadPaletteFile(palette, fuzz::WriteScratchFile("fuzz.pal", {data, size}));
  KIVO_FUZZ_CHECK(outcome.ok && outcome.messages.empty());

  const std::size_t covered = std::min(size, kPaletteFileSize);
  for (int n = 0; n < kNesColourCount; ++n) {
    const ColourEntry& e = palette[static_cast<uint8_t>(n)];
    const ColourEntry& old = before[static_cast<uint8_t>(n)];
    const std::size_t at = 3 * static_cast<std::size_t>(n);
    KIVO_FUZZ_CHECK(e.red == (at < covered ? data[at] : old.red));
    KIVO_FUZZ_CHECK(e.green == (at + 1 < covered ? data[at + 1] : old.green));
    KIVO_FUZZ_CHECK(e.blue == (at + 2 < covered ? data[at + 2] : old.blue));
    KIVO_FUZZ_CHECK(e.reserved == 0xFF);
  }
  // Every game colour byte, valid or not, finds an opaque colour.
  for (int number = 0; number < 256; ++number)
    KIVO_FUZZ_CHECK((palette.Argb(static_cast<uint8_t>(number)) >> 24) == 0xFF);
  return 0;
}
