// Unchanged spans are read from the source where they stand; other bytes are
// looked up, eight at a time, in the source and in what the target has new,
// so a moved or repeated block becomes one copy. Runs of one byte copy the
// byte before them.

#include "model/patch/bps_encoder.h"

#include <algorithm>
#include <cstring>

namespace kivo {
namespace {

enum Action { kSourceRead = 0, kTargetRead = 1, kSourceCopy = 2, kTargetCopy = 3 };

constexpr std::size_t kKey = 8;           // bytes a lookup hashes
constexpr std::size_t kMinCopy = kKey;    // shorter copies cost more than they save
constexpr std::size_t kMinSourceRead = 4; // shorter equal spans stay in the new bytes
constexpr std::size_t kSourceStride = 4;  // source positions indexed
constexpr int kSourceHashBits = 17;
constexpr int kTargetHashBits = 14;  // only the target's new bytes are indexed
constexpr int kChainDepth = 16;

uint32_t Hash(const uint8_t* at, int bits) {
  uint64_t key;
  std::memcpy(&key, at, kKey);
  return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// Positions by the hash of their next eight bytes, newest first.
class Index {
 public:
  Index(int bits, std::size_t positions) : bits_(bits), heads_(std::size_t{1} << bits, -1) {
    next_.reserve(positions);
    positions_.reserve(positions);
  }
  void Add(const uint8_t* base, std::size_t position) {
    const uint32_t h = Hash(base + position, bits_);
    positions_.push_back(static_cast<int32_t>(position));
    next_.push_back(heads_[h]);
    heads_[h] = static_cast<int32_t>(positions_.size() - 1);
  }
  template <typename Each>
  void ForEach(const uint8_t* at, Each each) const {
    int depth = 0;
    for (int32_t e = heads_[Hash(at, bits_)]; e >= 0 && depth < kChainDepth; e = next_[e], ++depth)
      each(static_cast<std::size_t>(positions_[e]));
  }

 private:
  int bits_;
  std::vector<int32_t> heads_;
  std::vector<int32_t> next_;
  std::vector<int32_t> positions_;
};

std::size_t MatchLength(const uint8_t* a, const uint8_t* b, std::size_t limit) {
  std::size_t n = 0;
  while (n + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    if (x != y)
      return n + static_cast<std::size_t>(__builtin_ctzll(x ^ y) / 8);
    n += 8;
  }
  while (n < limit && a[n] == b[n])
    ++n;
  return n;
}

class Encoder {
 public:
  Encoder(std::span<const uint8_t> source, std::span<const uint8_t> target)
      : source_(source), target_(target), sourceIndex_(kSourceHashBits, source.size() / kSourceStride + 1),
        targetIndex_(kTargetHashBits, 0) {
    out_ = {'B', 'P', 'S', '1'};
    Number(source.size());
    Number(target.size());
    Number(0);
    for (std::size_t p = 0; p + kKey <= source.size(); p += kSourceStride)
      sourceIndex_.Add(source.data(), p);
  }

  std::vector<uint8_t> Run() {
    std::size_t i = 0;
    while (i < target_.size()) {
      if (const std::size_t same = SameAsSource(i); same >= kMinSourceRead || same == Left(i)) {
        if (same > 0) {
          FlushNew(i);
          Act(kSourceRead, same);
          i += same;
          continue;
        }
      }
      const Copy copy = BestCopy(i);
      if (copy.length >= kMinCopy) {
        FlushNew(i);
        Act(copy.kind, copy.length);
        int64_t& cursor = copy.kind == kSourceCopy ? sourceCursor_ : targetCursor_;
        const int64_t move = static_cast<int64_t>(copy.from) - cursor;
        Number(move < 0 ? ((static_cast<uint64_t>(-move) << 1) | 1)
                        : (static_cast<uint64_t>(move) << 1));
        cursor = static_cast<int64_t>(copy.from + copy.length);
        i += copy.length;
        continue;
      }
      if (newStart_ == kNone)
        newStart_ = i;
      if (i + kKey <= target_.size())
        targetIndex_.Add(target_.data(), i);
      ++i;
    }
    FlushNew(i);
    return std::move(out_);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  struct Copy {
    Action kind = kSourceCopy;
    std::size_t from = 0;
    std::size_t length = 0;
  };

  std::size_t Left(std::size_t i) const { return target_.size() - i; }

  std::size_t SameAsSource(std::size_t i) const {
    if (i >= source_.size())
      return 0;
    return MatchLength(source_.data() + i, target_.data() + i,
                       std::min(source_.size(), target_.size()) - i);
  }

  Copy BestCopy(std::size_t i) const {
    Copy best;
    if (Left(i) < kMinCopy)
      return best;
    // A run of one byte repeats the byte before it.
    if (i > 0 && target_[i - 1] == target_[i]) {
      best = {kTargetCopy, i - 1, MatchLength(target_.data() + i - 1, target_.data() + i, Left(i))};
    }
    const uint8_t* at = target_.data() + i;
    sourceIndex_.ForEach(at, [&](std::size_t p) {
      const std::size_t n = MatchLength(source_.data() + p, at, std::min(source_.size() - p, Left(i)));
      if (n > best.length)
        best = {kSourceCopy, p, n};
    });
    targetIndex_.ForEach(at, [&](std::size_t p) {
      // Overlapping copies read bytes they write: compare as the copy would.
      std::size_t n = 0;
      while (n < Left(i) && target_[p + n] == at[n])
        ++n;
      if (n > best.length)
        best = {kTargetCopy, p, n};
    });
    return best;
  }

  void FlushNew(std::size_t end) {
    if (newStart_ == kNone)
      return;
    Act(kTargetRead, end - newStart_);
    out_.insert(out_.end(), target_.begin() + newStart_, target_.begin() + end);
    newStart_ = kNone;
  }

  void Act(Action kind, std::size_t length) { Number(((uint64_t{length} - 1) << 2) | kind); }

  void Number(uint64_t n) {
    for (;;) {
      const auto x = static_cast<uint8_t>(n & 0x7F);
      n >>= 7;
      if (n == 0) {
        out_.push_back(0x80 | x);
        return;
      }
      out_.push_back(x);
      --n;
    }
  }

  std::span<const uint8_t> source_;
  std::span<const uint8_t> target_;
  Index sourceIndex_;
  Index targetIndex_;
  std::vector<uint8_t> out_;
  std::size_t newStart_ = kNone;
  int64_t sourceCursor_ = 0;
  int64_t targetCursor_ = 0;
};

}  // namespace

std::vector<uint8_t> EncodeBpsActions(std::span<const uint8_t> source,
                                      std::span<const uint8_t> target) {
  return Encoder(source, target).Run();
}

}  // namespace kivo
