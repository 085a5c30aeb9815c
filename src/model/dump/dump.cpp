#include "model/dump/dump.h"

#include <algorithm>
#include <memory>

#include "model/core/crc32.h"
#include "model/core/rom_document.h"
#include "model/dump/dump_table.h"
#include "model/editors/spell_record_names.h"
#include "model/text/name_tables.h"
#include "model/text/spell_names.h"

namespace kivo {
namespace {

using dump::Json;

constexpr std::array<std::string_view, kDumpKindCount> kKindKeys = {
    "armor", "character", "formation", "map", "monster", "shop", "spell", "text", "weapon",
};

constexpr const char* kNeedTables =
    "The text and the names need the character tables: none are loaded.";

// Deeper nesting than any dump has is refused before parsing.
constexpr int kMaxDepth = 16;

bool TooDeep(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth)
        return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

std::unique_ptr<dump::Scope> MakeScope(const RomDocument& document, const DumpContext& context) {
  auto scope = std::make_unique<dump::Scope>();
  scope->view = document.view();
  scope->image = document.image();
  scope->context = &context;
  if (context.settings != nullptr)
    scope->settings = *context.settings;
  else
    scope->settings.ResetToDefaults();
  if (!context.hasTables())
    return scope;
  const uint32_t shift = document.baseShift();
  const CharTable& dte = *context.dte;
  BuildKeywordNames(scope->image, shift, dte, scope->settings);
  RebuildSpellNameCache(scope->image, shift, dte, scope->settings);
  scope->keywords = ReadKeywordNames(scope->settings);
  dump::Names& names = scope->names;
  names.known = true;
  names.items = DecodeNames(scope->image, shift, kItemNameTable, dte);
  names.monsters = DecodeNames(scope->image, shift, kMonsterNameTable, dte);
  names.spells = DecodeNames(scope->image, shift, kSpellNameTable, dte);
  names.spellRecords = SpellRecordNames(scope->view, scope->settings);
  return scope;
}

std::string RomKindName(const RomDocument& document) {
  return document.kind() == ImageKind::Combination ? "combination" : "standalone";
}

void CheckRom(const Json& rom, const RomDocument& document, DumpLoad& load, dump::Plan& plan) {
  if (!plan.IsObject(rom, "rom") || !plan.Keys(rom, "rom", {"kind", "crc32"}, false))
    return;
  if (!rom["kind"].is_string() || (rom["kind"] != "standalone" && rom["kind"] != "combination"))
    plan.Problem("rom.kind", "must be \"standalone\" or \"combination\"");
  const Json& crc = rom["crc32"];
  if (!crc.is_string() || crc.get_ref<const std::string&>().size() != 8 ||
      crc.get_ref<const std::string&>().find_first_not_of("0123456789ABCDEFabcdef") !=
          std::string::npos) {
    plan.Problem("rom.crc32", "must be 8 hexadecimal digits");
    return;
  }
  std::string digits = crc.get<std::string>();
  std::transform(digits.begin(), digits.end(), digits.begin(), ::toupper);
  load.otherRom = digits != Crc32Text(Crc32(document.image()));
}

}  // namespace

std::string_view DumpKindKey(DumpKind kind) {
  return kKindKeys[static_cast<std::size_t>(kind)];
}

std::optional<DumpKind> DumpKindOfKey(std::string_view key) {
  for (DumpKind kind : kDumpKinds) {
    if (DumpKindKey(kind) == key)
      return kind;
  }
  return std::nullopt;
}

DumpOutput DumpJson(const RomDocument& document, std::span<const DumpKind> kinds,
                    const DumpContext& context) {
  if (!document.editable())
    return {{}, "There is no editable image to dump."};
  const bool text = std::find(kinds.begin(), kinds.end(), DumpKind::Text) != kinds.end();
  if (text && !context.hasTables())
    return {{}, kNeedTables};
  const auto scope = MakeScope(document, context);
  Json doc = Json::object();
  doc["kivo"] = kDumpVersion;
  doc["rom"] = {{"kind", RomKindName(document)}, {"crc32", Crc32Text(Crc32(document.image()))}};
  for (DumpKind kind : kDumpKinds) {
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
      continue;
    Json tables = Json::object();
    for (const auto& table : dump::TablesOf(kind))
      tables[std::string(table->key())] = table->Dump(*scope);
    doc[std::string(DumpKindKey(kind))] = std::move(tables);
  }
  return {dump::LayoutDocument(doc), {}};
}

std::vector<uint8_t> DumpBinary(const RomDocument& document, DumpKind kind) {
  std::vector<uint8_t> out;
  for (const auto& table : dump::TablesOf(kind))
    table->AppendBinary(document.view(), out);
  return out;
}

std::vector<DumpSpan> DumpSpans(DumpKind kind) {
  std::vector<DumpSpan> spans;
  for (const auto& table : dump::TablesOf(kind)) {
    for (const DumpSpan& span : table->Spans())
      spans.push_back(span);
  }
  return spans;
}

DumpLoad PlanDumpLoad(const RomDocument& document, std::string_view text,
                      const DumpContext& context, bool allowOverflow, bool makeRoom) {
  DumpLoad load;
  load.allowOverflow = allowOverflow;
  load.makeRoom = makeRoom;
  dump::Plan plan(load);
  if (!document.editable()) {
    plan.Problem("(image)", "there is no editable image to load into");
    return load;
  }
  Json doc;
  if (TooDeep(text)) {
    plan.Problem("(document)", "nested deeper than any dump");
    return load;
  }
  try {
    doc = Json::parse(text.begin(), text.end());
  } catch (const Json::exception& e) {
    plan.Problem("(document)", std::string("not a JSON document: ") + e.what());
    return load;
  }
  if (!plan.IsObject(doc, "(document)"))
    return load;
  if (!doc.contains("kivo") || doc["kivo"] != kDumpVersion)
    plan.Problem("kivo", "must be " + std::to_string(kDumpVersion) + ", the dump version");
  if (doc.contains("rom"))
    CheckRom(doc["rom"], document, load, plan);
  else
    plan.Problem("rom", "missing");

  std::unique_ptr<dump::Scope> scope;
  for (const auto& [key, value] : doc.items()) {
    if (key == "kivo" || key == "rom")
      continue;
    const std::optional<DumpKind> kind = DumpKindOfKey(key);
    if (!kind) {
      plan.Problem(key, "unknown key");
      continue;
    }
    if (*kind == DumpKind::Text && !context.hasTables()) {
      plan.Problem(key, kNeedTables);
      continue;
    }
    if (!scope)
      scope = MakeScope(document, context);
    ++load.kinds;
    const dump::Tables& tables = dump::TablesOf(*kind);
    std::vector<std::string> keys;
    for (const auto& table : tables)
      keys.emplace_back(table->key());
    // A kind may leave out tables: what is absent is left alone.
    if (!plan.IsObject(value, key))
      continue;
    for (const auto& item : value.items()) {
      const std::string& tableKey = item.key();
      const Json& content = item.value();
      const auto table = std::find_if(tables.begin(), tables.end(),
                                      [&](const auto& t) { return t->key() == tableKey; });
      if (table == tables.end()) {
        plan.Problem(key + "." + tableKey, "unknown key");
        continue;
      }
      (*table)->Load(content, key + "." + tableKey, *scope, plan);
    }
  }
  if (!load.ok()) {
    load.edits.clear();
    return load;
  }
  // What the load changes, counted on a copy; the banks of texts that grew
  // are repacked there first to see that they fit.
  RomDocument copy;
  copy.Adopt(std::vector<uint8_t>(document.image().begin(), document.image().end()),
             document.currentPath());
  if (!load.grown.empty()) {
    std::vector<int> banks;
    for (const BankTextEdit& g : load.grown) {
      if (std::find(banks.begin(), banks.end(), TextBankOf(g.category)) == banks.end())
        banks.push_back(TextBankOf(g.category));
    }
    std::sort(banks.begin(), banks.end());
    copy.Apply([&](const RomView& rom) { load.Apply(rom); });
    for (int bank : banks) {
      const BankRepack repack =
          PlanTextBankRepack(copy.image(), copy.baseShift(), bank, load.grown);
      if (!repack.fits()) {
        plan.Problem("text", repack.refusal.empty() ? BankTooSmallText(bank, repack.excess)
                                                    : repack.refusal);
      }
    }
    if (!load.ok()) {
      load.edits.clear();
      return load;
    }
    plan.Add([banks, grown = load.grown](const RomView& rom) {
      for (int bank : banks)
        ApplyTextBankRepack(rom.Unshifted(),
                            PlanTextBankRepack(rom.image(), rom.baseShift(), bank, grown));
    });
    copy.Adopt(std::vector<uint8_t>(document.image().begin(), document.image().end()),
               document.currentPath());
  }
  load.changedBytes = copy.Apply([&](const RomView& rom) { load.Apply(rom); }).changedBytes();
  return load;
}

void DumpLoad::Apply(const RomView& rom) const {
  for (const auto& edit : edits)
    edit(rom);
}

std::string DumpLoad::ProblemText() const {
  std::vector<std::string> all = problems;
  if (!allowOverflow) {
    for (const std::string& o : overflows)
      all.push_back(o);
  }
  std::string text;
  for (std::size_t i = 0; i < all.size() && i < kListedProblems; ++i)
    text += all[i] + "\n";
  if (all.size() > kListedProblems)
    text += "... and " + std::to_string(all.size() - kListedProblems) + " more\n";
  return text;
}

std::string DumpLoad::Summary() const {
  std::string text = "Load " + std::to_string(kinds) + (kinds == 1 ? " kind" : " kinds");
  for (std::size_t i = 0; i < loaded.size(); ++i)
    text += (i == 0 ? ": " : ", ") + loaded[i];
  return text + ": " + std::to_string(changedBytes) +
         (changedBytes == 1 ? " byte changes." : " bytes change.");
}

}  // namespace kivo
