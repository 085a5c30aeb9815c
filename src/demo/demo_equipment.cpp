#include "demo/demo_equipment.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "model/editors/armour.h"
#include "model/editors/spell_record_names.h"
#include "model/editors/weapon.h"
#include "model/gfx/battle_palettes.h"

namespace kivo::demo {
namespace {

enum WeaponKind { kKnife, kSpear, kStaff, kSword, kAxe, kBow, kShield, kWeaponKinds };
enum WeaponMaterial { kWood, kBronze, kIron, kSteel, kSilver, kCoral, kStorm, kEmber, kRune };
constexpr int kWeaponMaterials = 9;
constexpr std::array<std::string_view, kWeaponKinds> kWeaponKindNames = {
    "Knife", "Spear", "Staff", "Sword", "Axe", "Bow", "Shield"};
constexpr std::array<std::string_view, kWeaponMaterials> kWeaponMaterialNames = {
    "Wood", "Bronze", "Iron", "Steel", "Silver", "Coral", "Storm", "Ember", "Rune"};
// Hand list rows 56..63 are held in both hands.
constexpr int kFirstTwoHandedRow = 56;

enum ArmourKind { kCap, kHelm, kRobe, kMail, kGloves };
constexpr int kArmourTiers = 10;
constexpr int kHeadRows = 10, kRobeRows = 10, kMailRows = 10;
constexpr int kBronzeTier = 2, kSteelTier = 4;
constexpr std::array<std::string_view, kArmourTiers> kTierNames = {
    "Cloth", "Leather", "Bronze", "Iron", "Steel", "Silver", "Coral", "Rune", "Storm", "Ember"};
constexpr std::array<std::string_view, kArmourTiers> kRobeNames = {
    "Cloth", "Linen", "Wool", "Silk", "Velvet", "Silver", "Coral", "Rune", "Storm", "Sage"};
constexpr std::array<std::string_view, kArmourTiers> kMailNames = {
    "Padded", "Leather", "Bronze", "Iron", "Steel", "Silver", "Coral", "Rune", "Storm", "Ember"};

struct ArmourPiece {
  ArmourKind kind;
  int tier;
};
// Row 1..40 of the armour list.
ArmourPiece PieceOf(int row) {
  const int i = row - 1;
  if (i < kHeadRows)
    return {i < kBronzeTier ? kCap : kHelm, i};
  if (i < kHeadRows + kRobeRows)
    return {kRobe, i - kHeadRows};
  if (i < kHeadRows + kRobeRows + kMailRows)
    return {kMail, i - kHeadRows - kRobeRows};
  return {kGloves, i - kHeadRows - kRobeRows - kMailRows};
}

// Element and race bits (bit tables of the equipment records).
constexpr uint8_t kDimension = 0x01, kFire = 0x02, kMind = 0x04, kLightning = 0x08;
constexpr uint8_t kInstaDeath = 0x10, kPoison = 0x20, kIce = 0x80;
constexpr uint8_t kAir = 0x01, kGiant = 0x08, kDragon = 0x20, kWere = 0x40, kUndead = 0x80;

struct KindStats {
  uint8_t type;
  int attack, accuracy, evade, penalty;
  uint8_t races;  // for the stronger materials
};
constexpr std::array<KindStats, kWeaponKinds> kKinds = {{
    {2, 6, 60, 5, 0, 0},         // Knife: Dagger
    {4, 10, 55, 0, 3, kDragon},  // Spear
    {3, 4, 50, 0, 0, 0},         // Staff: Cane
    {5, 12, 60, 0, 4, 0},        // Sword
    {6, 14, 45, 0, 8, kGiant},   // Axe
    {7, 8, 65, 0, 1, kAir},      // Bow
    {1, 0, 0, 5, 5, 0},          // Shield
}};
constexpr KindStats kGlaive = {4, 24, 50, 0, 10, kGiant};  // a spear held in both hands

constexpr std::array<uint8_t, kWeaponMaterials> kMaterialElements = {
    0, 0, 0, 0, 0, kIce, kLightning, kFire, kDimension,
};

struct Special {
  int row;
  uint8_t effect;
  uint8_t castSpell;
};
// Weapons with an added effect or a spell (spell records as placed below).
constexpr Special kSpecials[] = {
    {kDemoBlindKnifeRow, 0x03, kNoCastSpell},  // Iron Knife: Blind
    {8, 0x06, kNoCastSpell},                   // Ember Knife: Poison
    {9, 0x10, kNoCastSpell},                   // Rune Knife: ripper
    {14, 0x41, kNoCastSpell},                  // Silver Spear: Petrify
    {19, 0x00, 7},                             // Wood Staff: Mend
    {23, 0x00, 8},                             // Silver Staff: Purge
    {24, 0x20, 7},                             // Coral Staff: healing, Mend
    {25, 0x08, 2},                             // Storm Staff: drains MP, Spark
    {26, 0x00, 0},                             // Ember Staff: Blaze
    {kDemoRuneStaffRow, 0x00, 70 + 23},        // Rune Staff: Nova
    {34, 0x00, 70 + 2},                        // Storm Sword: Spark
    {36, 0x04, kNoCastSpell},                  // Rune Sword: drains HP
    {41, 0x81, kNoCastSpell},                  // Silver Axe: Death
    {kDemoSleepBowRow, 0x4A, kNoCastSpell},    // Rune Bow: Sleep, Paralysis
};

WeaponRecord DemoWeapon(int row) {
  WeaponRecord r;
  if (row == 0)
    return r;  // "Unequipped": bare hands
  const int kind = (row - 1) / kWeaponMaterials;
  const int material = (row - 1) % kWeaponMaterials;
  const KindStats& k = row >= kFirstTwoHandedRow ? kGlaive : kKinds[kind];
  const bool metal = material >= kBronze && material <= kSteel;
  r.type = k.type;
  const bool shield = k.type == kShieldType;
  r.attack = shield ? 0 : k.attack + 6 * material;
  r.accuracy = shield ? 0 : k.accuracy + 2 * material;
  r.evade = k.evade + (shield ? 3 * material : 0);
  r.intSoulPenalty = k.penalty + (metal ? material : 0);
  r.elements = kMaterialElements[material];
  r.races = (material >= kSteel ? k.races : 0) | (material == kSilver ? kUndead | kWere : 0);
  for (const Special& s : kSpecials) {
    if (s.row == row) {
      r.effect = s.effect;
      r.castSpell = s.castSpell;
    }
  }
  return r;
}

struct ArmourKindStats {
  int defence, evade, penalty, magicDefence;
};
constexpr std::array<ArmourKindStats, 5> kArmourKinds = {{
    {1, 0, 0, 1},  // Cap
    {2, 2, 2, 0},  // Helm
    {3, 0, 0, 4},  // Robe
    {5, 5, 5, 0},  // Mail
    {1, 1, 3, 0},  // Gloves
}};
constexpr std::array<uint8_t, kArmourTiers> kArmourElements = {
    0, 0, 0, 0, 0, kInstaDeath, kFire | kIce, kDimension | kMind, kLightning, kFire,
};

struct StatBoost {
  int row;
  uint8_t stat;  // Strength, Agility, Vitality, Intelligence, Soul, Magic
};
constexpr StatBoost kStatBoosts[] = {
    {8, 3},   // Rune Helm: Intelligence
    {7, 2},   // Coral Helm: Vitality
    {16, 4},  // Silver Robe: Soul
    {18, 5},  // Rune Robe: Magic
    {32, 1},  // Leather Gloves: Agility
    {35, 0},  // Steel Gloves: Strength
};

ArmourRecord DemoArmour(int row) {
  ArmourRecord r;
  if (row == 0)
    return r;
  const auto [kind, tier] = PieceOf(row);
  const ArmourKindStats& k = kArmourKinds[kind];
  const bool metal = kind != kRobe && kind != kCap && tier >= kBronzeTier && tier <= kSteelTier;
  r.defence = k.defence * (tier + 1);
  r.evadePenalty = tier == 0 ? 0 : k.evade * (metal ? 2 : 1);
  r.intSoulPenalty = metal ? k.penalty : 0;
  r.magicDefence = k.magicDefence * (tier + 1) + (kind == kRobe ? 2 : 0);
  r.elements = kArmourElements[tier];
  if (kind == kMail && tier == 1)
    r.elements = kPoison;  // Leather Mail
  for (const StatBoost& s : kStatBoosts) {
    if (s.row == row)
      r.statBoost = s.stat;
  }
  return r;
}

// Spell records: the 40 magic spells and the 30 abilities at their first
// levels, the magic spells again at high levels, plain attacks, then unused.
constexpr int kMagicSpells = 40;
constexpr int kFirstHighLevel = 70;
constexpr int kFirstAttack = 110;
constexpr int kFirstUnused = 120;

void PlaceSpellRecords(ImageBuilder& image) {
  for (int m = 0; m < kSpellRecordCount; ++m) {
    uint8_t spell = kUnusedSpellRecord;
    int level = 1, accuracy = 0, targeting = 2, consumption = 0;
    if (m < kFirstHighLevel) {
      spell = static_cast<uint8_t>(m + 1);
      level = 1 + m % 5;
      accuracy = m < kMagicSpells ? 60 + (m * 7) % 40 : 50 + (m * 3) % 50;
      targeting = m % 4 == 0 ? 1 : 2;
      consumption = m < kMagicSpells ? 1 + 2 * level : 0;
    } else if (m < kFirstAttack) {
      const int j = m - kFirstHighLevel;
      spell = static_cast<uint8_t>(j + 1);
      level = std::min(6 + j % 11, 16);
      accuracy = std::min(80 + j, 100);
      targeting = j % 4 == 0 ? 1 : 2;
      consumption = std::min(3 * level, 100);
    } else if (m < kFirstUnused) {
      spell = 0;  // "Attack"
      level = m - kFirstAttack + 1;
      accuracy = 100;
    }
    const uint8_t bytes[] = {spell, static_cast<uint8_t>(level), static_cast<uint8_t>(accuracy),
                             static_cast<uint8_t>(targeting), static_cast<uint8_t>(consumption)};
    image.Bytes(SpellRecordOffset(m), bytes);
  }
}

// The material colours first (dark, middle, light), then a spread of hues.
constexpr std::array<BattlePalette, kWeaponMaterials> kMaterialPalettes = {{
    {0x07, 0x17, 0x27},  // Wood
    {0x08, 0x18, 0x28},  // Bronze
    {0x00, 0x10, 0x20},  // Iron
    {0x01, 0x11, 0x31},  // Steel
    {0x10, 0x20, 0x30},  // Silver
    {0x15, 0x25, 0x35},  // Coral
    {0x01, 0x21, 0x30},  // Storm
    {0x06, 0x16, 0x27},  // Ember
    {0x03, 0x13, 0x24},  // Rune
}};

void PlaceBattlePalettes(ImageBuilder& image) {
  RomView rom = image.view();
  for (int p = 0; p < kBattlePaletteCount; ++p) {
    const int group = p / 16;
    const int hue = 1 + (p * 5) % 12;
    BattlePalette colours = {0x0F, static_cast<uint8_t>(0x10 * (1 + group % 2) + hue),
                             static_cast<uint8_t>(0x30 + (group / 2 % 2 ? hue : 0))};
    const int material = p - kDemoMaterialPalettes;
    if (material >= 0 && material < kWeaponMaterials)
      colours = kMaterialPalettes[material];
    for (int k = 0; k < kBattlePaletteColours; ++k)
      SetBattlePaletteColour(rom, p, k, colours[k]);
  }
}

}  // namespace

std::string DemoWeaponName(int row) {
  if (row < 1 || row >= kWeaponCount)
    return {};
  const std::string material(kWeaponMaterialNames[(row - 1) % kWeaponMaterials]);
  if (row >= kFirstTwoHandedRow)
    return material + " Glaive";
  return material + " " + std::string(kWeaponKindNames[(row - 1) / kWeaponMaterials]);
}

std::string DemoArmourName(int row) {
  if (row < 1 || row >= kArmourCount)
    return {};
  const auto [kind, tier] = PieceOf(row);
  switch (kind) {
    case kCap:
      return std::string(kTierNames[tier]) + " Cap";
    case kHelm:
      return std::string(kTierNames[tier]) + " Helm";
    case kRobe:
      return std::string(kRobeNames[tier]) + " Robe";
    case kMail:
      return std::string(kMailNames[tier]) + " Mail";
    case kGloves:
      break;
  }
  return std::string(kTierNames[tier]) + " Gloves";
}

void PlaceDemoEquipment(ImageBuilder& image) {
  RomView rom = image.view();
  for (int a = 0; a < kArmourCount; ++a)
    DemoArmour(a).Write(rom, a);
  for (int w = 0; w < kWeaponCount; ++w) {
    DemoWeapon(w).Write(rom, w);
    if (HasWeaponPalette(w)) {
      const int material = (w - 1) % kWeaponMaterials;
      WriteWeaponPalette(rom, w, static_cast<uint8_t>(kDemoMaterialPalettes + material));
    }
  }
  PlaceSpellRecords(image);
  PlaceBattlePalettes(image);
}

}  // namespace kivo::demo
