#include "model/core/file_io.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Pattern(std::size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

TEST(SafeWriteFile, ReplacesTheFileAndKeepsItsPermissionsAndLinks) {
  test::TempDir dir;
  const std::string target = dir.Write("game.nes", Pattern(100, 1));
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);

  ASSERT_EQ(SafeWriteFile(target, Pattern(5000, 9)), "");
  EXPECT_EQ(test::TempDir::Read(target), Pattern(5000, 9));
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Snapshot().size(), 1u) << "no temporary file is left behind";

  // Writing through a symbolic link replaces the file it points to.
  const std::string link = dir.File("link.nes");
  fs::create_symlink(target, link);
  ASSERT_EQ(SafeWriteFile(link, Pattern(10, 3)), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test::TempDir::Read(target), Pattern(10, 3));
}

TEST(SafeWriteFile, AFailedWriteLeavesTheOldFileByteIdentical) {
  test::TempDir dir;
  const std::vector<uint8_t> original = Pattern(4096, 5);
  const std::string target = dir.Write("game.nes", original);

  // A file size limit makes the write itself fail part-way, even for root.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error = SafeWriteFile(target, Pattern(0x40010, 8));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_NE(error, "");
  EXPECT_EQ(test::TempDir::Read(target), original);
  EXPECT_EQ(dir.Snapshot().size(), 1u) << "the temporary file is removed";

  // A folder that does not exist, and a folder in the way of the name.
  EXPECT_NE(SafeWriteFile(dir.File("missing/game.nes"), original), "");
  fs::create_directory(dir.File("folder"));
  EXPECT_EQ(SafeWriteFile(dir.File("folder"), original), "cannot write: Is a directory");
  EXPECT_TRUE(fs::is_directory(dir.File("folder")));
}

TEST(SafeWriteFile, ARomMarkedReadOnlyIsNeverReplaced) {
  // The folder is writable, so the rename would replace the file; even the
  // superuser, whom the permissions let write anything, is refused.
  test::TempDir dir;
  const std::vector<uint8_t> original = Pattern(64, 1);
  const std::string target = dir.Write("game.nes", original);
  ASSERT_EQ(chmod(target.c_str(), 0444), 0);
  const std::string link = dir.File("link.nes");
  fs::create_symlink(target, link);
  for (const std::string& path : {target, link}) {
    EXPECT_NE(CheckWritable(path), "");
    EXPECT_NE(SafeWriteFile(path, Pattern(64, 9)).find("Permission denied"), std::string::npos);
  }
  EXPECT_EQ(test::TempDir::Read(target), original);
  EXPECT_EQ(dir.Snapshot().size(), 2u) << "no temporary file is left behind";
  EXPECT_EQ(CheckWritable(dir.File("new.nes")), "") << "a new file is the folder's business";
}

}  // namespace
}  // namespace kivo
