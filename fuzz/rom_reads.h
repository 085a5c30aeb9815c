#pragma once
// Every read the pages make of a ROM image, as one list. The ROM harness runs
// each on any bytes and the bad-input tests on the images users meet, so a
// page's records join the list when the page lands and get both at once.

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

struct RomRead {
  std::string_view name;
  void (*run)(RomReadContext& context);
  // Decodes game text: costly on an image whose strings never end, where
  // every name runs on to the end of the image.
  bool decodesText = false;
};

std::span<const RomRead> RomReads();

// The editor pages' records (editor_reads.cpp, a file of its own).
void ReadEditorRecords(RomReadContext& context);

// Runs every read in list order (the caches first, as a refresh does);
// with `withText` false, only those that decode no game text.
void RunRomReads(RomReadContext& context, bool withText = true);

}  // namespace kivo::fuzz
