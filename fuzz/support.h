#pragma once
// What every harness shares: a scratch folder for the files handed to the
// loaders, a failing check that makes libFuzzer keep the input, and the
// framing of the ROM harness's input.

#include <cstdint>
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

// The ROM harness's input: a table file, a palette file and the image. Two
// little-endian 16-bit lengths come first (table, then palette), each cut to
// what the input holds; everything after the two files is the image.
struct RomInput {
  std::span<const uint8_t> table;
  std::span<const uint8_t> palette;
  std::span<const uint8_t> image;
};
RomInput SplitRomInput(std::span<const uint8_t> data);
std::vector<uint8_t> JoinRomInput(std::span<const uint8_t> table, std::span<const uint8_t> palette,
                                  std::span<const uint8_t> image);

// The world map harness's input: the first byte picks the mode (its low
// bits) and the image (bit 7 set: a combination image), the rest is data.
enum class MapMode : uint8_t {
  Grid = 0,   // runs of metatiles filling a grid to encode and write
  Bytes = 1,  // the bytes from the map's row pointers on
};
inline constexpr int kMapModeCount = 2;
inline constexpr uint8_t kMapCombinationFlag = 0x80;

}  // namespace kivo::fuzz
