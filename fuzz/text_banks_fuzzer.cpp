// Make room on the demo image with hostile pointers: the first byte picks the
// bank, then each three bytes set one pointer of the bank (which one, and its
// value) to lead anywhere: outside the bank, into a pointer table, into the
// middle of another text. A repack that goes ahead changes no byte but the
// bank's pointers and the bytes its texts cover, and leaves the bytes of
// every text of the bank, as the game reads them, as they were.

#include <vector>

#include "model/core/bytes.h"
#include "model/text/text_banks.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"
#include "support.h"

using namespace kivo;

namespace {

struct Entry {
  int category;
  int row;
};

std::vector<Entry> Entries(int bank) {
  std::vector<Entry> entries;
  for (int category : TextBanks()[static_cast<std::size_t>(bank)].categories) {
    for (int row = 0; row < GetTextCategory(category).rows; ++row)
      entries.push_back({category, row});
  }
  return entries;
}

std::vector<uint8_t> TextBytes(const std::vector<uint8_t>& image, const Entry& e) {
  const std::size_t at = LocateEntry(image, 0, e.category, e.row).textLocation;
  const std::size_t n = StoredTextBytes(image, e.category, at);
  return {image.begin() + static_cast<std::ptrdiff_t>(std::min(at, image.size())),
          image.begin() + static_cast<std::ptrdiff_t>(std::min(at + n, image.size()))};
}

}  // namespace

KIVO_FUZZ_MAX_LEN(97)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return 0;
  const int bank = data[0] % static_cast<int>(TextBanks().size());
  const std::vector<Entry> entries = Entries(bank);
  std::vector<uint8_t> image = fuzz::DemoImage(false);
  for (std::size_t i = 1; i + 3 <= size; i += 3) {
    const Entry& e = entries[data[i] % entries.size()];
    WriteLe16(image, PointerLocation(e.category, e.row, 0), ReadLe16({data + i + 1, 2}, 0));
  }
  const BankRepack plan = PlanTextBankRepack(image, 0, bank);
  if (!plan.fits())
    return 0;

  // What the repack may write: the bank's pointers and the bytes its texts
  // lying wholly inside the bank cover.
  const std::size_t begin = TextBanks()[static_cast<std::size_t>(bank)].base + kTextBankAddress;
  const std::size_t end = begin + kTextBankSize;
  std::vector<bool> writable(image.size(), false);
  std::vector<std::vector<uint8_t>> before;
  for (const Entry& e : entries) {
    const std::size_t slot = PointerLocation(e.category, e.row, 0);
    writable[slot] = writable[slot + 1] = true;
    const std::size_t at = LocateEntry(image, 0, e.category, e.row).textLocation;
    const std::size_t n = StoredTextBytes(image, e.category, at);
    if (at >= begin && at + n <= end && n > 0 && image[at + n - 1] == 0) {
      for (std::size_t k = at; k < at + n; ++k)
        writable[k] = true;
    }
    before.push_back(TextBytes(image, e));
  }
  std::vector<uint8_t> after = image;
  ApplyTextBankRepack(RomView(after, 0), plan);
  for (std::size_t k = 0; k < image.size(); ++k)
    KIVO_FUZZ_CHECK(after[k] == image[k] || writable[k]);
  for (std::size_t i = 0; i < entries.size(); ++i)
    KIVO_FUZZ_CHECK(TextBytes(after, entries[i]) == before[i]);
  return 0;
}
