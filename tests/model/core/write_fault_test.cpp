// Every step of the safe write failing in turn, for every kind of file the
// program writes: the target keeps its bytes, no temporary file is left and
// the caller gets the message the user sees.

#include <thread>

#include <gtest/gtest.h>

#include "model/core/file_io.h"
#include "model/core/settings.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

std::vector<uint8_t> Pattern(std::size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(seed + i * 13);
  return bytes;
}

SettingsBlock Customised() {
  SettingsBlock block;
  block.ResetToDefaults();
  block.SetPath(PathField::Rom, "/games/ff2.nes");
  block.SetInt(settings::kSelectedMonster, 17);
  return block;
}

TEST(WriteFault, EachStepFailsWithItsReasonAndLeavesTheFolderAsItWas) {
  test::TempDir dir;
  const std::string target = dir.Write("file.bin", Pattern(3000, 1));
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    const auto before = dir.Snapshot();
    ScopedWriteFault fault(step);
    const std::string reason = SafeWriteFile(target, Pattern(5000, 2));
    EXPECT_NE(reason.find("No space left on device"), std::string::npos) << reason;
    EXPECT_EQ(dir.Snapshot(), before);
    EXPECT_EQ(fault.failures(), 1);
    // A file that does not exist yet is not made either.
    EXPECT_NE(SafeWriteFile(dir.File("new.bin"), Pattern(10, 3)), "");
    EXPECT_EQ(dir.Snapshot(), before);
  }
  // With no fault alive the same writes succeed.
  EXPECT_EQ(SafeWriteFile(target, Pattern(5000, 2)), "");
  EXPECT_EQ(test::TempDir::Read(target), Pattern(5000, 2));

  // The newest fault wins while it lives, and a fault stays on its thread.
  {
    ScopedWriteFault outer(WriteStep::Rename);
    {
      ScopedWriteFault inner(WriteStep::Flush, EIO);
      EXPECT_NE(SafeWriteFile(target, Pattern(8, 4)).find("Input/output error"), std::string::npos);
      EXPECT_EQ(outer.failures(), 0);
    }
    std::string elsewhere = "not run";
    std::thread([&] { elsewhere = SafeWriteFile(target, Pattern(8, 5)); }).join();
    EXPECT_EQ(elsewhere, "");
    EXPECT_NE(SafeWriteFile(target, Pattern(8, 6)), "");
    EXPECT_EQ(outer.failures(), 1);
  }
  EXPECT_EQ(test::TempDir::Read(target), Pattern(8, 5));
}

// Save, the settings at exit and Clean the data are driven through the main
// window in tests/ui/write_fault_test.cpp; this is the part with no command.
TEST(WriteFault, ADamagedKivoDatThatCannotBeReplacedStaysAsItWas) {
  test::TempDir dir;
  const std::string dataFile = dir.File(settings::kDataFileName);
  ASSERT_TRUE(SaveSettings(Customised(), dataFile).empty());
  const std::vector<uint8_t> original = test::TempDir::Read(dataFile);
  // The program runs on defaults after saying so.
  std::vector<uint8_t> damaged = original;
  damaged[3] ^= 0xFF;
  dir.Write(settings::kDataFileName, damaged);
  for (const WriteStep step : kWriteSteps) {
    SCOPED_TRACE(std::string(WriteStepName(step)));
    const auto before = dir.Snapshot();
    ScopedWriteFault fault(step);
    SettingsBlock block;
    const SettingsLoadResult loaded = LoadSettings(block, dir.path().string());
    ASSERT_EQ(loaded.messages.size(), 2u);
    EXPECT_EQ(loaded.messages[0].text, kSettingsBadHeaderText);
    EXPECT_EQ(loaded.messages[1].text, kSettingsCannotCreateText);
    // The copy of the damaged file failed as well, and the message says so.
    EXPECT_TRUE(loaded.messages[0].detail.starts_with("The damaged file could not be kept: "));
    EXPECT_EQ(dir.Snapshot(), before);
    SettingsBlock defaults;
    defaults.ResetToDefaults();
    EXPECT_TRUE(std::equal(block.bytes().begin(), block.bytes().end(), defaults.bytes().begin()));
  }
}

}  // namespace
}  // namespace kivo
