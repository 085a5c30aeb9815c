// Clean the Slate with every box checked on an image whose text pointers are
// the input: whatever they point at, only bytes inside the image change, the
// image keeps its size, and a changed byte is blanked (0, or 0xFF for a
// character name) or lies in the world map's rows.

#include <algorithm>
#include <vector>

#include "model/core/rom_document.h"
#include "model/editors/character.h"
#include "model/map/world_map.h"
#include "model/tools/clean_slate.h"
#include "support.h"

using namespace kivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3)
    return 0;
  const bool combination = data[0] & 0x80;
  const int tile = data[0] & 0x7F;
  const std::size_t full = combination ? kCombinationSize : kStandaloneSize;
  // The image may be cut short, so pointers and strings meet its end.
  const std::size_t cut = std::min<std::size_t>(full, std::size_t(data[1] | data[2] << 8) * 8);
  const std::span<const uint8_t> pointers(data + 3, size - 3);

  std::vector<uint8_t> image(full - cut);
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<uint8_t>(i % 251 + 1);
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
  const std::vector<uint8_t> before = image;

  const SlateOutcome outcome = CleanSlate(view, ids, tile);
  KIVO_FUZZ_CHECK(image.size() == before.size());
  KIVO_FUZZ_CHECK(outcome.cleaned && !outcome.messages.empty());
  const std::size_t mapFrom = shift + kRowPointerTableOffset, mapTo = shift + kMapDataEnd;
  for (std::size_t i = 0; i < image.size(); ++i) {
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
