// text: every entry of the Text page's editable categories, decoded as the
// page shows it.

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/text/char_table.h"
#include "model/text/codec.h"
#include "model/text/name_tables.h"
#include "model/text/text_banks.h"
#include "model/text/text_categories.h"

namespace kivo::cli {
namespace {

using nlohmann::json;

constexpr std::string_view kTextUsage = "text FILE --standard S.tbl --dte D.tbl [--json]";

// Splits "NAME VALUE" off the arguments; false when NAME or its value is missing.
bool TakeOption(Args& args, std::string_view name, std::string& value) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == name) {
      value = args[i + 1];
      args.erase(args.begin() + i, args.begin() + i + 2);
      return true;
    }
  }
  return false;
}

std::string Hex(std::size_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%zX", value);
  return text;
}

// Dialogue lines go on lines of their own, indented under the entry.
void PrintText(std::ostream& out, const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos)
      end = text.size();
    out << "    | " << std::string_view(text).substr(start, end - start) << '\n';
    start = end + 2;
  }
}

void PrintPlain(std::ostream& out, int index, const TextCategory& category,
                const std::vector<TextEntry>& entries) {
  out << index << ' ' << category.rowText << '\n';
  for (std::size_t row = 0; row < entries.size(); ++row) {
    const TextEntry& e = entries[row];
    out << "  " << row << ": pointer "
        << (e.location.hasPointer ? Hex(e.location.pointerLocation) : "-----") << ", value "
        << (e.location.hasPointer ? Hex(e.location.pointerValue) : "----") << ", location "
        << Hex(e.location.textLocation);
    if (category.kind == CategoryKind::Dialogue) {
      out << ", finger " << (e.finger ? Hex(*e.finger) : "--") << '\n';
      PrintText(out, e.text);
    } else {
      out << ": " << e.text << '\n';
    }
  }
}

json EntriesJson(const std::vector<TextEntry>& entries) {
  json list = json::array();
  for (std::size_t row = 0; row < entries.size(); ++row) {
    const TextEntry& e = entries[row];
    const bool p = e.location.hasPointer;
    list.push_back({{"row", row},
                    {"pointer", p ? json(e.location.pointerLocation) : json(nullptr)},
                    {"value", p ? json(e.location.pointerValue) : json(nullptr)},
                    {"location", e.location.textLocation},
                    {"text", e.text},
                    {"finger", e.finger ? json(*e.finger) : json(nullptr)}});
  }
  return list;
}

// Loads one table of the ROM's pair; on failure says why.
bool LoadTable(CharTable& table, const std::string& path, TableKind kind, std::ostream& err) {
  const TableLoadResult result = LoadTableFile(table, path, kind);
  if (!result.ok && result.message)
    PrintMessage(*result.message, err);
  return result.ok;
}

int Text(Args args, std::ostream& out, std::ostream& err) {
  const bool asJson = TakeFlag(args, "--json");
  std::string standardPath, dtePath;
  if (!TakeOption(args, "--standard", standardPath) || !TakeOption(args, "--dte", dtePath) ||
      args.size() != 1) {
    err << "usage: kivo-cli " << kTextUsage << '\n';
    return kExitUsage;
  }
  RomDocument document;
  if (!OpenEditableRom(args.front(), document, "text entries", err))
    return kExitFailed;

  const bool prototype = document.tablePair() == TablePair::Prototype;
  CharTable standard, dte;
  if (!LoadTable(standard, standardPath,
                 prototype ? TableKind::Ff2Prototype : TableKind::Ff2Standard, err) ||
      !LoadTable(dte, dtePath, prototype ? TableKind::Ff2PrototypeDte : TableKind::Ff2StandardDte,
                 err)) {
    return kExitFailed;
  }

  const std::span<const uint8_t> image = document.image();
  const uint32_t shift = document.baseShift();
  SettingsBlock settings;
  BuildKeywordNames(image, shift, dte, settings);
  const KeywordNames keywords = ReadKeywordNames(settings);

  json categories = json::array();
  for (int index = 0; index < kTextCategoryCount; ++index) {
    if (!IsEditableCategory(index))
      continue;
    const TextCategory& category = GetTextCategory(index);
    std::vector<TextEntry> entries;
    for (int row = 0; row < category.rows; ++row) {
      entries.push_back(ReadTextEntry(image, shift, index, row, dte, keywords));
    }
    if (asJson) {
      categories.push_back(
          {{"index", index}, {"name", category.rowText}, {"entries", EntriesJson(entries)}});
    } else {
      PrintPlain(out, index, category, entries);
    }
  }
  if (asJson) {
    json banks = json::array();
    for (int bank = 0; bank < static_cast<int>(TextBanks().size()); ++bank) {
      const BankSpace space = PlanTextBankRepack(image, shift, bank).measure;
      banks.push_back({{"base", TextBanks()[static_cast<std::size_t>(bank)].base},
                       {"categories", TextBanks()[static_cast<std::size_t>(bank)].categories},
                       {"space", space.space},
                       {"used", space.used},
                       {"free", space.free()}});
    }
    // A table entry that is not UTF-8 must not stop the listing.
    out << json{{"categories", categories}, {"banks", banks}}.dump(
               2, ' ', false, json::error_handler_t::replace)
        << '\n';
  }
  return kExitOk;
}

}  // namespace

std::vector<Command> TextCommands() {
  return {
      {"text", kTextUsage,
       "every entry of the Text page's categories 0 to 13: pointer, value, location and text",
       Text},
  };
}

}  // namespace kivo::cli
