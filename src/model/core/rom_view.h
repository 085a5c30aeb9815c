#pragma once
// The one way game data is reached: file offsets of a standalone image, to
// which the view adds the base shift. Reads past the end give 0 and writes
// past the end are dropped, so a short or odd image can never be read or
// written out of bounds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kivo {

class ConstRomView {
 public:
  ConstRomView() = default;
  ConstRomView(std::span<const uint8_t> image, uint32_t baseShift)
      : image_(image), shift_(baseShift) {}

  std::span<const uint8_t> image() const { return image_; }
  uint32_t baseShift() const { return shift_; }

  // Image index of a game offset, or npos when it lies outside the image.
  std::size_t IndexOf(std::size_t offset, std::size_t length = 1) const;
  bool Contains(std::size_t offset, std::size_t length = 1) const {
    return IndexOf(offset, length) != npos;
  }

  uint8_t Byte(std::size_t offset) const;
  uint16_t Word(std::size_t offset) const;  // little-endian
  // `count` bytes from `offset`; bytes past the end read as 0.
  std::vector<uint8_t> Bytes(std::size_t offset, std::size_t count) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 protected:
  std::span<const uint8_t> image_;
  uint32_t shift_ = 0;
};

class ChangeRecorder;

// With a recorder, every write first tells it which bytes it is about to
// change, so the edit's change can be kept (RomDocument::Apply).
class RomView : public ConstRomView {
 public:
  RomView() = default;
  RomView(std::span<uint8_t> image, uint32_t baseShift, ChangeRecorder* recorder = nullptr)
      : ConstRomView(image, baseShift), writable_(image), recorder_(recorder) {}

  void SetByte(std::size_t offset, uint8_t value) const;
  void SetWord(std::size_t offset, uint16_t value) const;  // little-endian
  void SetBytes(std::size_t offset, std::span<const uint8_t> bytes) const;

  // The same image and recorder addressed by image index (base shift 0),
  // for callers that hold indexes with the shift already added.
  RomView Unshifted() const { return RomView(writable_, 0, recorder_); }

 private:
  std::span<uint8_t> writable_;
  ChangeRecorder* recorder_ = nullptr;
};

}  // namespace kivo
