// demo: a workspace a newcomer can start Kivo in at once: the demo image,
// the demo tables and a Kivo.dat pointing at them.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/file_io.h"
#include "model/core/settings.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDemoUsage = "demo DIR [--force]";
constexpr const char* kImageName = "demo.nes";
constexpr const char* kStandardTableName = "standard.tbl";
constexpr const char* kDteTableName = "dte.tbl";

struct DemoFile {
  std::string path;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// The settings of the demo workspace; on a path the block cannot hold, why.
std::optional<std::string> FillSettings(SettingsBlock& settings, const fs::path& dir) {
  settings.ResetToDefaults();
  const std::pair<PathField, const char*> paths[] = {
      {PathField::Rom, kImageName},
      {PathField::Ff2StandardTable, kStandardTableName},
      {PathField::Ff2StandardDteTable, kDteTableName},
  };
  for (const auto& [field, name] : paths) {
    if (const std::optional<Message> refused = settings.SetPath(field, (dir / name).string()))
      return refused->text;
  }
  const FieldSet* labels[] = {&settings::kDialogueLabels1, &settings::kDialogueLabels2,
                              &settings::kDialogueLabels3};
  for (int set = 1; set <= 3; ++set) {
    for (int row = 0; row < labels[set - 1]->count; ++row) {
      const std::string label = demo::DemoDialogueLabel(set, row);
      if (!label.empty())
        settings.SetField(*labels[set - 1], row, label);
    }
  }
  return std::nullopt;
}

int Demo(Args args, std::ostream& out, std::ostream& err) {
  const bool force = TakeFlag(args, "--force");
  if (args.size() != 1 || args.front().empty()) {
    err << "usage: kivo-cli " << kDemoUsage << '\n';
    return kExitUsage;
  }
  std::error_code ec;
  fs::path dir = fs::absolute(args.front(), ec);
  if (!ec)
    dir = fs::weakly_canonical(dir, ec);
  if (ec) {
    err << "Cannot use the folder " << args.front() << ": " << ec.message() << '\n';
    return kExitFailed;
  }
  const fs::path dataFile = dir / settings::kDataFileName;
  if (!force && fs::exists(dataFile, ec)) {
    err << dataFile.string()
        << " already exists; kivo-cli demo leaves it alone (--force replaces it).\n";
    return kExitFailed;
  }

  SettingsBlock settings;
  if (const std::optional<std::string> refused = FillSettings(settings, dir)) {
    err << *refused << '\n';
    return kExitFailed;
  }
  fs::create_directories(dir, ec);
  if (ec) {
    err << "Cannot create the folder " << dir.string() << ": " << ec.message() << '\n';
    return kExitFailed;
  }

  const DemoFile files[] = {
      {(dir / kImageName).string(), demo::BuildDemoImage()},
      {(dir / kStandardTableName).string(), Bytes(demo::DemoStandardTableFile())},
      {(dir / kDteTableName).string(), Bytes(demo::DemoDteTableFile())},
      {dataFile.string(), std::vector<uint8_t>(settings.bytes().begin(), settings.bytes().end())},
  };
  for (const DemoFile& file : files) {
    const std::string failure = SafeWriteFile(file.path, file.bytes);
    if (!failure.empty()) {
      err << "Cannot write " << file.path << ": " << failure << '\n';
      return kExitFailed;
    }
  }
  out << "Demo workspace written to " << dir.string() << ":\n";
  for (const DemoFile& file : files)
    out << "  " << fs::path(file.path).filename().string() << '\n';
  out << "Start Kivo from that folder to open it.\n";
  return kExitOk;
}

}  // namespace

std::vector<Command> DemoCommands() {
  return {
      {"demo", kDemoUsage,
       "write a demo workspace: demo.nes, standard.tbl, dte.tbl and a Kivo.dat pointing at them",
       Demo},
  };
}

}  // namespace kivo::cli
