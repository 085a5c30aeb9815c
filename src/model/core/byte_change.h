#pragma once
// What an edit changed in a buffer of bytes (the ROM image, or the decoded
// world map grid): runs of offset, old bytes and new bytes. The edit history
// keeps only these, so a step costs what it changed, and the same change
// applies both ways.

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "model/core/small_bytes.h"

namespace kivo {

class ByteChange {
 public:
  struct Run {
    std::size_t offset = 0;
    std::span<const uint8_t> before;
    std::span<const uint8_t> after;
  };

  // What differs between two buffers of one size (a shorter one is compared
  // as far as both go).
  static ByteChange Between(std::span<const uint8_t> before, std::span<const uint8_t> after);

  bool empty() const { return data_.empty(); }
  std::size_t runCount() const;
  std::size_t changedBytes() const;
  // The heap bytes the change holds.
  std::size_t memory() const { return data_.heapBytes(); }
  std::vector<Run> runs() const;
  // Whether a byte in [begin, end) changed.
  bool Touches(std::size_t begin, std::size_t end) const;

  // Writes the new bytes (Redo) or the old ones (Undo) into `bytes`; a run
  // past the end of `bytes` is cut there.
  void Redo(std::span<uint8_t> bytes) const;
  void Undo(std::span<uint8_t> bytes) const;
  ByteChange Inverse() const;
  // This change followed by `later`, as one change: each byte goes from what
  // it held before the first change that wrote it to what the last one left;
  // a byte that ends as it began drops out.
  ByteChange Then(const ByteChange& later) const;

  // Adds a run after every run there is (offsets only grow, runs never meet);
  // `before` and `after` have one length. Offsets and lengths stay below 16 MiB,
  // the largest image there is.
  void Append(std::size_t offset, std::span<const uint8_t> before, std::span<const uint8_t> after);
  // Gives back memory the building left over.
  void Shrink() { data_.shrink_to_fit(); }

  bool operator==(const ByteChange&) const = default;

 private:
  // Each run: its offset and length (3 bytes each, little-endian), then its
  // old bytes, then its new bytes. A field's change fits in the object
  // itself; a larger one takes one allocation.
  SmallBytes data_;
};

// Keeps, for one edit, the bytes of a buffer as they were before the edit
// first wrote them; the edit's writes call Before first.
class ChangeRecorder {
 public:
  explicit ChangeRecorder(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  void Before(std::size_t index, std::size_t length);
  // What the recorded writes changed, against the bytes as they are now.
  ByteChange Finish() const;

 private:
  std::span<const uint8_t> bytes_;
  std::vector<uint64_t> seen_;  // one bit a byte, made at the first write
  std::vector<std::pair<uint32_t, uint8_t>> old_;
};

}  // namespace kivo
