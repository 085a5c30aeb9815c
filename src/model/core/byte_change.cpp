#include "model/core/byte_change.h"

#include <algorithm>
#include <map>


namespace kivo {
namespace {

constexpr std::size_t kRunHeader = 6;

std::size_t Read24(std::span<const uint8_t> bytes, std::size_t at) {
  return bytes[at] | std::size_t{bytes[at + 1]} << 8 | std::size_t{bytes[at + 2]} << 16;
}

void Write24(std::span<uint8_t> bytes, std::size_t at, std::size_t value) {
  for (std::size_t i = 0; i < 3; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Calls `f(offset, before, after)` for each run of `data`.
template <typename F>
void EachRun(const SmallBytes& data, F&& f) {
  const std::span<const uint8_t> bytes = data.span();
  for (std::size_t at = 0; at + kRunHeader <= bytes.size();) {
    const std::size_t offset = Read24(bytes, at);
    const std::size_t length = Read24(bytes, at + 3);
    at += kRunHeader;
    f(offset, bytes.subspan(at, length), bytes.subspan(at + length, length));
    at += 2 * length;
  }
}

// Joins bytes given in increasing order of offset into runs; a byte that
// ends as it began breaks a run and is left out.
class RunBuilder {
 public:
  void Add(std::size_t offset, uint8_t before, uint8_t after) {
    if (before == after || (!before_.empty() && offset != start_ + before_.size()))
      Flush();
    if (before == after)
      return;
    if (before_.empty())
      start_ = offset;
    before_.push_back(before);
    after_.push_back(after);
  }
  ByteChange Finish() {
    Flush();
    change_.Shrink();
    return std::move(change_);
  }

 private:
  void Flush() {
    change_.Append(start_, before_, after_);
    before_.clear();
    after_.clear();
  }

  ByteChange change_;
  std::size_t start_ = 0;
  std::vector<uint8_t> before_, after_;
};

void Write(std::span<uint8_t> target, std::size_t offset, std::span<const uint8_t> bytes) {
  if (offset >= target.size())
    return;
  const std::size_t count = std::min(bytes.size(), target.size() - offset);
  std::copy_n(bytes.begin(), count, target.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

ByteChange ByteChange::Between(std::span<const uint8_t> before, std::span<const uint8_t> after) {
  ByteChange change;
  const std::size_t size = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < size;) {
    if (before[i] == after[i]) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < size && before[end] != after[end])
      ++end;
    change.Append(i, before.subspan(i, end - i), after.subspan(i, end - i));
    i = end;
  }
  change.Shrink();
  return change;
}

std::size_t ByteChange::runCount() const {
  std::size_t count = 0;
  EachRun(data_, [&](std::size_t, auto, auto) { ++count; });
  return count;
}

std::size_t ByteChange::changedBytes() const {
  std::size_t count = 0;
  EachRun(data_, [&](std::size_t, auto before, auto) { count += before.size(); });
  return count;
}

std::vector<ByteChange::Run> ByteChange::runs() const {
  std::vector<Run> out;
  EachRun(data_, [&](std::size_t offset, auto before, auto after) {
    out.push_back({offset, before, after});
  });
  return out;
}

bool ByteChange::Touches(std::size_t begin, std::size_t end) const {
  bool touched = false;
  EachRun(data_, [&](std::size_t offset, auto before, auto) {
    touched = touched || (offset < end && offset + before.size() > begin);
  });
  return touched;
}

void ByteChange::Redo(std::span<uint8_t> bytes) const {
  EachRun(data_, [&](std::size_t offset, auto, auto after) { Write(bytes, offset, after); });
}

void ByteChange::Undo(std::span<uint8_t> bytes) const {
  EachRun(data_, [&](std::size_t offset, auto before, auto) { Write(bytes, offset, before); });
}

ByteChange ByteChange::Inverse() const {
  ByteChange inverse;
  EachRun(data_, [&](std::size_t offset, auto before, auto after) {
    inverse.Append(offset, after, before);
  });
  return inverse;
}

ByteChange ByteChange::Then(const ByteChange& later) const {
  std::map<std::size_t, std::pair<uint8_t, uint8_t>> bytes;
  EachRun(data_, [&](std::size_t offset, auto before, auto after) {
    for (std::size_t i = 0; i < before.size(); ++i)
      bytes[offset + i] = {before[i], after[i]};
  });
  EachRun(later.data_, [&](std::size_t offset, auto before, auto after) {
    for (std::size_t i = 0; i < before.size(); ++i) {
      auto [it, added] = bytes.try_emplace(offset + i, before[i], after[i]);
      if (!added)
        it->second.second = after[i];
    }
  });
  RunBuilder joined;
  for (const auto& [offset, values] : bytes)
    joined.Add(offset, values.first, values.second);
  return joined.Finish();
}

void ByteChange::Append(std::size_t offset, std::span<const uint8_t> before,
                        std::span<const uint8_t> after) {
  const std::size_t length = std::min(before.size(), after.size());
  if (length == 0)
    return;
  const std::size_t at = data_.size();
  data_.resize(at + kRunHeader + 2 * length);
  const std::span<uint8_t> bytes = data_.span();
  Write24(bytes, at, offset);
  Write24(bytes, at + 3, length);
  std::copy_n(before.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(at + kRunHeader));
  std::copy_n(after.begin(), length,
              bytes.begin() + static_cast<std::ptrdiff_t>(at + kRunHeader + length));
}

void ChangeRecorder::Before(std::size_t index, std::size_t length) {
  if (index >= bytes_.size())
    return;
  length = std::min(length, bytes_.size() - index);
  if (seen_.empty())
    seen_.assign((bytes_.size() + 63) / 64, 0);
  for (std::size_t i = index; i < index + length; ++i) {
    uint64_t& word = seen_[i / 64];
    const uint64_t bit = uint64_t{1} << (i % 64);
    if (word & bit)
      continue;
    word |= bit;
    old_.emplace_back(static_cast<uint32_t>(i), bytes_[i]);
  }
}

ByteChange ChangeRecorder::Finish() const {
  std::vector<std::pair<uint32_t, uint8_t>> old = old_;
  std::sort(old.begin(), old.end());
  RunBuilder change;
  for (const auto& [index, value] : old)
    change.Add(index, value, bytes_[index]);
  return change.Finish();
}

}  // namespace kivo
