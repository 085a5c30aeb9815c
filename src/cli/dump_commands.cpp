// dump and load: the game data of a ROM as a JSON document or bytes, and
// the way back into a copy of the ROM.

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/dump/dump.h"
#include "model/text/char_table.h"

namespace kivo::cli {
namespace {

constexpr std::string_view kDumpUsage =
    "dump ROM [--kind K]... [--binary] [-o FILE] [--standard S.tbl --dte D.tbl]";
constexpr std::string_view kLoadUsage =
    "load ROM DUMP -o OUTPUT [--allow-overflow | --make-room] [--standard S.tbl --dte D.tbl]";

// Splits every "NAME VALUE" off the arguments; false when a NAME has no value.
bool TakeOptions(Args& args, std::string_view name, std::vector<std::string>& values) {
  for (std::size_t i = 0; i < args.size();) {
    if (args[i] != name) {
      ++i;
      continue;
    }
    if (i + 1 >= args.size())
      return false;
    values.push_back(args[i + 1]);
    args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
  }
  return true;
}

// At most one "NAME VALUE"; false when it is given twice or without a value.
bool TakeOption(Args& args, std::string_view name, std::optional<std::string>& value) {
  std::vector<std::string> values;
  if (!TakeOptions(args, name, values) || values.size() > 1)
    return false;
  if (!values.empty())
    value = values.front();
  return true;
}

// The tables and settings names and text are read with: the files named on
// the command line, else those the Kivo.dat of the current folder names.
// Nothing is written; without tables there are no names and no text.
struct Tables {
  SettingsBlock settings;
  CharTable standard{}, dte{};
  bool loaded = false;
  DumpContext context() const {
    return loaded ? DumpContext{&standard, &dte, &settings}
                  : DumpContext{nullptr, nullptr, &settings};
  }
};

bool LoadTables(Args& args, const RomDocument& document, Tables& tables, std::ostream& err) {
  std::optional<std::string> standardPath, dtePath;
  if (!TakeOption(args, "--standard", standardPath) || !TakeOption(args, "--dte", dtePath))
    return false;
  tables.settings.ResetToDefaults();
  const FileBytes data = ReadWholeFile(std::string("./") + settings::kDataFileName);
  if (data && data.bytes.size() == tables.settings.bytes().size())
    std::copy(data.bytes.begin(), data.bytes.end(), tables.settings.bytes().begin());
  const bool prototype = document.tablePair() == TablePair::Prototype;
  const TableKind standardKind = prototype ? TableKind::Ff2Prototype : TableKind::Ff2Standard;
  const TableKind dteKind = prototype ? TableKind::Ff2PrototypeDte : TableKind::Ff2StandardDte;
  if (!standardPath && !dtePath) {
    standardPath = tables.settings.Path(prototype ? PathField::Ff2PrototypeTable
                                                  : PathField::Ff2StandardTable);
    dtePath = tables.settings.Path(prototype ? PathField::Ff2PrototypeDteTable
                                             : PathField::Ff2StandardDteTable);
    if (standardPath->empty() || dtePath->empty())
      return true;
  }
  if (!standardPath || !dtePath) {
    err << "--standard and --dte go together.\n";
    return false;
  }
  for (const auto& [table, path, kind] : {std::tuple{&tables.standard, *standardPath, standardKind},
                                          std::tuple{&tables.dte, *dtePath, dteKind}}) {
    const TableLoadResult result = LoadTableFile(*table, path, kind);
    if (!result.ok) {
      if (result.message)
        PrintMessage(*result.message, err);
      return false;
    }
  }
  tables.loaded = true;
  return true;
}

bool Write(const std::optional<std::string>& path, std::span<const uint8_t> bytes,
           std::ostream& out, std::ostream& err) {
  if (!path) {
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
  }
  if (const std::string failure = SafeWriteFile(*path, bytes); !failure.empty()) {
    err << "Cannot write the dump: " << FileProblem(*path, failure) << '\n';
    return false;
  }
  return true;
}

int Dump(Args args, std::ostream& out, std::ostream& err) {
  const bool binary = TakeFlag(args, "--binary");
  std::vector<std::string> kindNames;
  std::optional<std::string> output;
  if (!TakeOptions(args, "--kind", kindNames) || !TakeOption(args, "-o", output) ||
      args.size() < 1) {
    err << "usage: kivo-cli " << kDumpUsage << '\n';
    return kExitUsage;
  }
  const std::string romPath = args.front();
  args.erase(args.begin());
  std::vector<DumpKind> kinds;
  for (const std::string& name : kindNames) {
    const std::optional<DumpKind> kind = DumpKindOfKey(name);
    if (!kind) {
      err << "There is no kind \"" << name << "\": armor, character, formation, map, monster, "
          << "shop, spell, text or weapon.\n";
      return kExitUsage;
    }
    if (std::find(kinds.begin(), kinds.end(), *kind) == kinds.end())
      kinds.push_back(*kind);
  }
  if (binary && kinds.size() != 1) {
    err << "--binary writes the bytes of exactly one kind: name it with --kind.\n";
    return kExitUsage;
  }
  RomDocument document;
  if (!OpenEditableRom(romPath, document, "game data to dump", err))
    return kExitFailed;
  Tables tables;
  if (!LoadTables(args, document, tables, err) || !args.empty()) {
    if (!args.empty())
      err << "usage: kivo-cli " << kDumpUsage << '\n';
    return args.empty() ? kExitFailed : kExitUsage;
  }
  if (binary) {
    const std::vector<uint8_t> bytes = DumpBinary(document, kinds.front());
    return Write(output, bytes, out, err) ? kExitOk : kExitFailed;
  }
  if (kinds.empty())
    kinds.assign(kDumpKinds.begin(), kDumpKinds.end());
  const DumpOutput dump = DumpJson(document, kinds, tables.context());
  if (!dump.error.empty()) {
    err << dump.error << '\n';
    return kExitFailed;
  }
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(dump.text.data()),
                                       dump.text.size());
  return Write(output, bytes, out, err) ? kExitOk : kExitFailed;
}

int Load(Args args, std::ostream& out, std::ostream& err) {
  const bool allowOverflow = TakeFlag(args, "--allow-overflow");
  const bool makeRoom = TakeFlag(args, "--make-room");
  std::optional<std::string> output;
  if (!TakeOption(args, "-o", output) || !output || args.size() < 2) {
    err << "usage: kivo-cli " << kLoadUsage << '\n';
    return kExitUsage;
  }
  const std::string romPath = args[0], dumpPath = args[1];
  args.erase(args.begin(), args.begin() + 2);
  RomDocument document;
  if (!OpenEditableRom(romPath, document, "game data to load into", err))
    return kExitFailed;
  Tables tables;
  if (!LoadTables(args, document, tables, err) || !args.empty()) {
    if (!args.empty())
      err << "usage: kivo-cli " << kLoadUsage << '\n';
    return args.empty() ? kExitFailed : kExitUsage;
  }
  const FileBytes file = ReadWholeFile(dumpPath);
  if (!file) {
    err << "Cannot read the dump: " << FileProblem(dumpPath, file.reason) << '\n';
    return kExitFailed;
  }
  const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  const DumpLoad load = PlanDumpLoad(document, text, tables.context(), allowOverflow, makeRoom);
  if (!load.ok()) {
    err << dumpPath << " cannot be loaded:\n" << load.ProblemText();
    if (load.problems.empty())
      err << "(--allow-overflow lets these texts overwrite what follows them; --make-room "
             "moves the texts of their banks to give them room)\n";
    return kExitFailed;
  }
  document.Apply([&](const RomView& rom) { load.Apply(rom); });
  if (const Messages failed = document.Save(*output); !failed.empty()) {
    for (const Message& m : failed)
      PrintMessage(m, err);
    return kExitFailed;
  }
  out << load.Summary() << '\n';
  return kExitOk;
}

}  // namespace

std::vector<Command> DumpCommands() {
  return {
      {"dump", kDumpUsage,
       "the game data of the named kinds (all when none is named) as JSON, or the bytes of one "
       "kind",
       Dump},
      {"load", kLoadUsage,
       "checks a JSON dump, loads it into the ROM and writes the result to OUTPUT", Load},
  };
}

}  // namespace kivo::cli
