// IPS: "PATCH", records of (offset, size, bytes) or (offset, 0, count, byte),
// "EOF", and an optional size to which the result is cut.

#include <algorithm>

#include "model/patch/patch.h"
#include "model/patch/patch_messages.h"

namespace kivo {
namespace {

constexpr std::string_view kMagic = "PATCH";
constexpr std::string_view kEnd = "EOF";
// The largest size IPS can address: offsets are three bytes.
constexpr std::size_t kIpsLimit = 0x1000000;
// A record may not start here: its offset would read as "EOF".
constexpr std::size_t kEofOffset = 0x454F46;
constexpr std::size_t kMaxRecord = 0xFFFF;
constexpr std::size_t kHeaderSize = 5;  // offset and size
constexpr std::size_t kRunRecordSize = kHeaderSize + 3;

struct Reader {
  std::span<const uint8_t> bytes;
  std::size_t at = 0;

  bool Has(std::size_t n) const { return bytes.size() - at >= n; }
  uint32_t Take(std::size_t n) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < n; ++i)
      value = (value << 8) | bytes[at++];
    return value;
  }
  bool AtEnd() const {
    return Has(kEnd.size()) && std::equal(kEnd.begin(), kEnd.end(), bytes.begin() + at);
  }
};

struct Record {
  uint32_t offset = 0;
  uint32_t size = 0;  // bytes written
  std::span<const uint8_t> data;  // empty for a run record
  uint8_t fill = 0;
};

// Walks the records; `each` sees every one. Gives the error, or "" with
// `truncation` set when the patch ends with a size.
template <typename Each>
std::string WalkIps(std::span<const uint8_t> patch, std::optional<uint32_t>& truncation,
                    Each each) {
  if (PatchFormatOfBytes(patch) != PatchFormat::Ips)
    return std::string(kNotAPatch);
  Reader r{patch, kMagic.size()};
  for (;;) {
    if (!r.Has(kEnd.size()))
      return std::string(kPatchCutShort);
    if (r.AtEnd())
      break;
    Record record;
    if (!r.Has(kHeaderSize))
      return std::string(kPatchCutShort);
    record.offset = r.Take(3);
    record.size = r.Take(2);
    if (record.size == 0) {
      if (!r.Has(3))
        return std::string(kPatchCutShort);
      record.size = r.Take(2);
      record.fill = static_cast<uint8_t>(r.Take(1));
    } else {
      if (!r.Has(record.size))
        return std::string(kPatchCutShort);
      record.data = patch.subspan(r.at, record.size);
      r.at += record.size;
    }
    each(record);
  }
  r.at += kEnd.size();
  const std::size_t left = patch.size() - r.at;
  if (left == 3)
    truncation = r.Take(3);
  else if (left != 0)
    return TrailingBytes(left);
  return {};
}

// Bytes that differ, or that the source does not have at all.
bool Differs(std::span<const uint8_t> source, std::span<const uint8_t> target, std::size_t i) {
  return i >= source.size() || source[i] != target[i];
}

class IpsWriter {
 public:
  explicit IpsWriter(std::span<const uint8_t> target) : target_(target) {
    out_.assign(kMagic.begin(), kMagic.end());
  }

  // Bytes [begin, end) of the target, as literal and run records.
  void Span(std::size_t begin, std::size_t end) {
    std::size_t literal = begin;
    std::size_t i = begin;
    while (i < end) {
      std::size_t run = i + 1;
      while (run < end && target_[run] == target_[i])
        ++run;
      // A run inside literal bytes costs two headers to split out; at an
      // edge of the span only its own.
      const bool edge = i == literal || run == end;
      if (run - i > (edge ? kRunRecordSize : kRunRecordSize + kHeaderSize)) {
        Literal(literal, i);
        Run(i, run);
        literal = run;
      }
      i = run;
    }
    Literal(literal, end);
  }

  std::vector<uint8_t> Finish(std::optional<std::size_t> truncation) {
    out_.insert(out_.end(), kEnd.begin(), kEnd.end());
    if (truncation)
      Put(*truncation, 3);
    return std::move(out_);
  }

 private:
  void Put(std::size_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
      out_.push_back(static_cast<uint8_t>(value >> shift));
  }

  void Literal(std::size_t begin, std::size_t end) {
    while (begin < end) {
      if (begin == kEofOffset)
        --begin;  // the byte before is written again, with its target value
      const std::size_t n = std::min(end - begin, kMaxRecord);
      Put(begin, 3);
      Put(n, 2);
      out_.insert(out_.end(), target_.begin() + begin, target_.begin() + begin + n);
      begin += n;
    }
  }

  void Run(std::size_t begin, std::size_t end) {
    while (begin < end) {
      if (begin == kEofOffset) {
        Literal(begin, begin + 1);
        ++begin;
        continue;
      }
      const std::size_t n = std::min(end - begin, kMaxRecord);
      Put(begin, 3);
      Put(0, 2);
      Put(n, 2);
      out_.push_back(target_[begin]);
      begin += n;
    }
  }

  std::span<const uint8_t> target_;
  std::vector<uint8_t> out_;
};

}  // namespace

PatchOutcome<std::vector<uint8_t>> ApplyIps(std::span<const uint8_t> source,
                                            std::span<const uint8_t> patch) {
  PatchOutcome<std::vector<uint8_t>> result;
  result.value.assign(source.begin(), source.end());
  std::vector<uint8_t>& image = result.value;
  std::optional<uint32_t> truncation;
  result.error = WalkIps(patch, truncation, [&](const Record& record) {
    const std::size_t end = std::size_t{record.offset} + record.size;
    if (end > image.size())
      image.resize(end, 0);
    if (record.data.empty())
      std::fill_n(image.begin() + record.offset, record.size, record.fill);
    else
      std::copy(record.data.begin(), record.data.end(), image.begin() + record.offset);
  });
  if (!result)
    result.value.clear();
  else if (truncation)
    image.resize(*truncation, 0);
  return result;
}

PatchOutcome<PatchInfo> ReadIpsInfo(std::span<const uint8_t> patch) {
  PatchOutcome<PatchInfo> result;
  result.value.format = PatchFormat::Ips;
  std::optional<uint32_t> truncation;
  result.error = WalkIps(patch, truncation, [&](const Record&) { ++result.value.records; });
  result.value.targetSize = truncation;
  return result;
}

PatchOutcome<std::vector<uint8_t>> CreateIps(std::span<const uint8_t> source,
                                             std::span<const uint8_t> target) {
  if (target.size() >= kIpsLimit)
    return {{}, std::string(kIpsTooLarge)};
  IpsWriter writer(target);
  // Changes a few equal bytes apart share one record: a new record's header
  // costs five bytes.
  std::size_t i = 0;
  while (i < target.size()) {
    if (!Differs(source, target, i)) {
      ++i;
      continue;
    }
    const std::size_t begin = i;
    std::size_t end = i + 1;
    for (std::size_t next = end; next < target.size() && next - end <= kHeaderSize; ++next) {
      if (Differs(source, target, next))
        end = next + 1;
    }
    writer.Span(begin, end);
    i = end;
  }
  std::optional<std::size_t> truncation;
  if (target.size() < source.size())
    truncation = target.size();
  return {writer.Finish(truncation), {}};
}

}  // namespace kivo
