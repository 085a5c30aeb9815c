#pragma once
// The world map's tile properties: two bytes per metatile, flags and a
// teleport destination. The Maps page only displays them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/core/rom_view.h"

namespace kivo {

// Metatile T's two bytes lie at kTilePropertiesOffset + 2 * T.
inline constexpr std::size_t kTilePropertiesOffset = 0x0010;
inline constexpr std::size_t kTilePropertiesSize = 2;

namespace tile_flag {
inline constexpr uint8_t kNeedCanoe = 0x01;
inline constexpr uint8_t kNoAirshipLanding = 0x04;
inline constexpr uint8_t kForest = 0x10;
inline constexpr uint8_t kInsaneRate = 0x20;
inline constexpr uint8_t kNoEncounters = 0x40;
inline constexpr uint8_t kTeleport = 0x80;
}  // namespace tile_flag

inline constexpr int kTeleportDestinationCount = 31;
extern const std::array<std::string_view, kTeleportDestinationCount> kTeleportDestinationNames;

// Rows of the encounter-rate list.
enum class EncounterRate { None = 0, Normal = 1, Insane = 2 };
inline constexpr std::array<std::string_view, 3> kEncounterRateNames = {
    "No random encounters", "Fight -- normal rate", "Fight -- insane rate"};

struct TileProperties {
  uint8_t flags = 0;
  uint8_t destination = 0;

  bool Has(uint8_t flag) const { return (flags & flag) != 0; }
  // "No random encounters" wins over the insane rate.
  EncounterRate rate() const;
  // The destination list's row: 0 without a teleport, -1 when the byte names
  // no destination.
  int DestinationRow() const;

  // Metatile numbers are taken modulo 128.
  static TileProperties Read(const ConstRomView& rom, int metatile);
};

}  // namespace kivo
