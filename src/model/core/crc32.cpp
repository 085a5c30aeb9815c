#include "model/core/crc32.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>

namespace kivo {

uint32_t Crc32(std::span<const uint8_t> bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes a 32-bit length; feed the span in pieces that fit.
  constexpr std::size_t kPiece = 1u << 30;
  for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
    const std::size_t n = std::min(kPiece, bytes.size() - at);
    crc = crc32(crc, bytes.data() + at, static_cast<uInt>(n));
  }
  return static_cast<uint32_t>(crc);
}

std::string Crc32Text(uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
  return text;
}

}  // namespace kivo
