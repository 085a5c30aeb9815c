#include "model/editors/spell.h"

#include <algorithm>
#include <cstdio>

#include "model/core/settings.h"
#include "model/text/spell_names.h"

namespace kivo {
namespace {

constexpr std::array<std::string_view, kSpellAilmentBoxes> kPermanentCaptions = {
    "Blind", "Envenom", "Curse", "Amnesia", "Toad", "Petrify", "Death",
};
// Type 4 has no box for bit 0x02.
constexpr std::array<std::string_view, kSpellAilmentBoxes> kTemporaryCaptions = {
    "", "Poison", "Sleep", "Mute", "Mini", "Paralysis", "Confusion",
};

uint8_t Clamped(int value, int low, int high) {
  return static_cast<uint8_t>(std::clamp(value, low, high));
}

}  // namespace

const std::array<std::string_view, kSpellTypeRows> kSpellTypeNames = {
    "???",
    "Damage",
    "Healing effect",
    "Inflicts permanent ailment",
    "Inflicts temporary ailment",
    "Reduces hits",
    "Adds hits",
    "Affects morale",
    "Cures permanent ailment",
    "Cures temporary ailment",
    "Raises defense",
    "Adds elemental defense",
    "Adds elemental attack",
    "Lowers elemental defense",
    "Adds evade",
    "Adds magic defense",
    "Ressurection",
    "MP * 50%",
    "HP <-> MP",
    "Drain HP",
    "Drain MP",
    "Adds attack power",
    "Cancel low level magic",
    "???",
    "Damage (Tnad, Wave, Quake)",
    "???",
    "???",
    "Elixir",
    "Damage (Ultima)",
    "Explode",
    "Restore MP",
    "???",
    "???",
    "Damage (Rock, Bow, Meteo)",
};

const std::array<std::string_view, kTargetingRows> kTargetingNames = {
    "Enemy party", "Single target", "???", "???", "Self", "Caster party",
};

std::optional<int> SpellTypeRow(uint8_t type) {
  if (type >= kSpellTypeRows)
    return std::nullopt;
  return type;
}

std::optional<int> AnimationRow(uint8_t animation) {
  if (animation >= kAnimationRows)
    return std::nullopt;
  return animation;
}

bool SpellAilmentFrameShown(int typeRow) {
  return typeRow == kPermanentAilmentType || typeRow == kTemporaryAilmentType;
}

bool SpellAilmentBoxShown(int typeRow, int box) {
  if (box < 0 || box >= kSpellAilmentBoxes)
    return false;
  if (typeRow == kPermanentAilmentType)
    return true;
  return typeRow == kTemporaryAilmentType && box > 0;
}

std::string_view SpellAilmentCaption(int typeRow, int box) {
  if (!SpellAilmentBoxShown(typeRow, box))
    return {};
  return typeRow == kPermanentAilmentType ? kPermanentCaptions[box] : kTemporaryCaptions[box];
}

std::size_t SpellDataOffset(int index) {
  return kSpellData + kSpellDataSize * static_cast<std::size_t>(index);
}

SpellData SpellData::Read(const ConstRomView& view, int index) {
  SpellData r;
  if (index < 0 || index >= kSpellCount)
    return r;
  const std::size_t at = SpellDataOffset(index);
  r.type = view.Byte(at + spell::kType);
  r.accuracy = view.Byte(at + spell::kAccuracy);
  r.power = view.Byte(at + spell::kPower);
  r.elements = view.Byte(at + spell::kElements);
  r.ailments = view.Byte(at + spell::kAilments);
  r.palette = view.Byte(at + spell::kPalette);
  r.animation = view.Byte(at + spell::kAnimation);
  return r;
}

void SpellData::Write(const RomView& view, int index) const {
  if (index < 0 || index >= kSpellCount)
    return;
  const uint8_t bytes[kSpellDataSize] = {
      type,
      Clamped(accuracy, 0, 255),
      Clamped(power, 0, 255),
      elements,
      static_cast<uint8_t>(ailments & kSpellAilmentMask),
      palette,
      animation,
  };
  view.SetBytes(SpellDataOffset(index), bytes);
}

std::optional<int> TargetingRow(uint8_t targeting) {
  if (targeting < 1 || targeting > kTargetingRows)
    return std::nullopt;
  return targeting - 1;
}

uint8_t TargetingOfRow(int row) {
  return static_cast<uint8_t>(std::clamp(row, 0, kTargetingRows - 1) + 1);
}

std::optional<int> AiSpellRow(uint8_t spell) {
  if (spell == kUnusedSpellRecord)
    return 0;
  if (spell >= kAiSpellRows - 1)
    return std::nullopt;
  return spell + 1;
}

uint8_t AiSpellOfRow(int row) {
  if (row < 1 || row >= kAiSpellRows)
    return kUnusedSpellRecord;
  return static_cast<uint8_t>(row - 1);
}

SpellRecord SpellRecord::Read(const ConstRomView& view, int index) {
  SpellRecord r;
  if (index < 0 || index >= kSpellRecordCount)
    return r;
  const std::size_t at = SpellRecordOffset(index);
  r.spell = view.Byte(at + spell_record::kSpell);
  r.level = view.Byte(at + spell_record::kLevel);
  r.accuracy = view.Byte(at + spell_record::kAccuracy);
  r.targeting = view.Byte(at + spell_record::kTargeting);
  r.consumption = view.Byte(at + spell_record::kConsumption);
  return r;
}

void SpellRecord::Write(const RomView& view, int index) const {
  if (index < 0 || index >= kSpellRecordCount)
    return;
  const uint8_t bytes[kSpellRecordSize] = {
      spell,
      Clamped(level, kMinSpellLevel, kMaxSpellLevel),
      Clamped(accuracy, 0, kMaxSpellPercent),
      targeting,
      Clamped(consumption, 0, kMaxSpellPercent),
  };
  view.SetBytes(SpellRecordOffset(index), bytes);
}

std::string SpellRecordText(const SettingsBlock& settings, uint8_t spell, int level) {
  if (spell == kUnusedSpellRecord)
    return kUnusedSpellRecordText;
  std::string name;
  if (spell < settings::kSpellNameCache.count) {
    name = SpellCacheName(settings, spell);
  } else {
    char raw[24];
    std::snprintf(raw, sizeof raw, "(raw value 0x%02X)", spell);
    name = raw;
  }
  return name + ' ' + std::to_string(level);
}

}  // namespace kivo
