#pragma once
// Every read the pages make of a ROM image, as one list. The harnesses of
// fuzz/ run each on any bytes (each harness its own group of reads) and the
// bad-input tests run the whole list on the images users meet, so a page's
// records join the list when the page lands and get both at once.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"

namespace kivo::fuzz {

struct RomReadContext {
  const RomDocument& document;
  const CharTable& standardTable;
  const CharTable& dteTable;
  const MasterPalette& palette;
  SettingsBlock& settings;  // the caches the reads rebuild live here
  // What a read found wrong: a result no page may be given.
  std::vector<std::string> problems;

  void Expect(bool holds, std::string_view what);
};

// Which harness runs a read. The caches come before the reads of the text
// and the editors, as a refresh builds them first.
enum class ReadSet {
  Image,    // the image as opened: release and header (rom)
  Caches,   // the keyword and spell name caches in the settings
  Text,     // name tables, text categories, labels (rom_text)
  Editors,  // the editor pages' records (rom_editors)
  Map,      // world map, metatiles, encounters (rom_map)
};

struct RomRead {
  std::string_view name;
  void (*run)(RomReadContext& context);
  ReadSet group;
  // Decodes game text: costly on an image whose strings never end, where
  // every name runs on to the end of the image.
  bool decodesText = false;
};

std::span<const RomRead> RomReads();
// The reads of one group, in list order.
std::vector<const RomRead*> ReadsOf(ReadSet group);

// The editor pages' records (editor_reads.cpp, a file of its own).
void ReadEditorRecords(RomReadContext& context);

// Runs every read in list order (the caches first, as a refresh does);
// with `withText` false, only those that decode no game text.
void RunRomReads(RomReadContext& context, bool withText = true);

}  // namespace kivo::fuzz
