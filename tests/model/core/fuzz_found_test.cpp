// Faults the fuzz harnesses found, each kept as the smallest case that showed it.

#include <gtest/gtest.h>

#include "model/core/settings.h"

namespace kivo {
namespace {

TEST(FuzzFound, SettingsIntegersNeverWrapPastTheBlock) {
  // An offset near the top of size_t once wrapped round the bounds check and
  // read far outside the block.
  SettingsBlock block;
  block.ResetToDefaults();
  for (const std::size_t offset :
       {static_cast<std::size_t>(-1), static_cast<std::size_t>(-3), static_cast<std::size_t>(-4),
        settings::kSize - 3, settings::kSize}) {
    SCOPED_TRACE(offset);
    EXPECT_EQ(block.Int(offset), 0);
    EXPECT_FALSE(block.Flag(offset));
    SettingsBlock written = block;
    written.SetInt(offset, -1);
    EXPECT_TRUE(std::equal(written.bytes().begin(), written.bytes().end(), block.bytes().begin()));
  }
  EXPECT_EQ(block.Int(settings::kSize - 4), 0);  // the last whole field still reads
  block.SetInt(settings::kSize - 4, 77);
  EXPECT_EQ(block.Int(settings::kSize - 4), 77);
}

}  // namespace
}  // namespace kivo
