#include "support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "demo/demo_image.h"
#include "demo/image_builder.h"
#include "model/core/rom_document.h"

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

int AddMaxLen(int* argc, char*** argv, std::size_t maxLen) {
  static std::vector<std::string> added;
  static std::vector<char*> args;
  for (int i = 1; i < *argc; ++i) {
    if (std::string_view((*argv)[i]).starts_with("-max_len="))
      return 0;
  }
  added.push_back("-max_len=" + std::to_string(maxLen));
  args.assign(*argv, *argv + *argc);
  args.push_back(added.back().data());
  args.push_back(nullptr);
  *argc += 1;
  *argv = args.data();
  return 0;
}

std::optional<ImageInput> SplitImageInput(std::span<const uint8_t> data, bool withTable) {
  constexpr std::size_t kFixed = 6;
  if (data.size() < kFixed + (withTable ? 2 : 0))
    return std::nullopt;
  ImageInput input;
  input.combination = data[0] & kCombinationFlag;
  input.pick = data[0] & ~kCombinationFlag;
  input.offset = (data[1] | data[2] << 8 | data[3] << 16) % kStandaloneSize;
  input.end = static_cast<uint16_t>(data[4] | data[5] << 8);
  std::span<const uint8_t> rest = data.subspan(kFixed);
  if (withTable) {
    const std::size_t length = std::min<std::size_t>(rest[0] | rest[1] << 8, rest.size() - 2);
    input.table = rest.subspan(2, length);
    rest = rest.subspan(2 + length);
  }
  input.patch = rest;
  return input;
}

std::vector<uint8_t> JoinImageInput(const ImageInput& input, bool withTable) {
  std::vector<uint8_t> data = {
      static_cast<uint8_t>((input.combination ? kCombinationFlag : 0) | input.pick),
      static_cast<uint8_t>(input.offset),
      static_cast<uint8_t>(input.offset >> 8),
      static_cast<uint8_t>(input.offset >> 16),
      static_cast<uint8_t>(input.end),
      static_cast<uint8_t>(input.end >> 8),
  };
  if (withTable) {
    const std::size_t length = std::min<std::size_t>(input.table.size(), 0xFFFF);
    data.push_back(static_cast<uint8_t>(length));
    data.push_back(static_cast<uint8_t>(length >> 8));
    data.insert(data.end(), input.table.begin(), input.table.begin() + length);
  }
  data.insert(data.end(), input.patch.begin(), input.patch.end());
  return data;
}

const std::vector<uint8_t>& DemoImage(bool combination) {
  static const std::vector<uint8_t> standalone = demo::BuildDemoImage();
  static const std::vector<uint8_t> joined = [] {
    demo::ImageBuilder builder = demo::ImageBuilder::Combination();
    demo::PlaceDemoImage(builder);
    return builder.Build();
  }();
  return combination ? joined : standalone;
}

std::vector<uint8_t> PatchedImage(const ImageInput& input) {
  const std::vector<uint8_t>& demo = DemoImage(input.combination);
  const std::size_t at = std::min<std::size_t>(
      (input.combination ? kCombinationShift : 0) + input.offset, demo.size());
  const std::size_t patched = std::min(input.patch.size(), demo.size() - at);
  const std::size_t size =
      input.end == 0 ? demo.size() : std::min(demo.size(), at + patched + (input.end - 1u));
  std::vector<uint8_t> image(demo.begin(), demo.begin() + static_cast<std::ptrdiff_t>(size));
  std::copy_n(input.patch.begin(), patched, image.begin() + static_cast<std::ptrdiff_t>(at));
  return image;
}

}  // namespace kivo::fuzz
