#pragma once
// Patches: the two formats romhacks are shared in, IPS and BPS (version 1).
// A patch is created from an original and a modified image, and applied to
// an image only as a whole: a patch that fails any check gives no image.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

enum class PatchFormat { Ips, Bps };

// "ips" or "bps".
std::string_view PatchFormatName(PatchFormat format);
// The format a file name's extension asks for (".bps", ".ips", any case).
std::optional<PatchFormat> PatchFormatOfPath(std::string_view path);
// The format a patch's first bytes name, if any.
std::optional<PatchFormat> PatchFormatOfBytes(std::span<const uint8_t> patch);

// What a patch says about itself. For IPS the sizes and checksums are not
// recorded; its target size is the truncation size when there is one.
struct PatchInfo {
  PatchFormat format = PatchFormat::Ips;
  std::optional<uint64_t> sourceSize;
  std::optional<uint64_t> targetSize;
  std::optional<uint32_t> sourceCrc32;
  std::optional<uint32_t> targetCrc32;
  std::optional<bool> patchCrc32Ok;
  std::optional<std::string> metadata;
  std::size_t records = 0;  // IPS records or BPS actions
};

// A result or the reason there is none.
template <typename T>
struct PatchOutcome {
  T value{};
  std::string error;  // empty when value holds the result
  explicit operator bool() const { return error.empty(); }
};

PatchOutcome<PatchInfo> ReadPatchInfo(std::span<const uint8_t> patch);

// Applies a patch of either format to `source`. Checks every record against
// its buffers; for BPS also the patch's own CRC32 and the source's and the
// result's (the source's and the result's unless `ignoreChecksums`).
PatchOutcome<std::vector<uint8_t>> ApplyPatch(std::span<const uint8_t> source,
                                              std::span<const uint8_t> patch,
                                              bool ignoreChecksums = false);

// Creates the patch that turns `source` into `target`.
PatchOutcome<std::vector<uint8_t>> CreatePatch(PatchFormat format,
                                               std::span<const uint8_t> source,
                                               std::span<const uint8_t> target);

// The formats on their own.
PatchOutcome<std::vector<uint8_t>> ApplyIps(std::span<const uint8_t> source,
                                            std::span<const uint8_t> patch);
PatchOutcome<std::vector<uint8_t>> CreateIps(std::span<const uint8_t> source,
                                             std::span<const uint8_t> target);
PatchOutcome<PatchInfo> ReadIpsInfo(std::span<const uint8_t> patch);

PatchOutcome<std::vector<uint8_t>> ApplyBps(std::span<const uint8_t> source,
                                            std::span<const uint8_t> patch,
                                            bool ignoreChecksums);
std::vector<uint8_t> CreateBps(std::span<const uint8_t> source, std::span<const uint8_t> target);
PatchOutcome<PatchInfo> ReadBpsInfo(std::span<const uint8_t> patch);

}  // namespace kivo
