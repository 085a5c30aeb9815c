#pragma once
// Whole-file reads and the safe write every user file goes through.

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

enum class ReadError { None, CannotOpen, TooLarge };

struct FileBytes {
  std::vector<uint8_t> bytes;
  ReadError error = ReadError::None;
  std::string reason;  // the system's reason when there is an error
  explicit operator bool() const { return error == ReadError::None; }
};

// Reads the whole file in one go. A file that cannot be opened, is not a
// regular file (a folder, a FIFO, a device), or whose size cannot be
// allocated gives an error and no bytes. A FIFO is refused without waiting
// for a writer, so naming one never hangs the program.
FileBytes ReadWholeFile(const std::string& path);

// The same for at most `maxBytes` from the start of the file, for formats
// whose readers ignore everything after a fixed size.
FileBytes ReadFileStart(const std::string& path, std::size_t maxBytes);

// Writes `bytes` to a temporary file in the target's folder, flushes it to
// disk and renames it over the target (over the file a symbolic link points
// to, so the link stays). An existing target keeps its permission bits. A
// target the user may not write, or one marked read-only (no write bit at
// all, which even the superuser is held to), is refused before anything is
// written: the rename would otherwise replace it. On any failure the target
// is untouched, the temporary file is removed and the reason is returned; an
// empty string means success.
std::string SafeWriteFile(const std::string& path, std::span<const uint8_t> bytes);

// Why `path` may not be replaced by a safe write (an existing file the user
// may not write, a read-only file, a folder); empty when it may.
std::string CheckWritable(const std::string& path);

// "<path>: <reason>", the informative text of a message about a file.
std::string FileProblem(const std::string& path, const std::string& reason);

// The steps of SafeWriteFile that can fail, in the order it takes them.
enum class WriteStep { CreateTemporary, Write, Flush, Rename };
inline constexpr std::array<WriteStep, 4> kWriteSteps = {
    WriteStep::CreateTemporary, WriteStep::Write, WriteStep::Flush, WriteStep::Rename};
std::string_view WriteStepName(WriteStep step);

// Test seam for the failures a disk gives rarely: while a ScopedWriteFault
// lives, every SafeWriteFile on the thread that made it fails at `step` as if
// that system call had failed with `error` (a failing write fails half-way,
// after part of the bytes reached the temporary file). Only tests make one;
// the program never does, so its writes never consult anything but the disk.
// The hook is thread-local, so tests running on other threads are unaffected;
// a newer fault hides an older one until it ends.
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(WriteStep step, int error = ENOSPC);
  ~ScopedWriteFault();
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

  // How many writes this fault has made fail.
  int failures() const { return failures_; }

  // The error the active fault gives at `step`, if any (SafeWriteFile asks).
  static std::optional<int> ErrorAt(WriteStep step);

 private:
  WriteStep step_;
  int error_;
  int failures_ = 0;
  ScopedWriteFault* previous_;
};

}  // namespace kivo
