// BPS version 1: "BPS1", the source, target and metadata sizes, the
// metadata, actions, then the CRC32s of the source, the target and the patch.

#include <algorithm>
#include <cstring>
#include <limits>

#include "model/core/bytes.h"
#include "model/core/crc32.h"
#include "model/patch/bps_encoder.h"
#include "model/patch/patch.h"
#include "model/patch/patch_messages.h"

namespace kivo {
namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kFooterSize = 12;
// No image Kivo edits comes near this; a hostile size is refused before
// anything is allocated.
constexpr uint64_t kLargestTarget = 64u << 20;

enum Action { kSourceRead = 0, kTargetRead = 1, kSourceCopy = 2, kTargetCopy = 3 };

struct Reader {
  std::span<const uint8_t> bytes;  // without the footer
  std::size_t at = kMagicSize;

  // A number, seven bits a byte; false past the end or beyond 64 bits.
  bool Number(uint64_t& value) {
    value = 0;
    uint64_t shift = 1;
    for (;;) {
      if (at >= bytes.size())
        return false;
      const uint8_t x = bytes[at++];
      value += (x & 0x7F) * shift;
      if (x & 0x80)
        return true;
      if (shift > (std::numeric_limits<uint64_t>::max() >> 14))
        return false;
      shift <<= 7;
      value += shift;
    }
  }
};

struct Header {
  uint64_t sourceSize = 0;
  uint64_t targetSize = 0;
  std::string metadata;
  uint32_t sourceCrc = 0;
  uint32_t targetCrc = 0;
  uint32_t patchCrc = 0;
  bool patchCrcOk = false;
};

std::string ReadHeader(std::span<const uint8_t> patch, Header& header, Reader& r) {
  if (PatchFormatOfBytes(patch) != PatchFormat::Bps)
    return std::string(kNotAPatch);
  if (patch.size() < kMagicSize + kFooterSize)
    return std::string(kPatchCutShort);
  const std::size_t footer = patch.size() - kFooterSize;
  header.sourceCrc = ReadLe32(patch, footer);
  header.targetCrc = ReadLe32(patch, footer + 4);
  header.patchCrc = ReadLe32(patch, footer + 8);
  header.patchCrcOk = Crc32(patch.first(patch.size() - 4)) == header.patchCrc;
  r = Reader{patch.first(footer)};
  uint64_t metadataSize = 0;
  if (!r.Number(header.sourceSize) || !r.Number(header.targetSize) || !r.Number(metadataSize) ||
      metadataSize > r.bytes.size() - r.at)
    return std::string(kPatchCutShort);
  header.metadata.assign(r.bytes.begin() + r.at, r.bytes.begin() + r.at + metadataSize);
  r.at += metadataSize;
  return {};
}

// One action and where it copies from; false when the patch ends inside it.
struct Step {
  Action kind = kSourceRead;
  uint64_t length = 0;
  int64_t move = 0;  // cursor movement of a copy
};

bool NextStep(Reader& r, Step& step) {
  uint64_t n = 0;
  if (!r.Number(n))
    return false;
  step.kind = static_cast<Action>(n & 3);
  step.length = (n >> 2) + 1;
  if (step.kind == kTargetRead) {
    if (step.length > r.bytes.size() - r.at)
      return false;
  } else if (step.kind == kSourceCopy || step.kind == kTargetCopy) {
    uint64_t d = 0;
    if (!r.Number(d))
      return false;
    const auto magnitude = static_cast<int64_t>(std::min<uint64_t>(d >> 1, kLargestTarget * 2));
    step.move = (d & 1) ? -magnitude : magnitude;
  }
  return true;
}

// Moves a copy cursor and checks the copy stays inside [0, limit).
bool MoveCursor(int64_t& cursor, const Step& step, uint64_t limit) {
  cursor += step.move;
  return cursor >= 0 && static_cast<uint64_t>(cursor) <= limit &&
         step.length <= limit - static_cast<uint64_t>(cursor);
}

}  // namespace

PatchOutcome<PatchInfo> ReadBpsInfo(std::span<const uint8_t> patch) {
  PatchOutcome<PatchInfo> result;
  PatchInfo& info = result.value;
  info.format = PatchFormat::Bps;
  Header header;
  Reader r;
  result.error = ReadHeader(patch, header, r);
  if (!result)
    return result;
  info.sourceSize = header.sourceSize;
  info.targetSize = header.targetSize;
  info.sourceCrc32 = header.sourceCrc;
  info.targetCrc32 = header.targetCrc;
  info.patchCrc32Ok = header.patchCrcOk;
  info.metadata = header.metadata;
  Step step;
  while (r.at < r.bytes.size()) {
    if (!NextStep(r, step)) {
      result.error = kPatchCutShort;
      return result;
    }
    if (step.kind == kTargetRead)
      r.at += step.length;
    ++info.records;
  }
  return result;
}

PatchOutcome<std::vector<uint8_t>> ApplyBps(std::span<const uint8_t> source,
                                            std::span<const uint8_t> patch,
                                            bool ignoreChecksums) {
  PatchOutcome<std::vector<uint8_t>> result;
  Header header;
  Reader r;
  result.error = ReadHeader(patch, header, r);
  if (!result)
    return result;
  auto fail = [&](std::string error) {
    result.value.clear();
    result.error = std::move(error);
    return result;
  };
  if (!header.patchCrcOk)
    return fail(WrongPatchCrc(header.patchCrc, Crc32(patch.first(patch.size() - 4))));
  if (!ignoreChecksums) {
    if (header.sourceSize != source.size())
      return fail(WrongSourceSize(header.sourceSize, source.size()));
    if (const uint32_t crc = Crc32(source); crc != header.sourceCrc)
      return fail(WrongSourceCrc(header.sourceCrc, crc));
  }
  if (header.targetSize > kLargestTarget)
    return fail(TargetTooLarge(header.targetSize));

  std::vector<uint8_t>& out = result.value;
  out.resize(header.targetSize);
  const uint64_t size = out.size();
  uint64_t at = 0;
  int64_t sourceCursor = 0;
  int64_t targetCursor = 0;
  Step step;
  while (r.at < r.bytes.size()) {
    if (!NextStep(r, step))
      return fail(std::string(kPatchCutShort));
    if (step.length > size - at)
      return fail(std::string(kBpsOutOfBounds));
    switch (step.kind) {
      case kSourceRead:
        if (at + step.length > source.size())
          return fail(std::string(kBpsOutOfBounds));
        std::memcpy(out.data() + at, source.data() + at, step.length);
        break;
      case kTargetRead:
        std::memcpy(out.data() + at, r.bytes.data() + r.at, step.length);
        r.at += step.length;
        break;
      case kSourceCopy:
        if (!MoveCursor(sourceCursor, step, source.size()))
          return fail(std::string(kBpsOutOfBounds));
        std::memcpy(out.data() + at, source.data() + sourceCursor, step.length);
        sourceCursor += static_cast<int64_t>(step.length);
        break;
      case kTargetCopy:
        // Byte by byte from what is already written: an overlap repeats.
        if (!MoveCursor(targetCursor, step, size) || static_cast<uint64_t>(targetCursor) >= at)
          return fail(std::string(kBpsOutOfBounds));
        for (uint64_t i = 0; i < step.length; ++i)
          out[at + i] = out[targetCursor + i];
        targetCursor += static_cast<int64_t>(step.length);
        break;
    }
    at += step.length;
  }
  if (at != size)
    return fail(std::string(kBpsIncomplete));
  if (!ignoreChecksums) {
    if (const uint32_t crc = Crc32(out); crc != header.targetCrc)
      return fail(WrongTargetCrc(header.targetCrc, crc));
  }
  return result;
}

std::vector<uint8_t> CreateBps(std::span<const uint8_t> source, std::span<const uint8_t> target) {
  std::vector<uint8_t> out = EncodeBpsActions(source, target);
  auto putCrc = [&out](uint32_t crc) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    WriteLe32(out, at, crc);
  };
  putCrc(Crc32(source));
  putCrc(Crc32(target));
  putCrc(Crc32(out));
  return out;
}

}  // namespace kivo
