#include "model/core/rom_view.h"

#include "model/core/byte_change.h"

namespace kivo {

std::size_t ConstRomView::IndexOf(std::size_t offset, std::size_t length) const {
  const std::size_t size = image_.size();
  if (offset > size || shift_ > size - offset)
    return npos;
  const std::size_t index = offset + shift_;
  if (length > size - index)
    return npos;
  return index;
}

uint8_t ConstRomView::Byte(std::size_t offset) const {
  const std::size_t index = IndexOf(offset);
  return index == npos ? 0 : image_[index];
}

uint16_t ConstRomView::Word(std::size_t offset) const {
  return static_cast<uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
}

std::vector<uint8_t> ConstRomView::Bytes(std::size_t offset, std::size_t count) const {
  std::vector<uint8_t> out(count, 0);
  for (std::size_t i = 0; i < count; ++i)
    out[i] = Byte(offset + i);
  return out;
}

void RomView::SetByte(std::size_t offset, uint8_t value) const {
  const std::size_t index = IndexOf(offset);
  if (index == npos)
    return;
  if (recorder_ != nullptr)
    recorder_->Before(index, 1);
  writable_[index] = value;
}

void RomView::SetWord(std::size_t offset, uint16_t value) const {
  SetByte(offset, static_cast<uint8_t>(value));
  SetByte(offset + 1, static_cast<uint8_t>(value >> 8));
}

void RomView::SetBytes(std::size_t offset, std::span<const uint8_t> bytes) const {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    SetByte(offset + i, bytes[i]);
}

}  // namespace kivo
