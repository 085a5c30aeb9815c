// identify and header: what a ROM file is, and its iNES header.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

#include "cli/command.h"
#include "model/core/ines_header.h"
#include "model/core/rom_document.h"
#include "model/core/version.h"

namespace kivo::cli {
namespace {

using nlohmann::json;

std::string_view IconName(MessageIcon icon) {
  return icon == MessageIcon::Warning ? "warning" : "none";
}

int Identify(Args args, std::ostream& out, std::ostream& err) {
  const bool asJson = TakeFlag(args, "--json");
  if (args.size() != 1) {
    err << "usage: kivo-cli identify FILE [--json]\n";
    return kExitUsage;
  }
  RomDocument document;
  if (!OpenRom(args.front(), document, err))
    return kExitFailed;
  const std::optional<Message> release = IdentifyVersion(document.image(), document.baseShift());

  if (asJson) {
    json j = {{"kind", ImageKindName(document.kind())},
              {"baseShift", document.baseShift()},
              {"editable", document.editable()},
              {"tablePair", TablePairName(document.tablePair())},
              {"release", nullptr}};
    if (release) {
      j["release"] = {{"caption", release->caption},
                      {"icon", IconName(release->icon)},
                      {"text", release->text}};
    }
    out << j.dump(2) << '\n';
    return kExitOk;
  }
  out << "Kind:       " << ImageKindName(document.kind()) << '\n'
      << "Base shift: 0x" << std::hex << std::uppercase << document.baseShift() << std::dec << '\n'
      << "Editable:   " << (document.editable() ? "yes" : "no") << '\n'
      << "Table pair: " << TablePairName(document.tablePair()) << '\n';
  if (release) {
    out << "Release (" << release->caption << ", " << IconName(release->icon) << "):\n"
        << release->text << '\n';
  } else {
    out << "Release:    no message\n";
  }
  return kExitOk;
}

int Header(Args args, std::ostream& out, std::ostream& err) {
  const bool asJson = TakeFlag(args, "--json");
  if (args.size() != 1) {
    err << "usage: kivo-cli header FILE [--json]\n";
    return kExitUsage;
  }
  RomDocument document;
  if (!OpenRom(args.front(), document, err))
    return kExitFailed;
  const InesHeader h = DecodeInesHeader(document.image());
  const std::string_view mirroring = kMirroringNames[static_cast<int>(h.mirroring)];
  const std::string_view region = kRegionNames[static_cast<int>(h.region)];
  const std::string_view format = h.nes20 ? "NES 2.0" : "iNES";

  if (asJson) {
    json j = {{"magic", h.magic},
              {"warning", h.magic ? json(nullptr) : json(kBadHeaderText)},
              {"mapper", h.mapper},
              {"mapperName", MapperNames()[h.mapper]},
              {"mirroring", mirroring},
              {"region", region},
              {"prgRomBanks", h.prgRomBanks},
              {"chrRomBanks", h.chrRomBanks},
              {"prgRamBanks", h.prgRamBanks},
              {"sram", h.sram},
              {"trainer", h.trainer},
              {"vs", h.vs},
              {"pc10", h.pc10},
              {"format", format},
              {"sizeMatches", h.sizeMatches}};
    out << j.dump(2) << '\n';
    return kExitOk;
  }
  auto yesNo = [](bool b) { return b ? "yes" : "no"; };
  if (!h.magic)
    out << "Warning: " << kBadHeaderText << '\n';
  out << "Mapper:                   " << MapperNames()[h.mapper] << '\n'
      << "Mirroring:                " << mirroring << '\n'
      << "Region:                   " << region << '\n'
      << "# of 16kb PRG-ROM banks:  " << h.prgRomBanks << '\n'
      << "# of 8kb CHR-ROM banks:   " << h.chrRomBanks << '\n'
      << "# of 8kb PRG-RAM banks:   " << h.prgRamBanks << '\n'
      << "Uses SRAM (battery):      " << yesNo(h.sram) << '\n'
      << "Uses trainer:             " << yesNo(h.trainer) << '\n'
      << "Uses VS:                  " << yesNo(h.vs) << '\n'
      << "Uses PC-10:               " << yesNo(h.pc10) << '\n'
      << "Format:                   " << format << '\n'
      << "Size matches the header:  " << yesNo(h.sizeMatches) << '\n';
  return kExitOk;
}

}  // namespace

void PrintMessage(const Message& message, std::ostream& err) {
  err << message.text << '\n';
  if (!message.detail.empty())
    err << message.detail << '\n';
}

bool OpenRom(const std::string& path, RomDocument& document, std::ostream& err) {
  const OpenOutcome outcome = document.Open(path);
  for (const Message& m : outcome.messages)
    PrintMessage(m, err);
  return outcome.ok;
}

bool OpenEditableRom(const std::string& path, RomDocument& document, std::string_view what,
                     std::ostream& err) {
  if (!OpenRom(path, document, err))
    return false;
  if (document.editable())
    return true;
  // The program hands such an image to no page, so it has nothing to show.
  err << "This image cannot be edited (" << ImageKindName(document.kind()) << "), so it has no "
      << what << ".\n";
  return false;
}

bool TakeFlag(Args& args, std::string_view flag) {
  const auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end())
    return false;
  args.erase(it);
  return true;
}

std::vector<Command> CoreCommands() {
  return {
      {"identify", "identify FILE [--json]",
       "the image kind, base shift, table pair and release of a ROM file", Identify},
      {"header", "header FILE [--json]", "the iNES header of a ROM file", Header},
  };
}

}  // namespace kivo::cli
