#pragma once
// The battle formations of the demo image: formation f uses monster set
// f % 64, so formations f and f + 64 share their monsters, and two quantity
// sets, one for each state of "Formation 2". Palette 2 of every formation is
// one of a few shared battle palettes.

#include "demo/image_builder.h"

namespace kivo::demo {

// Formations the tests rely on: both use monster set 3 and battle palette
// kDemoSharedPalette as palette 2.
inline constexpr int kDemoSharedSetFormation = 3;
inline constexpr int kDemoSharedSetPartner = 3 + 64;
inline constexpr int kDemoSharedPalette = 0x43;

void PlaceDemoFormations(ImageBuilder& image);

}  // namespace kivo::demo
