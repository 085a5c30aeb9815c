#include "model/editors/monster.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"

namespace kivo {
namespace {

using demo::ImageBuilder;

constexpr std::size_t Record(int n) {
  return 0x307D3 + 10 * static_cast<std::size_t>(n);
}
constexpr std::size_t kSpoilsIndex = 0x17790;

TEST(MonsterRecord, ReadsNibblesAndKeepsBytesWithoutARow) {
  for (ImageBuilder image : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    image.Bytes(Record(127), {0x3A, 40, 0x1F, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE})
        .Byte(kSpoilsIndex + 127, 0x80);
    const MonsterRecord r = MonsterRecord::Read(image.view(), 127);
    EXPECT_EQ(r.aiPack, 0x3A);  // pack 58: no such pack, kept
    EXPECT_EQ(r.hpIndex, 40);
    EXPECT_EQ(r.mpIndex, 0x1F);
    // The fourteen nibbles in record order, from the high nibble of byte 3.
    using enum MonsterIndex;
    const MonsterIndex order[] = {Hits,      Accuracy,    Strength,     EffectSet,  Blocks,
                                  Evade,     Defence,     MagicDefence, MagicEvade, RaceSet,
                                  ResistSet, WeaknessSet, Morale,       AbsorbSet};
    for (int k = 0; k < 14; ++k)
      EXPECT_EQ(r.index(order[k]), k + 1) << k;
    EXPECT_EQ(r.spoilsSet, 0x80);

    // Written back unchanged, nothing changes.
    const std::vector<uint8_t> before = image.Build();
    r.Write(image.view(), 127);
    MonsterFields::Read(image.view(), 127).Write(image.view(), 127);
    EXPECT_EQ(image.Build(), before);
  }
}

}  // namespace
}  // namespace kivo
