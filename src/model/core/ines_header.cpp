#include "model/core/ines_header.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr uint64_t kPrgBankSize = 0x4000;
constexpr uint64_t kChrBankSize = 0x2000;
constexpr uint64_t kTrainerSize = 512;

// NES 2.0 stores a ROM size as a 12-bit bank count, or, when its upper
// nibble is 0xF, as 2^E x (2M + 1) bytes.
uint64_t Nes20RomSize(uint8_t low, uint8_t msbNibble, uint64_t unit) {
  if (msbNibble == 0xF) {
    const int exponent = low >> 2;
    const uint64_t multiplier = (low & 3) * 2 + 1;
    return exponent >= 61 ? UINT64_MAX : (uint64_t{1} << exponent) * multiplier;
  }
  return ((uint64_t{msbNibble} << 8) | low) * unit;
}

}  // namespace

InesHeader DecodeInesHeader(std::span<const uint8_t> image) {
  InesHeader h;
  const std::size_t have = std::min<std::size_t>(image.size(), h.bytes.size());
  std::copy_n(image.begin(), have, h.bytes.begin());
  const auto& b = h.bytes;

  h.magic = have == h.bytes.size() && b[0] == 'N' && b[1] == 'E' && b[2] == 'S' && b[3] == 0x1A;
  h.mapper = (b[7] & 0xF0) | (b[6] >> 4);
  h.mirroring = (b[6] & 0x08)   ? Mirroring::FourScreen
                : (b[6] & 0x01) ? Mirroring::Vertical
                                : Mirroring::Horizontal;
  h.region = (b[9] & 0x01) ? Region::Pal : Region::Ntsc;
  h.prgRomBanks = b[4];
  h.chrRomBanks = b[5];
  h.prgRamBanks = b[8] == 0 ? 1 : b[8];
  h.sram = b[6] & 0x02;
  h.trainer = b[6] & 0x04;
  h.vs = b[7] & 0x01;
  h.pc10 = b[7] & 0x02;
  h.nes20 = (b[7] & 0x0C) == 0x08;

  uint64_t prg = b[4] * kPrgBankSize;
  uint64_t chr = b[5] * kChrBankSize;
  if (h.nes20) {
    prg = Nes20RomSize(b[4], b[9] & 0x0F, kPrgBankSize);
    chr = Nes20RomSize(b[5], b[9] >> 4, kChrBankSize);
  }
  const uint64_t expected = 16 + (h.trainer ? kTrainerSize : 0) + prg + chr;
  h.sizeMatches = prg != UINT64_MAX && chr != UINT64_MAX && expected == image.size();
  return h;
}

}  // namespace kivo
