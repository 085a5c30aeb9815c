#include "model/gfx/palette.h"

#include <cstdio>
#include <memory>

#include "model/gfx/ntsc_palette.h"

namespace kivo {

MasterPalette::MasterPalette() {
  const std::array<Rgb, kNesColourCount> ntsc = NtscPalette();
  for (int n = 0; n < kNesColourCount; ++n) {
    entries_[n] = ColourEntry{ntsc[n].blue, ntsc[n].green, ntsc[n].red, 0xFF};
  }
}

Rgb MasterPalette::Colour(uint8_t number) const {
  const ColourEntry& e = (*this)[number];
  return Rgb{e.red, e.green, e.blue};
}

uint32_t MasterPalette::Argb(uint8_t number) const {
  const ColourEntry& e = (*this)[number];
  return OpaqueArgb(e.red, e.green, e.blue);
}

PaletteLoadOutcome LoadPaletteFile(MasterPalette& palette, const std::string& path) {
  const PaletteLoadOutcome failed{false, {Message{kPaletteLoadFailedText, MessageIcon::Warning}}};
  // Only the first 192 bytes matter, so a huge file is never read whole.
  // Reading into a buffer first means a read error (a folder, a device that
  // fails) leaves the palette untouched rather than half loaded.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file)
    return failed;
  uint8_t bytes[kPaletteFileSize];
  const std::size_t count = std::fread(bytes, 1, sizeof bytes, file.get());
  if (std::ferror(file.get()))
    return failed;

  // Record i is red, green, blue of colour i; a short file covers fewer components.
  for (std::size_t k = 0; k < count; ++k) {
    ColourEntry& e = palette[static_cast<uint8_t>(k / 3)];
    switch (k % 3) {
      case 0:
        e.red = bytes[k];
        break;
      case 1:
        e.green = bytes[k];
        break;
      default:
        e.blue = bytes[k];
        break;
    }
  }
  return {true, {}};
}

}  // namespace kivo
