#pragma once
// CRC-32 (the zlib polynomial) of a byte span, as patches and dumps name images.

#include <cstdint>
#include <span>
#include <string>

namespace kivo {

uint32_t Crc32(std::span<const uint8_t> bytes);
// Eight upper-case hexadecimal digits: "1234ABCD".
std::string Crc32Text(uint32_t crc);

}  // namespace kivo
