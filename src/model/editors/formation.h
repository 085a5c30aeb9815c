#pragma once
// The 128 battle formations and the tables they point into: the extra byte
// of each formation, the 64 monster sets and the 122 quantity sets. Sets are
// shared by many formations, so writing one changes every formation that
// uses it. Writing clamps every value into its stored range.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/core/rom_view.h"

namespace kivo {

// Formation f lies at kFormationRecords + kFormationRecordSize * f.
inline constexpr std::size_t kFormationRecords = 0x2C630;
inline constexpr std::size_t kFormationRecordSize = 8;
inline constexpr int kFormationCount = 128;
// One byte per formation, meaning unknown, edited as a raw value.
inline constexpr std::size_t kFormationExtraBytes = 0x2CA30;
// Row m: the monster ids of enemies 1..4.
inline constexpr std::size_t kMonsterSets = 0x2CAB0;
inline constexpr int kMonsterSetCount = 64;
// Row q: per enemy, the least number in the low and the greatest in the high nibble.
inline constexpr std::size_t kQuantitySets = 0x2CBB0;
inline constexpr int kQuantitySetCount = 122;
inline constexpr std::size_t kSetRowSize = 4;

inline constexpr int kFormationEnemies = 4;
inline constexpr int kPatternTableCount = 16;
inline constexpr int kMaxPicture = 15;
inline constexpr int kMaxQuantity = 15;

namespace formation {
inline constexpr std::size_t kFlags = 0;  // bits 7..4 palette 2 of enemies 1..4, 3..0 pattern table
inline constexpr std::size_t kPictures = 1;  // two bytes, enemy 1 in the high nibble of the first
inline constexpr std::size_t kPalettes = 3;  // palette 1, palette 2
inline constexpr std::size_t kMonsterSet = 5;
inline constexpr std::size_t kQuantitySets = 6;  // without and with "Formation 2"
}  // namespace formation

struct FormationRecord {
  std::array<bool, kFormationEnemies> usesPalette2{};
  int patternTable = 0;                           // 0..15
  std::array<int, kFormationEnemies> pictures{};  // 0..15
  std::array<uint8_t, 2> palettes{};              // battle palette numbers
  uint8_t monsterSet = 0;
  std::array<uint8_t, 2> quantitySets{};  // index 1 is used with "Formation 2"

  uint8_t& quantitySet(bool formation2) { return quantitySets[formation2 ? 1 : 0]; }
  uint8_t quantitySet(bool formation2) const { return quantitySets[formation2 ? 1 : 0]; }

  // Formations outside 0..127 read as all zero and are never written.
  static FormationRecord Read(const ConstRomView& rom, int f);
  void Write(const RomView& rom, int f) const;

  bool operator==(const FormationRecord&) const = default;
};

uint8_t ReadFormationExtra(const ConstRomView& rom, int f);
void WriteFormationExtra(const RomView& rom, int f, uint8_t value);

using MonsterSet = std::array<uint8_t, kFormationEnemies>;

struct QuantityRange {
  int least = 0;     // 0..15
  int greatest = 0;  // 0..15
  bool operator==(const QuantityRange&) const = default;
};
using QuantitySet = std::array<QuantityRange, kFormationEnemies>;

// A row outside its table reads as zero and is never written: the bytes
// after the table belong to others.
bool IsMonsterSetRow(int m);
bool IsQuantitySetRow(int q);
MonsterSet ReadMonsterSet(const ConstRomView& rom, int m);
void WriteMonsterSet(const RomView& rom, int m, const MonsterSet& set);
QuantitySet ReadQuantitySet(const ConstRomView& rom, int q);
void WriteQuantitySet(const RomView& rom, int q, const QuantitySet& set);

}  // namespace kivo
