#include "model/editors/stat_template.h"

#include <gtest/gtest.h>

#include "model/editors/character.h"

namespace kivo {
namespace {

StatTemplate Values(int hp, int mp, int str, int vit, int agi, int evaCount, int evaPercent,
                    int mag, int intl, int soul, int mEvaCount, int mEvaPercent) {
  return {hp, mp, str, vit, agi, evaCount, evaPercent, mag, intl, soul, mEvaCount, mEvaPercent};
}

// 999 points at the "More magical" end, through the dialog: the Character page's tests.
TEST(StatTemplate, KnownResults) {
  // 125 points, slider in the middle.
  EXPECT_EQ(ComputeStatTemplate(125, 0), Values(106, 67, 19, 13, 9, 1, 15, 16, 14, 12, 1, 20));
  // 0 points: nothing, except the two counts, which are at least 1.
  EXPECT_EQ(ComputeStatTemplate(0, -49), Values(0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0));
  // More points than the template takes count as 999; the balance stays in range.
  EXPECT_EQ(ComputeStatTemplate(1200, 49), ComputeStatTemplate(999, 49));
  EXPECT_EQ(ComputeStatTemplate(999, 80), ComputeStatTemplate(999, 49));
  EXPECT_EQ(ComputeStatTemplate(-5, 0), ComputeStatTemplate(0, 0));

  // The physical end: the counts stay within 16 and the percentages within 99.
  const StatTemplate physical = ComputeStatTemplate(999, -49);
  EXPECT_EQ(physical.hp, 1534);  // 999 x (1.4 x 0.99 + 0.15) = 1534.46
  EXPECT_EQ(physical.evasionCount, 11);
  EXPECT_EQ(physical.evasionPercent, 99);
  EXPECT_EQ(physical.strength, 99);

  EXPECT_EQ(ClampTemplatePoints(-1), 0);
}

}  // namespace
}  // namespace kivo
