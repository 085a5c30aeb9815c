#pragma once
// Whole-file reads and the safe write every user file goes through.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kivo {

enum class ReadError { None, CannotOpen, TooLarge };

struct FileBytes {
  std::vector<uint8_t> bytes;
  ReadError error = ReadError::None;
  explicit operator bool() const { return error == ReadError::None; }
};

// Reads the whole file in one go. A file that cannot be opened, or whose
// size cannot be allocated, gives an error and no bytes.
FileBytes ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file in the target's folder, flushes it to
// disk and renames it over the target (over the file a symbolic link points
// to, so the link stays). An existing target keeps its permission bits. On
// any failure the target is untouched and the reason is returned; an empty
// string means success.
std::string SafeWriteFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace kivo
