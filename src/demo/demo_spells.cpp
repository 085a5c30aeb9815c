#include "demo/demo_spells.h"

#include <array>

#include "model/editors/spell.h"

namespace kivo::demo {
namespace {

constexpr int kMagicSpells = 40;

struct MagicSpell {
  uint8_t type;
  uint8_t elements;
  uint8_t ailments;
};

// In the order of the demo spell names (demo_image.cpp).
constexpr std::array<MagicSpell, kMagicSpells> kMagic = {{
    {1, 0x02, 0},     // Blaze: fire damage
    {1, 0x80, 0},     // Frost
    {1, 0x08, 0},     // Spark
    {4, 0x20, 0x04},  // Venom: Poison
    {4, 0x04, 0x08},  // Sleep
    {24, 0x40, 0},    // Quake
    {24, 0x00, 0},    // Gust
    {2, 0x00, 0},     // Mend
    {9, 0x00, 0xFC},  // Purge
    {10, 0x00, 0},    // Shell
    {11, 0x00, 0},    // Ward
    {6, 0x00, 0},     // Haste
    {5, 0x00, 0},     // Slow
    {4, 0x04, 0x10},  // Mute
    {3, 0x04, 0x02},  // Blind
    {7, 0x04, 0},     // Fear
    {4, 0x04, 0x80},  // Charm: Confusion
    {19, 0x00, 0},    // Drain
    {20, 0x00, 0},    // Leech
    {3, 0x10, 0x80},  // Doom: Death
    {3, 0x01, 0x80},  // Warp
    {0, 0x00, 0},     // Scan
    {24, 0x00, 0},    // Tide
    {28, 0x00, 0},    // Nova
    {22, 0x00, 0},    // Hush
    {1, 0x00, 0},     // Gleam
    {33, 0x00, 0},    // Thorn
    {4, 0x40, 0x40},  // Mire: Paralysis
    {21, 0x00, 0},    // Surge
    {3, 0x20, 0x04},  // Bane: Envenom
    {16, 0x00, 0},    // Glow
    {8, 0x00, 0xFE},  // Calm
    {21, 0x00, 0},    // Rally
    {15, 0x00, 0},    // Veil
    {3, 0x40, 0x40},  // Stone: Petrify
    {3, 0x04, 0x20},  // Husk: Toad
    {1, 0x08, 0},     // Bolt
    {33, 0x00, 0},    // Shard
    {13, 0x00, 0},    // Rift
    {14, 0x00, 0},    // Aegis
}};

SpellData DemoSpell(int s) {
  SpellData r;
  if (s < kMagicSpells) {
    const MagicSpell& m = kMagic[s];
    r.type = m.type;
    r.elements = m.elements;
    r.ailments = m.ailments;
    r.accuracy = 60 + (s * 7) % 40;
    r.power = 10 + (s * 13) % 90;
  } else {
    // Abilities: damage, every fourth one a temporary ailment.
    const int j = s - kMagicSpells;
    r.type = j % 4 == 3 ? 4 : 1;
    r.elements = static_cast<uint8_t>(1 << (j % 8));
    r.ailments = j % 4 == 3 ? SpellAilmentBit(1 + j % 6) : 0;
    r.accuracy = 50 + (j * 3) % 50;
    r.power = 20 + (j * 11) % 120;
  }
  r.palette = static_cast<uint8_t>(kDemoSpellPalettes + s % 16);
  r.animation = static_cast<uint8_t>(s % kAnimationRows);
  return r;
}

}  // namespace

void PlaceDemoSpells(ImageBuilder& image) {
  const RomView rom = image.view();
  for (int s = 0; s < kSpellCount; ++s)
    DemoSpell(s).Write(rom, s);
}

}  // namespace kivo::demo
