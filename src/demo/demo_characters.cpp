#include "demo/demo_characters.h"

#include <array>
#include <initializer_list>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/text_layout.h"
#include "model/editors/character.h"
#include "model/editors/stat_template.h"

namespace kivo::demo {
namespace {

// Demo item ids, after the demo's item names (see demo_image.cpp).
namespace item {
constexpr uint8_t kSalve = 0x01, kBigSalve = 0x02, kAntidote = 0x04, kEyeDrops = 0x05;
constexpr uint8_t kHoney = 0x09, kTent = 0x12, kLantern = 0x14;
constexpr uint8_t kIronKnife = 0x33, kSteelKnife = 0x34, kSilverSpear = 0x3E;
constexpr uint8_t kCoralStaff = 0x48, kRuneStaff = 0x4B, kIronSword = 0x4E, kStormSword = 0x52;
constexpr uint8_t kRuneSword = 0x54, kSteelAxe = 0x58, kBronzeBow = 0x5F, kWoodShield = 0x67;
constexpr uint8_t kClothCap = 0x70, kLeatherCap = 0x71, kIronHelm = 0x73, kSilverHelm = 0x75;
constexpr uint8_t kCoralHelm = 0x76, kClothRobe = 0x7A, kSilverRobe = 0x7F, kRuneRobe = 0x81;
constexpr uint8_t kLeatherMail = 0x85, kIronMail = 0x87, kSilverMail = 0x89;
constexpr uint8_t kClothGloves = 0x8E, kLeatherGloves = 0x8F, kSteelGloves = 0x92;
}  // namespace item

// Spells by their place in the spell name table (id 0xC0 + place).
// clang-format off
enum Spell {
  kBlaze, kFrost, kSpark, kVenom, kSleep, kQuake, kGust, kMend, kPurge, kShell, kWard, kHaste,
  kSlow, kMute, kBlind, kFear, kCharm, kDrain, kLeech, kDoom, kWarp, kScan, kTide, kNova,
};
// clang-format on

enum Skill { kFist, kShield, kKnife, kCane, kSpear, kSword, kAxe, kBow };

struct KnownSpell {
  Spell spell;
  int level;
};

struct SkillLevel {
  Skill skill;
  int level;
};

struct DemoCharacter {
  int points;   // of the stat template
  int balance;  // -49 physical .. 49 magical
  bool leftHanded;
  bool backRow;
  // Head, body, glove, right hand, left hand, belt 1, belt 2.
  std::array<uint8_t, kEquipmentSlotCount> equipment;
  std::initializer_list<KnownSpell> spells;
  std::initializer_list<SkillLevel> skills;
};

using namespace item;

const DemoCharacter kDemoCharacters[] = {
    // Rowan: sword and shield.
    {220,
     -30,
     false,
     false,
     {kLeatherCap, kIronMail, kLeatherGloves, kIronSword, kWoodShield, kSalve, kTent},
     {{kBlaze, 2}, {kMend, 1}},
     {{kSword, 4}, {kShield, 3}}},
    // Mira: archer, left-handed, from the back row.
    {180,
     10,
     true,
     true,
     {kClothCap, kLeatherMail, kClothGloves, 0, kBronzeBow, kEyeDrops, kHoney},
     {{kFrost, 3}, {kSpark, 2}, {kHaste, 1}},
     {{kBow, 5}}},
    // Tobin: a heavy axe and no magic.
    {260,
     -49,
     false,
     false,
     {kIronHelm, kSilverMail, kSteelGloves, kSteelAxe, 0, kBigSalve, 0},
     {},
     {{kAxe, 6}, {kFist, 2}}},
    // Kael: spear.
    {200,
     -20,
     false,
     false,
     {kCoralHelm, kIronMail, kLeatherGloves, kSilverSpear, 0, kSalve, kAntidote},
     {{kGust, 2}},
     {{kSpear, 5}}},
    // Lyra: healer.
    {190,
     35,
     false,
     true,
     {kClothCap, kSilverRobe, kClothGloves, kCoralStaff, 0, kSalve, kLantern},
     {{kMend, 6}, {kPurge, 4}, {kShell, 3}, {kWard, 3}, {kScan, 1}},
     {{kCane, 3}}},
    // Osric: a knife in each hand, left-handed.
    {170,
     -10,
     true,
     false,
     {kLeatherCap, kLeatherMail, kLeatherGloves, kSteelKnife, kIronKnife, kSalve, kSalve},
     {{kSleep, 2}, {kBlind, 1}},
     {{kKnife, 5}}},
    // Wren: black magic from the back row.
    {240,
     49,
     false,
     true,
     {kSilverHelm, kRuneRobe, kClothGloves, kRuneStaff, 0, kHoney, kEyeDrops},
     {{kBlaze, 7}, {kFrost, 6}, {kSpark, 6}, {kVenom, 3}, {kQuake, 2}, {kDrain, 2}, {kNova, 1}},
     {{kCane, 2}}},
    // Sable: sword and shield.
    {230,
     -25,
     false,
     false,
     {kIronHelm, kIronMail, kSteelGloves, kStormSword, kWoodShield, kBigSalve, kTent},
     {{kSlow, 2}, {kMute, 1}},
     {{kSword, 6}, {kShield, 4}}},
    // Corin: a little of everything.
    {300,
     0,
     false,
     false,
     {kSilverHelm, kClothRobe, kLeatherGloves, kRuneSword, 0, kSalve, kHoney},
     {{kHaste, 3}, {kWarp, 2}, {kTide, 2}, {kDoom, 1}},
     {{kSword, 5}, {kSpear, 2}}},
};
static_assert(std::size(kDemoCharacters) == kCharacterCount);

CharacterRecord RecordOf(const DemoCharacter& c) {
  CharacterRecord r;
  ApplyStatTemplate(ComputeStatTemplate(c.points, c.balance), r);
  r.leftHanded = c.leftHanded;
  r.backRow = c.backRow;
  r.equipment = c.equipment;
  int slot = 0;
  for (const KnownSpell& known : c.spells) {
    r.spells[slot].spell = IdOfRow(kSpellList, known.spell + 1);
    r.spells[slot].level = known.level;
    r.spells[slot].experience = (known.level * 37) % 100;
    ++slot;
  }
  for (const SkillLevel& s : c.skills) {
    r.skills[s.skill].level = s.level;
    r.skills[s.skill].experience = (s.level * 23) % 100;
  }
  return r;
}

}  // namespace

void PlaceDemoCharacters(ImageBuilder& image, const CharTable& table) {
  TextLayout names(image, table);
  for (int i = 0; i < kCharacterCount; ++i) {
    RecordOf(kDemoCharacters[i]).Write(image.view(), i);
    names.Fixed(kCharacterNames + kCharacterRecordSize * i, kCharacterNameSize,
                DemoCharacterName(i), kDemoBlankCode);
  }
}

}  // namespace kivo::demo
