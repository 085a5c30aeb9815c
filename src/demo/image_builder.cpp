#include "demo/image_builder.h"

#include <algorithm>

#include "model/core/rom_document.h"
#include "model/core/version.h"

namespace kivo::demo {

ImageBuilder::ImageBuilder() : ImageBuilder(kStandaloneSize) {}

ImageBuilder::ImageBuilder(std::size_t size) : image_(size, 0) {
  shift_ = ClassifyImage(size).baseShift;
  const uint8_t prgBanks = size == kCombinationSize ? 0x20 : 0x10;
  const uint8_t flags = size == kCombinationSize ? 0x13 : 0x12;
  const uint8_t header[16] = {'N', 'E', 'S', 0x1A, prgBanks, 0x00, flags};
  Raw(0, header);
}

ImageBuilder ImageBuilder::Combination() {
  return ImageBuilder(kCombinationSize);
}

ImageBuilder& ImageBuilder::Release(int row) {
  const ReleaseSignature& s = ReleaseSignatures().at(row);
  Header(std::span(s).first(16));
  return Bytes(kTitleOffset, std::span(s).subspan(16));
}

ImageBuilder& ImageBuilder::Header(std::span<const uint8_t> sixteen) {
  return Raw(0, sixteen.first(std::min<std::size_t>(sixteen.size(), 16)));
}

ImageBuilder& ImageBuilder::Title(std::string_view sixteen) {
  return Ascii(kTitleOffset, sixteen.substr(0, kTitleSize));
}

ImageBuilder& ImageBuilder::Byte(std::size_t offset, uint8_t value) {
  view().SetByte(offset, value);
  return *this;
}

ImageBuilder& ImageBuilder::Word(std::size_t offset, uint16_t value) {
  view().SetWord(offset, value);
  return *this;
}

ImageBuilder& ImageBuilder::Bytes(std::size_t offset, std::span<const uint8_t> bytes) {
  view().SetBytes(offset, bytes);
  return *this;
}

ImageBuilder& ImageBuilder::Bytes(std::size_t offset, std::initializer_list<uint8_t> bytes) {
  return Bytes(offset, std::span(bytes.begin(), bytes.size()));
}

ImageBuilder& ImageBuilder::Fill(std::size_t offset, std::size_t count, uint8_t value) {
  for (std::size_t i = 0; i < count; ++i)
    view().SetByte(offset + i, value);
  return *this;
}

ImageBuilder& ImageBuilder::Ascii(std::size_t offset, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    view().SetByte(offset + i, static_cast<uint8_t>(text[i]));
  }
  return *this;
}

ImageBuilder& ImageBuilder::Raw(std::size_t index, std::span<const uint8_t> bytes) {
  RomView(image_, 0).SetBytes(index, bytes);
  return *this;
}

ImageBuilder& ImageBuilder::RawAscii(std::size_t index, std::string_view text) {
  RomView raw(image_, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    raw.SetByte(index + i, static_cast<uint8_t>(text[i]));
  }
  return *this;
}

}  // namespace kivo::demo
