#pragma once
// The iNES header as the ROM information view reads it.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kivo {

enum class Mirroring { Horizontal = 0, Vertical = 1, FourScreen = 2 };
enum class Region { Ntsc = 0, Pal = 1 };

struct InesHeader {
  std::array<uint8_t, 16> bytes{};  // the header bytes, 0 where the image is shorter
  bool magic = false;               // "NES" 0x1A, and a full 16-byte header
  int mapper = 0;
  Mirroring mirroring = Mirroring::Horizontal;
  Region region = Region::Ntsc;
  int prgRomBanks = 0;  // byte 4
  int chrRomBanks = 0;  // byte 5
  int prgRamBanks = 1;  // byte 8, 0 read as 1
  bool sram = false;
  bool trainer = false;
  bool vs = false;
  bool pc10 = false;
  bool nes20 = false;        // (byte 7 & 0x0C) == 0x08
  bool sizeMatches = false;  // file size == header + trainer + PRG + CHR
};

InesHeader DecodeInesHeader(std::span<const uint8_t> image);

inline constexpr const char* kBadHeaderText = "Possibility exists that this isn't a valid header!";
inline constexpr std::array<std::string_view, 3> kMirroringNames = {"Horizontal", "Vertical",
                                                                    "Four-screen"};
inline constexpr std::array<std::string_view, 2> kRegionNames = {"NTSC", "PAL"};

const std::array<std::string_view, 256>& MapperNames();

}  // namespace kivo
