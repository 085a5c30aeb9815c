// A ROM image of any bytes, opened as the program opens a file, classified,
// identified, and read by every page with a table and a palette that come
// from the same input.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/core/rom_document.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"
#include "rom_reads.h"
#include "support.h"

using namespace kivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::RomInput input = fuzz::SplitRomInput({data, size});

  CharTable table;
  ParseTableFile(table, input.table);
  MasterPalette palette;
  KIVO_FUZZ_CHECK(LoadPaletteFile(palette, fuzz::WriteScratchFile("rom.pal", input.palette)).ok);

  const std::string path = fuzz::WriteScratchFile("rom.nes", input.image);
  RomDocument document;
  const OpenOutcome opened = document.Open(path);
  KIVO_FUZZ_CHECK(opened.ok && opened.messages.empty());
  KIVO_FUZZ_CHECK(std::equal(document.image().begin(), document.image().end(), input.image.begin(),
                             input.image.end()));

  // Adopting the same bytes classifies them the same way.
  RomDocument adopted;
  adopted.Adopt({input.image.begin(), input.image.end()}, path);
  KIVO_FUZZ_CHECK(adopted.kind() == document.kind());
  KIVO_FUZZ_CHECK(adopted.baseShift() == document.baseShift());
  KIVO_FUZZ_CHECK(adopted.tablePair() == document.tablePair());
  KIVO_FUZZ_CHECK(document.editable() == ClassifyImage(size_t(document.size())).editable);

  // The pages read every image the document holds, editable or not: the
  // reads stay inside any image.
  SettingsBlock settings;
  settings.ResetToDefaults();
  fuzz::RomReadContext context{document, table, table, palette, settings, {}};
  fuzz::RunRomReads(context);
  for (const std::string& problem : context.problems)
    std::fprintf(stderr, "kivo fuzz: %s\n", problem.c_str());
  KIVO_FUZZ_CHECK(context.problems.empty());

  // Reading never changes the image.
  KIVO_FUZZ_CHECK(std::equal(document.image().begin(), document.image().end(), input.image.begin(),
                             input.image.end()));
  return 0;
}
