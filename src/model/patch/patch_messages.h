#pragma once
// Why a patch could not be read, applied or made: the reasons the window and
// the command line show after the file's name.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/core/crc32.h"

namespace kivo {

inline constexpr std::string_view kNotAPatch =
    "This is not an IPS or BPS patch: it does not start with \"PATCH\" or \"BPS1\".";
inline constexpr std::string_view kPatchCutShort = "The patch is cut short: it ends inside a record.";
inline constexpr std::string_view kIpsTooLarge =
    "IPS cannot describe a file of 16 MiB or more. Save the patch as BPS.";
inline constexpr std::string_view kBpsOutOfBounds =
    "The patch is damaged: an action reads or writes outside its file.";
inline constexpr std::string_view kBpsIncomplete =
    "The patch is damaged: its actions do not fill the file it describes.";

inline std::string TrailingBytes(std::size_t n) {
  return "The patch is damaged: " + std::to_string(n) + " bytes follow its end marker.";
}

inline std::string WrongSourceCrc(uint32_t expected, uint32_t actual) {
  return "This patch was made for another ROM: it expects CRC32 " + Crc32Text(expected) +
         ", this file has " + Crc32Text(actual) + ".";
}

inline std::string WrongSourceSize(uint64_t expected, std::size_t actual) {
  return "This patch was made for another ROM: it expects " + std::to_string(expected) +
         " bytes, this file has " + std::to_string(actual) + ".";
}

inline std::string WrongPatchCrc(uint32_t recorded, uint32_t actual) {
  return "The patch is damaged: its CRC32 is " + Crc32Text(actual) + ", it records " +
         Crc32Text(recorded) + ".";
}

inline std::string WrongTargetCrc(uint32_t expected, uint32_t actual) {
  return "The patched file is not the one the patch describes: its CRC32 is " +
         Crc32Text(actual) + ", the patch expects " + Crc32Text(expected) + ".";
}

inline std::string TargetTooLarge(uint64_t size) {
  return "The patch describes a file of " + std::to_string(size) +
         " bytes, more than Kivo opens.";
}

}  // namespace kivo
