// map: how much room the world map of a ROM file takes, and whether the
// codec gives it back unchanged.

#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>
#include <vector>

#include "cli/command.h"
#include "model/core/rom_document.h"
#include "model/map/world_map.h"

namespace kivo::cli {
namespace {

using nlohmann::json;

struct MapReport {
  std::size_t compressedSize = 0;
  std::size_t freeBytes = 0;
  bool fits = false;
  bool roundTrip = false;
};

MapReport Examine(const RomDocument& document) {
  auto grid = std::make_unique<WorldMapGrid>();
  grid->fill(0);
  DecodeWorldMap(document.view(), *grid);

  MapReport report;
  auto encoding = std::make_unique<WorldMapEncoding>();
  auto again = std::make_unique<WorldMapGrid>();
  again->fill(0);
  report.compressedSize = CompressedSize(*grid, *encoding);
  report.freeBytes = FreeMapBytes(report.compressedSize);
  report.fits = report.compressedSize <= kMapDataCapacity;
  if (report.fits) {
    // Through a save into a copy of the image, pointers included.
    std::vector<uint8_t> copy(document.image().begin(), document.image().end());
    const RomView view(copy, document.baseShift());
    WriteWorldMap(view, *grid, *encoding);
    DecodeWorldMap(view, *again);
  } else {
    DecodeEncodedMap(*encoding, *again);
  }
  report.roundTrip = *again == *grid;
  return report;
}

int Map(Args args, std::ostream& out, std::ostream& err) {
  const bool asJson = TakeFlag(args, "--json");
  if (args.size() != 1) {
    err << "usage: kivo-cli map FILE [--json]\n";
    return kExitUsage;
  }
  RomDocument document;
  if (!OpenEditableRom(args.front(), document, "world map", err))
    return kExitFailed;

  const MapReport r = Examine(document);
  if (asJson) {
    const json j = {{"compressedSize", r.compressedSize},
                    {"freeBytes", r.freeBytes},
                    {"fits", r.fits},
                    {"roundTrip", r.roundTrip}};
    out << j.dump(2) << '\n';
    return kExitOk;
  }
  out << "Compressed size: " << r.compressedSize << " bytes of " << kMapDataCapacity << '\n'
      << "Free bytes:      " << r.freeBytes << '\n'
      << "Fits:            " << (r.fits ? "yes" : "no") << '\n'
      << "Round trip:      " << (r.roundTrip ? "yes" : "no") << '\n';
  return kExitOk;
}

}  // namespace

std::vector<Command> MapCommands() {
  return {
      {"map", "map FILE [--json]",
       "the world map's encoded size and free bytes, and whether it survives re-encoding", Map},
  };
}

}  // namespace kivo::cli
