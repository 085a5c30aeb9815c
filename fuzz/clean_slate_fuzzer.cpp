// Clean the Slate with every box checked on an image whose text pointers are
// the input: whatever they point at, only bytes inside the image change, the
// image keeps its size, and a changed byte is blanked (0, or 0xFF for a
// character name) or lies in the world map's rows.

#include <algorithm>
#include <cstring>
#include <vector>

#include "model/core/rom_document.h"
#include "model/editors/character.h"
#include "model/map/world_map.h"
#include "model/tools/clean_slate.h"
#include "support.h"

using namespace kivo;

namespace {

// The bytes of the image before the pointers are set, made once for each
// size: a 0 ends every 64 bytes, so a string is blanked up to the next one
// or to the end of the image, and every other blanked byte shows. (With no
// 0 at all each string ran on to the end of the image, and blanking them
// byte by byte took nearly all the harness's time.)
const std::vector<uint8_t>& Pattern(std::size_t size) {
  static const auto make = [](std::size_t n) {
    std::vector<uint8_t> image(n);
    for (std::size_t i = 0; i < n; ++i)
      image[i] = i % 64 == 63 ? 0 : static_cast<uint8_t>(i % 251 + 1);
    return image;
  };
  static const std::vector<uint8_t> standalone = make(kStandaloneSize);
  static const std::vector<uint8_t> combination = make(kCombinationSize);
  return size == kStandaloneSize ? standalone : combination;
}

// Three bytes, then the pointers of every text list once over.
std::size_t LongestInput() {
  std::size_t pointers = 0;
  for (const SlateBox& box : SlateBoxes()) {
    if (box.effect == SlateEffect::TextList)
      pointers += 2 * std::size_t(box.list.count);
  }
  return 3 + pointers;
}

}  // namespace

KIVO_FUZZ_MAX_LEN(LongestInput())

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3)
    return 0;
  const bool combination = data[0] & 0x80;
  const int tile = data[0] & 0x7F;
  const std::size_t full = combination ? kCombinationSize : kStandaloneSize;
  // The image may be cut short, so pointers and strings meet its end.
  const std::size_t cut = std::min<std::size_t>(full, std::size_t(data[1] | data[2] << 8) * 8);
  const std::span<const uint8_t> pointers(data + 3, size - 3);

  // Kept from one input to the next, so their pages are not made afresh.
  static std::vector<uint8_t> image, before;
  const std::vector<uint8_t>& pattern = Pattern(full);
  image.assign(pattern.begin(), pattern.begin() + static_cast<std::ptrdiff_t>(full - cut));
  const uint32_t shift = ClassifyImage(full).baseShift;
  const RomView view(image, shift);
  std::vector<int> ids;
  std::size_t at = 0;
  for (const SlateBox& box : SlateBoxes()) {
    ids.push_back(box.id);
    if (box.effect != SlateEffect::TextList || pointers.empty())
      continue;
    for (int i = 0; i < 2 * box.list.count; ++i, ++at)
      view.SetByte(box.list.offset + i, pointers[at % pointers.size()]);
  }
  before = image;

  const SlateOutcome outcome = CleanSlate(view, ids, tile);
  KIVO_FUZZ_CHECK(image.size() == before.size());
  KIVO_FUZZ_CHECK(outcome.cleaned && !outcome.messages.empty());
  const std::size_t mapFrom = shift + kRowPointerTableOffset, mapTo = shift + kMapDataEnd;
  // Most blocks are untouched; memcmp passes over them quicker than a loop
  // the fuzzer instruments.
  constexpr std::size_t kBlock = 64;
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i % kBlock == 0 &&
        std::memcmp(&image[i], &before[i], std::min(kBlock, image.size() - i)) == 0) {
      i += kBlock - 1;
      continue;
    }
    if (image[i] == before[i] || image[i] == 0 || (i >= mapFrom && i < mapTo))
      continue;
    const std::size_t offset = i - shift;
    const std::size_t field = (offset - kCharacterRecords) % kCharacterRecordSize;
    const bool inRecords = i >= shift && offset >= kCharacterRecords &&
                           offset < kCharacterRecords + kCharacterCount * kCharacterRecordSize;
    const bool name = field >= character::kName && field < character::kName + kCharacterNameSize;
    const bool hand = field == character::kIndexAndHand && image[i] == (before[i] & 0x7F);
    KIVO_FUZZ_CHECK(inRecords && ((name && image[i] == 0xFF) || hand));
  }
  return 0;
}
