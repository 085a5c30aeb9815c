#pragma once
// A fresh folder under the test temp dir, removed with everything in it when
// the test ends.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kivo::test {

class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        info ? std::string(info->test_suite_name()) + "_" + info->name() : "kivo";
    // The process id keeps two runs of one test apart (a second checkout
    // testing at the same time): each would otherwise remove the other's files.
    path_ = std::filesystem::path(::testing::TempDir()) /
            ("kivo_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string file = File(name);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return file;
  }

  std::string Write(const std::string& name, const std::string& text) const {
    return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
  }

  static std::vector<uint8_t> Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  // Every entry in the folder with its bytes (none for a folder): equal
  // snapshots mean no file changed and none was left beside them.
  std::map<std::string, std::vector<uint8_t>> Snapshot() const {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      files[entry.path().filename().string()] =
          entry.is_regular_file() ? Read(entry.path().string()) : std::vector<uint8_t>{};
    return files;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kivo::test
