#include "model/patch/patch.h"

#include <algorithm>
#include <cctype>

namespace kivo {
namespace {

constexpr std::string_view kIpsMagic = "PATCH";
constexpr std::string_view kBpsMagic = "BPS1";

bool StartsWith(std::span<const uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

}  // namespace

std::string_view PatchFormatName(PatchFormat format) {
  return format == PatchFormat::Bps ? "bps" : "ips";
}

std::optional<PatchFormat> PatchFormatOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
    return std::nullopt;
  std::string extension(path.substr(dot + 1));
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "bps")
    return PatchFormat::Bps;
  if (extension == "ips")
    return PatchFormat::Ips;
  return std::nullopt;
}

std::optional<PatchFormat> PatchFormatOfBytes(std::span<const uint8_t> patch) {
  if (StartsWith(patch, kBpsMagic))
    return PatchFormat::Bps;
  if (StartsWith(patch, kIpsMagic))
    return PatchFormat::Ips;
  return std::nullopt;
}

PatchOutcome<PatchInfo> ReadPatchInfo(std::span<const uint8_t> patch) {
  switch (PatchFormatOfBytes(patch).value_or(PatchFormat::Ips)) {
    case PatchFormat::Bps:
      return ReadBpsInfo(patch);
    case PatchFormat::Ips:
      break;
  }
  return ReadIpsInfo(patch);
}

PatchOutcome<std::vector<uint8_t>> ApplyPatch(std::span<const uint8_t> source,
                                              std::span<const uint8_t> patch,
                                              bool ignoreChecksums) {
  if (PatchFormatOfBytes(patch) == PatchFormat::Bps)
    return ApplyBps(source, patch, ignoreChecksums);
  return ApplyIps(source, patch);
}

PatchOutcome<std::vector<uint8_t>> CreatePatch(PatchFormat format,
                                               std::span<const uint8_t> source,
                                               std::span<const uint8_t> target) {
  if (format == PatchFormat::Bps)
    return {CreateBps(source, target), {}};
  return CreateIps(source, target);
}

}  // namespace kivo
