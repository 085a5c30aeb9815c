#pragma once
// Character tables: the 256 texts a byte code of the game's text stands for,
// loaded from .tbl files. Entries are UTF-8; a DTE entry holds two characters.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/core/message.h"

namespace kivo {

using CharTable = std::array<std::string, 256>;

enum class TableKind {
  Ff2Standard = 0,
  Ff2StandardDte = 1,
  Ff2Prototype = 2,
  Ff2PrototypeDte = 3,
  Ff1Standard = 4,
  Ff1StandardDte = 5,
};
inline constexpr int kTableKindCount = 6;

// How the bytes of a table file were read.
enum class TableEncoding { Utf8, ShiftJis, Windows1252 };
std::string_view TableEncodingName(TableEncoding encoding);

struct TableLoadResult {
  bool ok = false;
  TableEncoding encoding = TableEncoding::Utf8;
  std::optional<Message> message;  // the kind's failure message when !ok
};

// Reads a .tbl file into `table`. When the file cannot be read the table is
// left as it was and the kind's message is returned.
TableLoadResult LoadTableFile(CharTable& table, const std::string& path, TableKind kind);

// The parsing step of LoadTableFile on bytes already read: empties every
// entry, then fills the table from the lines. Returns the encoding used.
TableEncoding ParseTableFile(CharTable& table, std::span<const uint8_t> bytes);

}  // namespace kivo
