#pragma once
// Bit tables that weapons, armour and monsters share: the element bits, the
// race bits and the added-effect byte with its ailment bits. The Equipment
// page uses them for weapon and armour records, the Monster page for its
// shared sets; both show and store them the same way.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kivo {

class SettingsBlock;

// Eight boxes, box k standing for bit 1 << k.
inline constexpr int kBitBoxCount = 8;
using BitBoxes = std::array<bool, kBitBoxCount>;

BitBoxes BoxesOfBits(uint8_t bits);
uint8_t BitsOfBoxes(const BitBoxes& boxes);

// Element bit table: name k belongs to bit 1 << k.
inline constexpr std::array<std::string_view, kBitBoxCount> kElementNames = {
    "Dimension", "Fire", "Mind", "Lightning", "Insta death", "Poison", "Body", "Ice",
};
// Race bit table: name k belongs to bit 1 << k.
inline constexpr std::array<std::string_view, kBitBoxCount> kRaceNames = {
    "Air", "Water", "Earth", "Giant", "Magic", "Dragon", "Were", "Undead",
};

// The added-effect byte. Bits 0..5 name the effect: the lowest set one gives
// the row of the effect list. Rows 1 and 2 carry ailment bits above their
// effect bit.
enum EffectRow : int {
  kEffectNothing = 0,
  kEffectPermanentAilment = 1,
  kEffectTemporaryAilment = 2,
  kEffectDrainHp = 3,
  kEffectDrainMp = 4,
  kEffectRipper = 5,
  kEffectHealing = 6,
};
inline constexpr int kEffectRowCount = 7;

// Row of the effect list for a stored byte (0 when none of bits 0..5 is set).
int EffectRowOf(uint8_t effectByte);

// Seven ailment boxes; box i stands for bit 0x02 << i. Row 1 shows all seven
// (the permanent ailments), row 2 boxes 1..6 (the temporary ailments: bit
// 0x02 is its effect bit), any other row none.
inline constexpr int kAilmentBoxCount = 7;
using AilmentBoxes = std::array<bool, kAilmentBoxCount>;

constexpr uint8_t AilmentBit(int box) {
  return static_cast<uint8_t>(0x02 << box);
}
bool AilmentBoxShown(int effectRow, int box);
// Ticks of the boxes shown for `effectRow`, read from `effectByte`; boxes not
// shown are unticked.
AilmentBoxes AilmentTicks(int effectRow, uint8_t effectByte);
// The byte stored for an effect row and the ticked boxes; boxes not shown for
// the row are ignored. Rows outside 0..6 store 0.
uint8_t EncodeAddedEffect(int effectRow, const AilmentBoxes& ticks);

// What Save stores: rows 1 and 2 as encoded from their boxes (every bit of
// such a byte has a box). Any other row that is still the stored byte's row
// keeps the stored byte, so bits no box shows (0x0C, 0xC0) survive a Save
// that changed nothing; a newly picked row stores its one bit.
uint8_t StoreAddedEffect(int effectRow, const AilmentBoxes& ticks, uint8_t stored);

// What effect row `row` shows: its added-effect label, or its default name.
std::string EffectRowText(const SettingsBlock& settings, int row);
// Caption of ailment box `box` for `effectRow`: the permanent (row 1) or
// temporary (row 2) ailment label, or its default; empty for a box not shown.
std::string AilmentCaption(const SettingsBlock& settings, int effectRow, int box);

}  // namespace kivo
