#pragma once
// What every harness shares: a scratch folder for the files handed to the
// loaders, a failing check that makes libFuzzer keep the input, and the
// framing of the inputs of the image harnesses.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kivo::fuzz {

// A private folder, in memory-backed storage when there is some, removed at exit.
const std::string& ScratchFolder();
// Writes `bytes` to `name` in the scratch folder and returns the path.
std::string WriteScratchFile(const std::string& name, std::span<const uint8_t> bytes);

[[noreturn]] void Fail(const char* what, const char* file, int line);

// A property that must hold for every input; a failure aborts the run so the
// fuzzer records the input as a crash.
#define KIVO_FUZZ_CHECK(condition) \
  ((condition) ? void(0) : ::kivo::fuzz::Fail(#condition, __FILE__, __LINE__))

// Gives libFuzzer -max_len=`maxLen` unless the command line sets one: the
// longest input the harness has a use for, so no time goes on bytes it
// ignores. A harness states its own with KIVO_FUZZ_MAX_LEN(n).
int AddMaxLen(int* argc, char*** argv, std::size_t maxLen);
#define KIVO_FUZZ_MAX_LEN(n)                                     \
  extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) { \
    return ::kivo::fuzz::AddMaxLen(argc, argv, (n));             \
  }

// The input of the harnesses that read a ROM image as the pages do
// (rom_text, rom_editors, rom_map): a patch laid over the demo image, which
// is built once, and where the image ends.
//   byte 0      bit 7: the combination image, else the standalone one; bits
//               0..6 pick the read (modulo the harness's reads)
//   bytes 1..3  where the patch goes: a game-data file offset (the base shift
//               is added), little-endian, modulo 0x40010
//   bytes 4..5  where the image ends: 0 at its full size, n at n - 1 bytes
//               after the patch (never past its full size)
//   then        for rom_text only, a table file: 2 bytes of length, the file
//   the rest    the patch
struct ImageInput {
  bool combination = false;
  uint8_t pick = 0;
  uint32_t offset = 0;
  uint16_t end = 0;
  std::span<const uint8_t> table;
  std::span<const uint8_t> patch;
};
inline constexpr uint8_t kCombinationFlag = 0x80;

// Nothing when the input is too short to say where the patch goes.
std::optional<ImageInput> SplitImageInput(std::span<const uint8_t> data, bool withTable);
std::vector<uint8_t> JoinImageInput(const ImageInput& input, bool withTable);
// The demo image of that kind, built on first use.
const std::vector<uint8_t>& DemoImage(bool combination);
// The image the input describes.
std::vector<uint8_t> PatchedImage(const ImageInput& input);

// The world map harness's input: the first byte picks the mode (its low
// bits) and the image (bit 7 set: a combination image), the rest is data.
enum class MapMode : uint8_t {
  Grid = 0,   // runs of metatiles filling a grid to encode and write
  Bytes = 1,  // the bytes from the map's row pointers on
};
inline constexpr int kMapModeCount = 2;
inline constexpr uint8_t kMapCombinationFlag = kCombinationFlag;

}  // namespace kivo::fuzz
