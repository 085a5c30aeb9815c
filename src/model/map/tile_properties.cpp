#include "model/map/tile_properties.h"

namespace kivo {

const std::array<std::string_view, kTeleportDestinationCount> kTeleportDestinationNames = {
    "--None--",
    "Altea",
    "Paramekia Castle/Gatea",
    "Palm",
    "Poft",
    "Bofsk",
    "Salamando",
    "Mysidia Tower/Town",
    "Chocobo Forest",
    "Rebel Tent",
    "Layla's Ship*",
    "Bofsk Cave",
    "Tropical Island",
    "Phin",
    "Phin Castle",
    "Castle Deist",
    "Kashoun Castle",
    "Colliseum",
    "Paramekia Castle",
    "Deist Cave",
    "Mysidia Tower",
    "Mithril Cave",
    "Mithril Cave*",
    "Leviathan",
    "Warship",
    "Cave of Mysidia",
    "Ice Cave",
    "Castle Pandemonium",
    "Whirlwind",
    "Throne room of Phin Castle*",
    "Throne room of Phin Castle**",
};

EncounterRate TileProperties::rate() const {
  if (Has(tile_flag::kNoEncounters)) {
    return EncounterRate::None;
  }
  return Has(tile_flag::kInsaneRate) ? EncounterRate::Insane : EncounterRate::Normal;
}

int TileProperties::DestinationRow() const {
  if (!Has(tile_flag::kTeleport)) {
    return 0;
  }
  return destination < kTeleportDestinationCount ? destination : -1;
}

TileProperties TileProperties::Read(const ConstRomView& rom, int metatile) {
  const std::size_t at =
      kTilePropertiesOffset + kTilePropertiesSize * static_cast<std::size_t>(metatile & 0x7F);
  return {rom.Byte(at), rom.Byte(at + 1)};
}

}  // namespace kivo
