#pragma once
// The 70 spell data records (type, accuracy, power, elements, ailments,
// palette, animation) and the 135 spell records the monsters' AI packs and
// the weapons' cast spell name (spell, level, accuracy, targeting,
// consumption). Writing clamps every number into its stored range; bytes
// that no list shows a row for are kept as read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/core/rom_view.h"
#include "model/editors/spell_record_names.h"

namespace kivo {

class SettingsBlock;

// Spell s lies at kSpellData + kSpellDataSize * s.
inline constexpr std::size_t kSpellData = 0x305E9;
inline constexpr std::size_t kSpellDataSize = 7;
inline constexpr int kSpellCount = 70;

namespace spell {
inline constexpr std::size_t kType = 0;
inline constexpr std::size_t kAccuracy = 1;
inline constexpr std::size_t kPower = 2;
inline constexpr std::size_t kElements = 3;
inline constexpr std::size_t kAilments = 4;
inline constexpr std::size_t kPalette = 5;
inline constexpr std::size_t kAnimation = 6;
}  // namespace spell

// Spell types: the type byte is the row of the type list.
inline constexpr int kSpellTypeRows = 34;
extern const std::array<std::string_view, kSpellTypeRows> kSpellTypeNames;
inline constexpr int kPermanentAilmentType = 3;
inline constexpr int kTemporaryAilmentType = 4;
std::optional<int> SpellTypeRow(uint8_t type);

// Animations 0..21 have a row ("Animation %d"); 0xFF and 22 and above none.
inline constexpr int kAnimationRows = 22;
std::optional<int> AnimationRow(uint8_t animation);

// Ailment boxes 0..6 stand for bits 0x02..0x80; bit 0x01 is always stored 0.
inline constexpr int kSpellAilmentBoxes = 7;
inline constexpr uint8_t kSpellAilmentMask = 0xFE;
constexpr uint8_t SpellAilmentBit(int box) {
  return static_cast<uint8_t>(0x02 << box);
}
// Whether the "Ailments" frame and box `box` show for spell type row
// `typeRow` (-1: a type with no row), and the fixed caption of a shown box.
bool SpellAilmentFrameShown(int typeRow);
bool SpellAilmentBoxShown(int typeRow, int box);
std::string_view SpellAilmentCaption(int typeRow, int box);

struct SpellData {
  uint8_t type = 0;  // kept as stored, even with no row
  int accuracy = 0;
  int power = 0;
  uint8_t elements = 0;
  uint8_t ailments = 0;
  uint8_t palette = 0;
  uint8_t animation = 0;  // kept as stored, even with no row

  // Spell `index` (0..69); any other index reads as an empty record.
  static SpellData Read(const ConstRomView& view, int index);
  // Accuracy and power clamped to 0..255, bit 0x01 of the ailments cleared.
  // An index outside 0..69 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const SpellData&) const = default;
};

std::size_t SpellDataOffset(int index);

namespace spell_record {
inline constexpr std::size_t kSpell = 0;
inline constexpr std::size_t kLevel = 1;
inline constexpr std::size_t kAccuracy = 2;
inline constexpr std::size_t kTargeting = 3;
inline constexpr std::size_t kConsumption = 4;
}  // namespace spell_record

inline constexpr int kMinSpellLevel = 1;
inline constexpr int kMaxSpellLevel = 16;
inline constexpr int kMaxSpellPercent = 100;  // accuracy and consumption

// Targeting byte t (1..6) is row t - 1.
inline constexpr int kTargetingRows = 6;
extern const std::array<std::string_view, kTargetingRows> kTargetingNames;
std::optional<int> TargetingRow(uint8_t targeting);
uint8_t TargetingOfRow(int row);

// The spell combo box: row 0 "Unused" (0xFF), row 1 "Attack" (0x00), row
// 1 + j spell name cache field j (byte j). Bytes 71..0xFE have no row.
inline constexpr int kAiSpellRows = 72;
std::optional<int> AiSpellRow(uint8_t spell);
uint8_t AiSpellOfRow(int row);

struct SpellRecord {
  uint8_t spell = kUnusedSpellRecord;  // kept as stored, even with no row
  int level = kMinSpellLevel;
  int accuracy = 0;
  uint8_t targeting = 1;  // kept as stored, even with no row
  int consumption = 0;

  // Record `index` (0..134); any other index reads as an unused record.
  static SpellRecord Read(const ConstRomView& view, int index);
  // Level clamped to 1..16, accuracy and consumption to 0..100. An index
  // outside 0..134 writes nothing.
  void Write(const RomView& view, int index) const;

  bool operator==(const SpellRecord&) const = default;
};

// The AI list row of a record holding `spell` and `level`, as
// SpellRecordName reads it from the image.
std::string SpellRecordText(const SettingsBlock& settings, uint8_t spell, int level);

}  // namespace kivo
