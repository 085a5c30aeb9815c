#include "demo/demo_monsters.h"

#include <algorithm>
#include <array>

#include "model/editors/monster.h"

namespace kivo::demo {
namespace {

constexpr int kKinds = 16;
constexpr int kKins = 8;
static_assert(kKinds * kKins == kMonsterCount);

// Element and race bits, as the shared bit tables name them.
enum Element : uint8_t {
  kDimension = 0x01,
  kFire = 0x02,
  kMind = 0x04,
  kLightning = 0x08,
  kInstaDeath = 0x10,
  kPoison = 0x20,
  kBody = 0x40,
  kIce = 0x80,
};
enum Race : uint8_t {
  kAir = 0x01,
  kWater = 0x02,
  kEarth = 0x04,
  kGiant = 0x08,
  kMagic = 0x10,
  kDragon = 0x20,
  kWere = 0x40,
  kUndead = 0x80,
};

constexpr std::array<int, 32> kHpMp = {
    0,   6,   12,  20,   28,   40,   55,   70,   90,   120,  150,  190,  240,  300,  380,  460,
    560, 680, 820, 1000, 1200, 1450, 1750, 2100, 2500, 3000, 3600, 4300, 5200, 6500, 8000, 9999};
constexpr std::array<uint8_t, 16> kHits = {1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8, 9, 10, 12, 16};
constexpr std::array<uint8_t, 16> kAccuracy = {10, 20, 30, 40, 45, 50, 55, 60,
                                               65, 70, 75, 80, 85, 90, 95, 99};
constexpr std::array<uint8_t, 16> kStrength = {0,  4,  8,  12, 16, 20, 26,  32,
                                               40, 48, 56, 66, 78, 90, 105, 120};
constexpr std::array<uint8_t, 16> kEffects = {
    0x00, 0x01 | 0x02, 0x02 | 0x04, 0x02 | 0x08, 0x04,        0x08,        0x01 | 0x40, 0x02 | 0x40,
    0x20, 0x10,        0x01 | 0x80, 0x02 | 0x80, 0x01 | 0x20, 0x02 | 0x10, 0x02 | 0x20, 0x01 | 0x08,
};
constexpr std::array<uint8_t, 16> kRaces = {
    0,
    kAir,
    kWater,
    kEarth,
    kGiant,
    kMagic,
    kDragon,
    kWere,
    kUndead,
    kAir | kMagic,
    kWater | kDragon,
    kEarth | kGiant,
    kUndead | kMagic,
    kWere | kGiant,
    kAir | kDragon,
    kWater | kUndead,
};
constexpr std::array<uint8_t, 16> kResists = {
    0,
    kFire,
    kIce,
    kLightning,
    kPoison,
    kMind | kBody,
    kInstaDeath,
    kFire | kIce,
    kPoison | kBody,
    kDimension,
    kInstaDeath | kPoison | kMind,
    kLightning | kFire,
    kBody,
    kIce | kPoison,
    kDimension | kInstaDeath,
    0xFF,
};
constexpr std::array<uint8_t, 16> kElements = {
    0,
    kFire,
    kIce,
    kLightning,
    kPoison,
    kBody,
    kMind,
    kDimension,
    kInstaDeath,
    kFire | kIce,
    kFire | kLightning,
    kIce | kLightning,
    kBody | kPoison,
    kDimension | kInstaDeath,
    kFire | kBody,
    kIce | kMind,
};
constexpr std::array<uint16_t, 16> kGil = {10,  25,  40,  60,  80,   100,  150,  200,
                                           300, 450, 600, 800, 1000, 1500, 2500, 5000};

struct Kind {
  uint8_t race;      // race set
  uint8_t resist;    // resist set
  uint8_t weakness;  // element set
  uint8_t absorb;    // element set
  uint8_t effect;    // effect set
};
// Goblin, Wolf, Bat, Slime, Toad, Wasp, Crab, Golem, Wisp, Lizard, Ogre,
// Mantis, Eel, Raven, Shade, Drake.
constexpr std::array<Kind, kKinds> kKindSets = {{
    {0, 0, 0, 0, 0},
    {7, 0, 1, 0, 0},
    {1, 0, 3, 0, 4},
    {2, 4, 1, 4, 2},
    {2, 4, 0, 0, 12},
    {1, 0, 1, 4, 2},
    {2, 2, 3, 0, 0},
    {11, 8, 3, 0, 0},
    {9, 5, 7, 0, 5},
    {3, 1, 2, 0, 6},
    {4, 0, 0, 0, 0},
    {0, 0, 1, 0, 3},
    {2, 2, 3, 2, 7},
    {1, 0, 3, 0, 1},
    {8, 10, 1, 6, 10},
    {6, 7, 2, 1, 11},
}};

// A kin shifts the elements: red monsters take in fire, ice ones cold.
Kind KinSets(int kind, int kin) {
  Kind sets = kKindSets[kind];
  if (kin == 1) {
    sets.weakness = 2;
    sets.absorb = 1;
  } else if (kin == 5) {
    sets.weakness = 1;
    sets.absorb = 2;
  } else if (kin == 6 && sets.race == 0) {
    sets.race = 8;
  }
  return sets;
}

MonsterRecord DemoMonster(int n) {
  const int kind = n % kKinds;
  const int kin = n / kKinds;
  const int tier = std::min(2 * kin + kind / 8, 15);  // 0..15
  const Kind sets = KinSets(kind, kin);

  MonsterRecord r;
  r.aiPack =
      n < kDemoFirstAiMonster ? kNoAiPack : static_cast<uint8_t>((n - kDemoFirstAiMonster) % 58);
  r.hpIndex = static_cast<uint8_t>(std::min(2 + 2 * tier + kind % 2, 31));
  r.mpIndex = static_cast<uint8_t>(kind % 4 == 2 ? std::min(tier + 4, 31) : 0);
  r.index(MonsterIndex::Hits) = static_cast<uint8_t>(tier);
  r.index(MonsterIndex::Accuracy) = static_cast<uint8_t>(std::min(tier + 2, 15));
  r.index(MonsterIndex::Strength) = static_cast<uint8_t>(tier);
  r.index(MonsterIndex::EffectSet) = sets.effect;
  r.index(MonsterIndex::Blocks) = static_cast<uint8_t>(tier / 2);
  r.index(MonsterIndex::Evade) = static_cast<uint8_t>((tier + kind) % 8);
  r.index(MonsterIndex::Defence) = static_cast<uint8_t>(tier);
  r.index(MonsterIndex::MagicDefence) = static_cast<uint8_t>(tier / 2 + 1);
  r.index(MonsterIndex::MagicEvade) = static_cast<uint8_t>(tier / 2);
  r.index(MonsterIndex::RaceSet) = sets.race;
  r.index(MonsterIndex::ResistSet) = sets.resist;
  r.index(MonsterIndex::WeaknessSet) = sets.weakness;
  r.index(MonsterIndex::Morale) = static_cast<uint8_t>(std::min(8 + kin, 15));
  r.index(MonsterIndex::AbsorbSet) = sets.absorb;
  r.spoilsSet = static_cast<uint8_t>((kin * 8 + kind / 2) % kSpoilsSets.groups);
  return r;
}

// Attacks in the even slots, abilities and spells (records 0..109) between.
GroupSlots DemoAiPack(int p) {
  GroupSlots actions{};
  for (int k = 1; k < kSlotsPerGroup; k += 2) {
    const int ability = 41 + (3 * p + k) % 30;
    const int spell = p < 30 ? 1 + (5 * p + k) % 40 : 71 + (p + 3 * k) % 40;
    actions[k] = static_cast<uint8_t>(k == 3 || (k == 7 && p % 2) ? spell : ability);
  }
  return actions;
}

// A gil amount first, then items, weapons, armour and scrolls.
GroupSlots DemoSpoils(int s) {
  return {
      static_cast<uint8_t>(kFirstGilByte + s % 16),
      static_cast<uint8_t>(0x01 + (3 * s + 1) % 0x2E),
      static_cast<uint8_t>(0x01 + (3 * s + 2) % 0x2E),
      static_cast<uint8_t>(s % 4 == 3 ? 0 : 0x01 + (3 * s + 3) % 0x2E),
      static_cast<uint8_t>(s % 2 ? 0 : 0x31 + s % 63),
      static_cast<uint8_t>(s % 3 == 1 ? 0 : 0x70 + s % 40),
      static_cast<uint8_t>(kFirstGilByte + (s + 5) % 16),
      static_cast<uint8_t>(s % 3 == 0 ? 0x98 + s % 40 : 0),
  };
}

}  // namespace

void PlaceDemoMonsters(ImageBuilder& image) {
  const RomView rom = image.view();
  for (int i = 0; i < kHpMpValues.entries; ++i)
    WriteEntry(rom, kHpMpValues, i, kHpMp[i]);
  for (int i = 0; i < 16; ++i) {
    WriteEntry(rom, kHitsValues, i, kHits[i]);
    WriteEntry(rom, kAccuracyValues, i, kAccuracy[i]);
    WriteEntry(rom, kStrengthValues, i, kStrength[i]);
    WriteEntry(rom, kEffectSets, i, kEffects[i]);
    WriteEntry(rom, kRaceSets, i, kRaces[i]);
    WriteEntry(rom, kResistSets, i, kResists[i]);
    WriteEntry(rom, kElementSets, i, kElements[i]);
    WriteEntry(rom, kGilAmounts, i, kGil[i]);
  }
  for (int p = 0; p < kAiPacks.groups; ++p) {
    const GroupSlots actions = DemoAiPack(p);
    for (int k = 0; k < kSlotsPerGroup; ++k)
      WriteSlot(rom, kAiPacks, p, k, actions[k]);
  }
  for (int s = 0; s < kSpoilsSets.groups; ++s) {
    const GroupSlots spoils = DemoSpoils(s);
    for (int k = 0; k < kSlotsPerGroup; ++k)
      WriteSlot(rom, kSpoilsSets, s, k, spoils[k]);
  }
  // Records only: every table entry is in place already.
  for (int n = 0; n < kMonsterCount; ++n)
    DemoMonster(n).Write(rom, n);
}

}  // namespace kivo::demo
