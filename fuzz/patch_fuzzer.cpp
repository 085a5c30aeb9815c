// Patches from anywhere. The first byte picks what the rest is:
//   0  an IPS patch (after its "PATCH"), applied to a fixed image
//   1  a BPS patch (after its "BPS1"), with its own CRC32 made right so the
//      actions are read, applied without the source and target checks
//   2  any bytes as a patch of either kind, as a user's file would be
//   3  two images (split at the second byte's share of the rest): each
//      format's patch between them applies back to the second exactly
// Reading and applying never leave their buffers (ASan); a refused patch
// gives no image.

#include <vector>

#include "model/core/bytes.h"
#include "model/core/crc32.h"
#include "model/patch/patch.h"
#include "support.h"

using namespace kivo;

namespace {

const std::vector<uint8_t>& FixedImage() {
  static const std::vector<uint8_t> image = [] {
    std::vector<uint8_t> b(0x400);
    for (std::size_t i = 0; i < b.size(); ++i)
      b[i] = static_cast<uint8_t>(i * 13 % 7);
    return b;
  }();
  return image;
}

void Apply(const std::vector<uint8_t>& patch, bool ignoreChecksums) {
  const auto applied = ApplyPatch(FixedImage(), patch, ignoreChecksums);
  KIVO_FUZZ_CHECK(applied || applied.value.empty());
  (void)ReadPatchInfo(patch);
}

}  // namespace

KIVO_FUZZ_MAX_LEN(4096)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2)
    return 0;
  const uint8_t mode = data[0] % 4;
  std::vector<uint8_t> rest(data + 1, data + size);
  switch (mode) {
    case 0:
      rest.insert(rest.begin(), {'P', 'A', 'T', 'C', 'H'});
      Apply(rest, false);
      break;
    case 1: {
      rest.insert(rest.begin(), {'B', 'P', 'S', '1'});
      const std::size_t at = rest.size();
      rest.resize(at + 4);
      WriteLe32(rest, at, Crc32(std::span(rest).first(at)));
      Apply(rest, true);
      break;
    }
    case 2:
      Apply(rest, false);
      break;
    default: {
      const std::size_t split = rest.empty() ? 0 : rest[0] * (rest.size() - 1) / 255 + 1;
      const std::vector<uint8_t> source(rest.begin() + std::min(split, rest.size()), rest.end());
      const std::vector<uint8_t> target(rest.begin(), rest.begin() + std::min(split, rest.size()));
      for (PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
        const auto patch = CreatePatch(format, source, target);
        KIVO_FUZZ_CHECK(patch);
        const auto back = ApplyPatch(source, patch.value);
        KIVO_FUZZ_CHECK(back && back.value == target);
      }
    }
  }
  return 0;
}
