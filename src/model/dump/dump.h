#pragma once
// Dumps: the game data of an image as a stable JSON document (or the bytes of
// one kind), and the way back. A load is checked whole before anything is
// applied; any problem refuses all of it, and values are refused, never
// clamped. The window and kivo-cli call the same functions.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/rom_view.h"
#include "model/text/char_table.h"
#include "model/text/text_banks.h"

namespace kivo {

class RomDocument;
class SettingsBlock;

enum class DumpKind { Armor, Character, Formation, Map, Monster, Shop, Spell, Text, Weapon };
inline constexpr int kDumpKindCount = 9;
inline constexpr std::array<DumpKind, kDumpKindCount> kDumpKinds = {
    DumpKind::Armor, DumpKind::Character, DumpKind::Formation, DumpKind::Map,    DumpKind::Monster,
    DumpKind::Shop,  DumpKind::Spell,     DumpKind::Text,      DumpKind::Weapon,
};

// The kind's key in a dump ("armor").
std::string_view DumpKindKey(DumpKind kind);
std::optional<DumpKind> DumpKindOfKey(std::string_view key);

inline constexpr int kDumpVersion = 1;
// Problems a refused load lists; the rest are counted.
inline constexpr std::size_t kListedProblems = 20;

// What naming and text need. Without the tables a dump has no `_name` keys
// and no text kind, and a load of the text kind is refused.
struct DumpContext {
  const CharTable* standard = nullptr;
  const CharTable* dte = nullptr;
  const SettingsBlock* settings =
      nullptr;  // which table each text category stores with; defaults when null
  bool hasTables() const { return standard != nullptr && dte != nullptr; }
};

struct DumpOutput {
  std::string text;   // the document, ending in a line break
  std::string error;  // why nothing was dumped
};

// The JSON document of `kinds` (in the fixed kind order, each once).
DumpOutput DumpJson(const RomDocument& document, std::span<const DumpKind> kinds,
                    const DumpContext& context);

// The kind's bytes as they stand in the image, its tables in the documented
// order; for the map the decoded grid comes in place of the encoded rows.
std::vector<uint8_t> DumpBinary(const RomDocument& document, DumpKind kind);

// A range of game data: a file offset of a standalone image and its length.
struct DumpSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};
// Where the kind's data lies in the image. A load of the kind writes only there.
std::vector<DumpSpan> DumpSpans(DumpKind kind);

struct DumpLoad {
  std::vector<std::string> problems;   // by JSON path, in document order
  std::vector<std::string> overflows;  // text entries needing more bytes than they had
  bool allowOverflow = false;
  // With makeRoom, a text that grows is not an overflow: it is kept here,
  // and the load ends by repacking each bank that has one (Make room).
  bool makeRoom = false;
  std::vector<BankTextEdit> grown;
  bool otherRom = false;  // rom.crc32 names another image
  int kinds = 0;
  std::vector<std::string> loaded;  // "128 monster records", in document order
  std::size_t changedBytes = 0;
  std::vector<std::function<void(const RomView&)>> edits;

  bool ok() const { return problems.empty() && (allowOverflow || overflows.empty()); }
  // The first 20 problems (the overflows among them), one a line, and how
  // many more there are.
  std::string ProblemText() const;
  // "Load 3 kinds: 128 monster records, 60 spoils sets, ...: 412 bytes change."
  std::string Summary() const;
  // Runs every edit against `rom` (a view with the image's base shift).
  void Apply(const RomView& rom) const;
};

// Checks `text` against the image and plans its edits; nothing is applied.
// An entry whose text grows is an overflow, which refuses the load unless
// `allowOverflow`; with `makeRoom` the banks of such texts are repacked
// instead, and a bank whose texts do not fit refuses the load.
DumpLoad PlanDumpLoad(const RomDocument& document, std::string_view text,
                      const DumpContext& context, bool allowOverflow, bool makeRoom = false);

}  // namespace kivo
