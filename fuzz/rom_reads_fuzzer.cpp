// The pages' reads of a ROM image, one group of fuzz/rom_reads.cpp to a
// harness (KIVO_FUZZ_READS names it: Text, Editors or Map). The image is the
// demo image with a patch from the input laid over it, cut short where the
// input says (support.h); the caches are built as a refresh builds them, then
// the input picks one read of the group. Every read gives one row per entry
// and a colour per pixel, an unedited entry plans no write, and reading
// changes no byte.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "demo/demo_tables.h"
#include "model/core/rom_document.h"
#include "model/gfx/metatiles.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"
#include "rom_reads.h"
#include "support.h"

using namespace kivo;

namespace {

constexpr fuzz::ReadSet kGroup = fuzz::ReadSet::KIVO_FUZZ_READS;
// Only the text harness takes its table from the input; the others read the
// demo image with the demo's table.
constexpr bool kWithTable = kGroup == fuzz::ReadSet::Text;
constexpr bool kWithCaches = kGroup != fuzz::ReadSet::Map;

// The harness's bytes besides the patch, and the longest patch each reads: a
// pointer table of 256 entries with text after it; the largest record table
// (the monsters', 1,280 bytes); the world map's tile sheet.
constexpr std::size_t kFraming = 6 + (kWithTable ? 2 + 1024 : 0);
constexpr std::size_t kPatch = kGroup == fuzz::ReadSet::Text      ? 0x600
                               : kGroup == fuzz::ReadSet::Editors ? 0x500
                                                                  : kWorldTilesSize;

}  // namespace

KIVO_FUZZ_MAX_LEN(kFraming + kPatch)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<const fuzz::RomRead*> reads = fuzz::ReadsOf(kGroup);
  static const std::vector<const fuzz::RomRead*> caches = fuzz::ReadsOf(fuzz::ReadSet::Caches);
  static const CharTable demoTable = demo::DemoDteTable();
  static const MasterPalette palette;
  static const SettingsBlock defaults = [] {
    SettingsBlock block;
    block.ResetToDefaults();
    return block;
  }();

  const std::optional<fuzz::ImageInput> input = fuzz::SplitImageInput({data, size}, kWithTable);
  if (!input)
    return 0;
  CharTable table = demoTable;
  if (kWithTable) {
    table = CharTable{};
    ParseTableFile(table, input->table);
  }
  const std::vector<uint8_t> image = fuzz::PatchedImage(*input);
  RomDocument document;
  document.Adopt(image, "fuzz.nes");

  // The pages read every image the document holds, editable or not: the
  // reads stay inside any image.
  SettingsBlock settings = defaults;
  fuzz::RomReadContext context{document, table, table, palette, settings, {}};
  if (kWithCaches) {
    for (const fuzz::RomRead* read : caches)
      read->run(context);
  }
  reads[input->pick % reads.size()]->run(context);
  for (const std::string& problem : context.problems)
    std::fprintf(stderr, "kivo fuzz: %s\n", problem.c_str());
  KIVO_FUZZ_CHECK(context.problems.empty());

  // Reading never changes the image.
  KIVO_FUZZ_CHECK(
      std::equal(document.image().begin(), document.image().end(), image.begin(), image.end()));
  return 0;
}
