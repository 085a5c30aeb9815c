#pragma once
// A byte buffer that keeps up to 22 bytes in itself and more on the heap, in
// the space of a std::vector. The edit history keeps thousands of small
// changes (a field of a few bytes); this spares each its own allocation.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace kivo {

class SmallBytes {
 public:
  static constexpr std::size_t kInline = 22;

  SmallBytes() { raw_[kTag] = 0; }
  SmallBytes(const SmallBytes& other) : SmallBytes() { Assign(other.span()); }
  SmallBytes(SmallBytes&& other) noexcept {
    std::memcpy(raw_, other.raw_, sizeof raw_);
    other.raw_[kTag] = 0;  // the heap block, if any, is ours now
  }
  SmallBytes& operator=(const SmallBytes& other) {
    if (this != &other)
      Assign(other.span());
    return *this;
  }
  SmallBytes& operator=(SmallBytes&& other) noexcept {
    if (this != &other) {
      Release();
      std::memcpy(raw_, other.raw_, sizeof raw_);
      other.raw_[kTag] = 0;
    }
    return *this;
  }
  ~SmallBytes() { Release(); }

  std::size_t size() const { return onHeap() ? heap_.size : raw_[kTag]; }
  bool empty() const { return size() == 0; }
  const uint8_t* data() const { return onHeap() ? heap_.data : raw_; }
  uint8_t* data() { return onHeap() ? heap_.data : raw_; }
  std::span<const uint8_t> span() const { return {data(), size()}; }
  std::span<uint8_t> span() { return {data(), size()}; }
  // Heap bytes held (none while the bytes fit inline).
  std::size_t heapBytes() const { return onHeap() ? heap_.capacity : 0; }

  // Grows or shrinks to `count` bytes, keeping those there; new bytes are 0.
  void resize(std::size_t count) {
    const std::size_t old = size();
    if (count > capacity())
      Reallocate(std::max(count, 2 * capacity()));
    if (count > old)
      std::memset(data() + old, 0, count - old);
    SetSize(count);
  }
  void shrink_to_fit() {
    if (onHeap() && heap_.capacity != heap_.size)
      Reallocate(heap_.size);
  }

  bool operator==(const SmallBytes& other) const {
    return size() == other.size() && std::equal(data(), data() + size(), other.data());
  }

 private:
  static constexpr std::size_t kTag = sizeof(void*) * 3 - 1;  // the last byte
  static constexpr uint8_t kHeap = 0xFF;
  struct Heap {
    uint8_t* data;
    uint32_t size;
    uint32_t capacity;
  };

  bool onHeap() const { return raw_[kTag] == kHeap; }
  std::size_t capacity() const { return onHeap() ? heap_.capacity : kInline; }
  void SetSize(std::size_t count) {
    if (onHeap())
      heap_.size = static_cast<uint32_t>(count);
    else
      raw_[kTag] = static_cast<uint8_t>(count);
  }
  // Moves the bytes into a block of `room` bytes: inline when they fit.
  void Reallocate(std::size_t room) {
    const std::size_t count = std::min(size(), room);
    if (room <= kInline) {
      if (!onHeap())
        return;
      uint8_t* block = heap_.data;
      std::memcpy(raw_, block, count);
      delete[] block;
      raw_[kTag] = static_cast<uint8_t>(count);
      return;
    }
    auto* block = new uint8_t[room];
    std::memcpy(block, data(), count);
    Release();
    heap_ = {block, static_cast<uint32_t>(count), static_cast<uint32_t>(room)};
    raw_[kTag] = kHeap;
  }
  void Assign(std::span<const uint8_t> bytes) {
    Release();
    raw_[kTag] = 0;
    resize(bytes.size());
    std::copy(bytes.begin(), bytes.end(), data());
  }
  void Release() {
    if (onHeap())
      delete[] heap_.data;
    raw_[kTag] = 0;
  }

  union {
    Heap heap_;
    uint8_t raw_[sizeof(void*) * 3];
  };
};

static_assert(sizeof(SmallBytes) == 3 * sizeof(void*));
static_assert(SmallBytes::kInline < sizeof(void*) * 3);

}  // namespace kivo
