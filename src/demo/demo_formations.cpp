#include "demo/demo_formations.h"

#include <algorithm>

#include "model/editors/formation.h"
#include "model/editors/weapon.h"

namespace kivo::demo {
namespace {

// Palettes 1 come from 0x40..0x5F, palettes 2 from eight shared ones.
constexpr int kFirstPalette1 = 0x40;
constexpr int kPalette2Count = 8;
constexpr int kFirstPalette2 = kDemoSharedPalette - kDemoSharedSetFormation;
// The last quantity rows share their bytes with the weapon palettes, which
// the demo weapons use; the demo formations stay below them.
constexpr int kDemoQuantitySets = static_cast<int>((kWeaponPalettes - kQuantitySets) / kSetRowSize);
constexpr int kFormation2Step = 7;  // quantity set with "Formation 2" checked

MonsterSet DemoMonsterSet(int m) {
  // Enemies of one set are kin: a leader and its followers.
  const int leader = (2 * m) % kFormationCount;
  MonsterSet set{};
  for (int k = 0; k < kFormationEnemies; ++k)
    set[k] = static_cast<uint8_t>((leader + (k + 1) / 2) % kFormationCount);
  return set;
}

QuantitySet DemoQuantitySet(int q) {
  QuantitySet set{};
  for (int k = 0; k < kFormationEnemies; ++k) {
    const int least = (q + k) % 3;
    set[k] = {least, std::min(least + (q % 4) + 1, kMaxQuantity)};
  }
  return set;
}

}  // namespace

void PlaceDemoFormations(ImageBuilder& image) {
  const RomView rom = image.view();
  for (int m = 0; m < kMonsterSetCount; ++m)
    WriteMonsterSet(rom, m, DemoMonsterSet(m));
  for (int q = 0; q < kDemoQuantitySets; ++q)
    WriteQuantitySet(rom, q, DemoQuantitySet(q));
  for (int f = 0; f < kFormationCount; ++f) {
    FormationRecord r;
    for (int k = 0; k < kFormationEnemies; ++k) {
      r.usesPalette2[k] = ((f >> k) & 1) != 0;
      r.pictures[k] = (f + k) % (kMaxPicture + 1);
    }
    r.patternTable = f % kPatternTableCount;
    r.palettes = {static_cast<uint8_t>(kFirstPalette1 + f % 32),
                  static_cast<uint8_t>(kFirstPalette2 + f % kPalette2Count)};
    r.monsterSet = static_cast<uint8_t>(f % kMonsterSetCount);
    r.quantitySets = {static_cast<uint8_t>(f % kDemoQuantitySets),
                      static_cast<uint8_t>((f + kFormation2Step) % kDemoQuantitySets)};
    r.Write(rom, f);
    WriteFormationExtra(rom, f, static_cast<uint8_t>(0x80 | f));
  }
}

}  // namespace kivo::demo
