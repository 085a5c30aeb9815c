#pragma once
// Everything the program holds for one run: the ROM document, the six
// character tables, the master palette and the settings block.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"

namespace kivo::ui {

struct LoadedTable {
  CharTable table{};
  bool loaded = false;
  TableEncoding encoding = TableEncoding::Utf8;
};

struct AppState {
  RomDocument document;
  std::array<LoadedTable, kTableKindCount> tables;  // indexed by TableKind
  MasterPalette palette;
  SettingsBlock settings;
  std::string dataFilePath;  // Kivo.dat, fixed at start-up

  LoadedTable& table(TableKind kind) { return tables[static_cast<std::size_t>(kind)]; }
  const LoadedTable& table(TableKind kind) const { return tables[static_cast<std::size_t>(kind)]; }
};

// Loads a table file into the state, keeping the encoding it was read in.
// Returns the loader's failure message, if any.
std::optional<Message> LoadTable(AppState& state, TableKind kind, const std::string& path);

}  // namespace kivo::ui
