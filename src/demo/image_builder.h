#pragma once
// Lays out synthetic images shaped like the game's: a header, the title
// bytes, and bytes and pointers at shift-aware file offsets. Tests build
// their fixtures with it and the program builds its demo image with it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "model/core/rom_view.h"

namespace kivo::demo {

class ImageBuilder {
 public:
  // A standalone image (0x40010 bytes) with a plain FF2 header.
  ImageBuilder();
  // An image of any size; 0x80010 gives a combination cartridge whose game
  // data lies at +0x40000, every other size base shift 0.
  explicit ImageBuilder(std::size_t size);

  static ImageBuilder Standalone() { return ImageBuilder(); }
  static ImageBuilder Combination();

  uint32_t baseShift() const { return shift_; }
  std::size_t size() const { return image_.size(); }

  // Header and title of release signature `row` (0..8).
  ImageBuilder& Release(int row);
  ImageBuilder& Header(std::span<const uint8_t> sixteen);
  ImageBuilder& Title(std::string_view sixteen);

  // Game data at file offsets of a standalone image (the base shift is added).
  ImageBuilder& Byte(std::size_t offset, uint8_t value);
  ImageBuilder& Word(std::size_t offset, uint16_t value);
  ImageBuilder& Bytes(std::size_t offset, std::span<const uint8_t> bytes);
  ImageBuilder& Bytes(std::size_t offset, std::initializer_list<uint8_t> bytes);
  ImageBuilder& Fill(std::size_t offset, std::size_t count, uint8_t value);
  ImageBuilder& Ascii(std::size_t offset, std::string_view text);

  // Image bytes at absolute indexes, with no base shift (the header, the
  // Game Boy Advance title).
  ImageBuilder& Raw(std::size_t index, std::span<const uint8_t> bytes);
  ImageBuilder& RawAscii(std::size_t index, std::string_view text);

  RomView view() { return RomView(image_, shift_); }
  std::vector<uint8_t>& bytes() { return image_; }
  std::vector<uint8_t> Build() const { return image_; }

 private:
  std::vector<uint8_t> image_;
  uint32_t shift_ = 0;
};

}  // namespace kivo::demo
