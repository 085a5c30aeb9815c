#include "support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kivo::fuzz {
namespace {

// ./fuzz-run names a folder it removes after the run, since a harness that
// crashes or times out never reaches its exit handlers.
std::string MakeScratchFolder() {
  std::string base = "/dev/shm";
  if (const char* given = std::getenv("KIVO_FUZZ_SCRATCH"); given != nullptr && *given != '\0') {
    base = given;
  } else if (access(base.c_str(), W_OK) != 0) {
    const char* tmp = std::getenv("TMPDIR");
    base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  }
  std::string folder = base + "/kivo-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("kivo fuzz: cannot make a scratch folder");
    std::abort();
  }
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

}  // namespace

const std::string& ScratchFolder() {
  static const std::string folder = MakeScratchFolder();
  static const bool registered = std::atexit(RemoveScratchFolder) == 0;
  (void)registered;
  return folder;
}

std::string WriteScratchFile(const std::string& name, std::span<const uint8_t> bytes) {
  const std::string path = ScratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "kivo fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "kivo fuzz: property failed at %s:%d: %s\n", file, line, what);
  std::abort();
}

RomInput SplitRomInput(std::span<const uint8_t> data) {
  RomInput input;
  std::size_t at = 0;
  auto length = [&] {
    if (at + 2 > data.size()) {
      at = data.size();
      return std::size_t{0};
    }
    const std::size_t n = data[at] | (data[at + 1] << 8);
    at += 2;
    return n;
  };
  const std::size_t tableLength = length();
  const std::size_t paletteLength = length();
  auto take = [&](std::size_t n) {
    n = std::min(n, data.size() - at);
    const auto part = data.subspan(at, n);
    at += n;
    return part;
  };
  input.table = take(tableLength);
  input.palette = take(paletteLength);
  input.image = data.subspan(at);
  return input;
}

std::vector<uint8_t> JoinRomInput(std::span<const uint8_t> table, std::span<const uint8_t> palette,
                                  std::span<const uint8_t> image) {
  std::vector<uint8_t> data;
  table = table.first(std::min<std::size_t>(table.size(), 0xFFFF));
  palette = palette.first(std::min<std::size_t>(palette.size(), 0xFFFF));
  for (const std::size_t n : {table.size(), palette.size()}) {
    data.push_back(static_cast<uint8_t>(n));
    data.push_back(static_cast<uint8_t>(n >> 8));
  }
  data.insert(data.end(), table.begin(), table.end());
  data.insert(data.end(), palette.begin(), palette.end());
  data.insert(data.end(), image.begin(), image.end());
  return data;
}

}  // namespace kivo::fuzz
