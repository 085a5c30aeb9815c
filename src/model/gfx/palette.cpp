#include "model/gfx/palette.h"

#include "model/core/file_io.h"
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
  // Only the first 192 bytes matter, so a huge file is never read whole.
  // Reading into a buffer first means a read error (a folder, a FIFO, a
  // device) leaves the palette untouched rather than half loaded.
  const FileBytes file = ReadFileStart(path, kPaletteFileSize);
  if (!file) {
    return {false, {Message{kPaletteLoadFailedText, MessageIcon::Warning, kDefaultCaption,
                            FileProblem(path, file.reason)}}};
  }
  const std::span<const uint8_t> bytes = file.bytes;
  const std::size_t count = bytes.size();

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
