// patch create / apply / info: IPS and BPS patches between files.

#include <nlohmann/json.hpp>

#include <ostream>

#include "cli/command.h"
#include "model/core/crc32.h"
#include "model/core/file_io.h"
#include "model/patch/patch.h"

namespace kivo::cli {
namespace {

using nlohmann::json;

constexpr std::string_view kUsage =
    "usage: kivo-cli patch create ORIGINAL MODIFIED PATCH\n"
    "       kivo-cli patch apply ROM PATCH OUTPUT [--ignore-checksums]\n"
    "       kivo-cli patch info PATCH [--json]\n";

// Reads a whole file; on failure names it and says why.
bool Read(const std::string& path, std::vector<uint8_t>& bytes, std::ostream& err) {
  FileBytes file = ReadWholeFile(path);
  if (!file) {
    err << FileProblem(path, file.reason) << '\n';
    return false;
  }
  bytes = std::move(file.bytes);
  return true;
}

bool Write(const std::string& path, std::span<const uint8_t> bytes, std::ostream& err) {
  if (const std::string reason = SafeWriteFile(path, bytes); !reason.empty()) {
    err << FileProblem(path, reason) << '\n';
    return false;
  }
  return true;
}

int Create(const Args& args, std::ostream& err) {
  const std::optional<PatchFormat> format = PatchFormatOfPath(args[2]);
  if (!format) {
    err << FileProblem(args[2], "a patch file name ends in .bps or .ips") << '\n';
    return kExitFailed;
  }
  std::vector<uint8_t> original, modified;
  if (!Read(args[0], original, err) || !Read(args[1], modified, err))
    return kExitFailed;
  const auto patch = CreatePatch(*format, original, modified);
  if (!patch) {
    err << FileProblem(args[2], patch.error) << '\n';
    return kExitFailed;
  }
  return Write(args[2], patch.value, err) ? kExitOk : kExitFailed;
}

int Apply(Args args, std::ostream& err) {
  const bool ignoreChecksums = TakeFlag(args, "--ignore-checksums");
  if (args.size() != 3) {
    err << kUsage;
    return kExitUsage;
  }
  std::vector<uint8_t> rom, patch;
  if (!Read(args[0], rom, err) || !Read(args[1], patch, err))
    return kExitFailed;
  const auto result = ApplyPatch(rom, patch, ignoreChecksums);
  if (!result) {
    err << FileProblem(args[1], result.error) << '\n';
    return kExitFailed;
  }
  return Write(args[2], result.value, err) ? kExitOk : kExitFailed;
}

template <typename T>
json OrNull(const std::optional<T>& value) {
  return value ? json(*value) : json(nullptr);
}

json CrcOrNull(const std::optional<uint32_t>& crc) {
  return crc ? json(Crc32Text(*crc)) : json(nullptr);
}

int Info(Args args, std::ostream& out, std::ostream& err) {
  const bool asJson = TakeFlag(args, "--json");
  if (args.size() != 1) {
    err << kUsage;
    return kExitUsage;
  }
  std::vector<uint8_t> bytes;
  if (!Read(args[0], bytes, err))
    return kExitFailed;
  const auto info = ReadPatchInfo(bytes);
  if (!info) {
    err << FileProblem(args[0], info.error) << '\n';
    return kExitFailed;
  }
  const PatchInfo& i = info.value;
  if (asJson) {
    const json j = {{"format", PatchFormatName(i.format)},
                    {"sourceSize", OrNull(i.sourceSize)},
                    {"targetSize", OrNull(i.targetSize)},
                    {"sourceCrc32", CrcOrNull(i.sourceCrc32)},
                    {"targetCrc32", CrcOrNull(i.targetCrc32)},
                    {"patchCrc32Ok", OrNull(i.patchCrc32Ok)},
                    {"metadata", OrNull(i.metadata)},
                    {"records", i.records}};
    // Metadata is the patch author's: bytes that are not UTF-8 are replaced.
    out << j.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
    return kExitOk;
  }
  auto number = [](const std::optional<uint64_t>& n) {
    return n ? std::to_string(*n) : std::string("not recorded");
  };
  auto crc = [](const std::optional<uint32_t>& c) {
    return c ? Crc32Text(*c) : std::string("not recorded");
  };
  out << "Format:       " << (i.format == PatchFormat::Bps ? "BPS" : "IPS") << '\n'
      << "Source size:  " << number(i.sourceSize) << '\n'
      << "Target size:  " << number(i.targetSize) << '\n'
      << "Source CRC32: " << crc(i.sourceCrc32) << '\n'
      << "Target CRC32: " << crc(i.targetCrc32) << '\n';
  if (i.patchCrc32Ok)
    out << "Patch CRC32:  " << (*i.patchCrc32Ok ? "correct" : "wrong") << '\n';
  if (i.metadata && !i.metadata->empty())
    out << "Metadata:     " << *i.metadata << '\n';
  out << (i.format == PatchFormat::Bps ? "Actions:      " : "Records:      ") << i.records
      << '\n';
  return kExitOk;
}

int Patch(Args args, std::ostream& out, std::ostream& err) {
  const std::string verb = args.empty() ? std::string() : args.front();
  if (!args.empty())
    args.erase(args.begin());
  if (verb == "create" && args.size() == 3)
    return Create(args, err);
  if (verb == "apply")
    return Apply(std::move(args), err);
  if (verb == "info")
    return Info(std::move(args), out, err);
  err << kUsage;
  return kExitUsage;
}

}  // namespace

std::vector<Command> PatchCommands() {
  return {{"patch", "patch create|apply|info ...",
           "create an IPS or BPS patch between two files, apply one, or describe one "
           "(create ORIGINAL MODIFIED PATCH; apply ROM PATCH OUTPUT [--ignore-checksums]; "
           "info PATCH [--json])",
           Patch}};
}

}  // namespace kivo::cli
