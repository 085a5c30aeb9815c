// A ROM file of any size, opened as the program opens a file, classified and
// identified: it opens from disk as it adopts, its release and header are
// read (the Image reads of rom_reads.cpp), and reading changes no byte. The
// pages' reads of the image have harnesses of their own (rom_reads_fuzzer.cpp).
//
// The input: three bytes of the image's size (little-endian, modulo 0x80110,
// so every kind of image but the 16 MB one is in reach), then its header and
// then its title, 16 bytes each; the rest of the image is zeros.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/core/rom_document.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"
#include "rom_reads.h"
#include "support.h"

using namespace kivo;

KIVO_FUZZ_MAX_LEN(3 + kHeaderSize + kTitleSize)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<const fuzz::RomRead*> reads = fuzz::ReadsOf(fuzz::ReadSet::Image);
  if (size < 3)
    return 0;
  const std::size_t imageSize =
      (data[0] | data[1] << 8 | data[2] << 16) % (kCombinationSize + 0x100);
  const std::span<const uint8_t> rest(data + 3, size - 3);
  const std::span<const uint8_t> header = rest.first(std::min(rest.size(), kHeaderSize));
  const std::span<const uint8_t> title =
      rest.subspan(header.size()).first(std::min(rest.size() - header.size(), kTitleSize));

  std::vector<uint8_t> image(imageSize);
  std::copy_n(header.begin(), std::min(header.size(), image.size()), image.begin());
  const std::size_t titleAt = ClassifyImage(imageSize).baseShift + kTitleOffset;
  if (titleAt < image.size())
    std::copy_n(title.begin(), std::min(title.size(), image.size() - titleAt),
                image.begin() + static_cast<std::ptrdiff_t>(titleAt));

  const std::string path = fuzz::WriteScratchFile("rom.nes", image);
  RomDocument document;
  const OpenOutcome opened = document.Open(path);
  KIVO_FUZZ_CHECK(opened.ok && opened.messages.empty());
  KIVO_FUZZ_CHECK(
      std::equal(document.image().begin(), document.image().end(), image.begin(), image.end()));

  // Adopting the same bytes classifies them the same way.
  RomDocument adopted;
  adopted.Adopt(image, path);
  KIVO_FUZZ_CHECK(adopted.kind() == document.kind());
  KIVO_FUZZ_CHECK(adopted.baseShift() == document.baseShift());
  KIVO_FUZZ_CHECK(adopted.tablePair() == document.tablePair());
  KIVO_FUZZ_CHECK(document.editable() == ClassifyImage(size_t(document.size())).editable);

  const CharTable table;
  const MasterPalette palette;
  SettingsBlock settings;
  fuzz::RomReadContext context{document, table, table, palette, settings, {}};
  for (const fuzz::RomRead* read : reads)
    read->run(context);
  for (const std::string& problem : context.problems)
    std::fprintf(stderr, "kivo fuzz: %s\n", problem.c_str());
  KIVO_FUZZ_CHECK(context.problems.empty());

  // Reading never changes the image.
  KIVO_FUZZ_CHECK(
      std::equal(document.image().begin(), document.image().end(), image.begin(), image.end()));
  return 0;
}
