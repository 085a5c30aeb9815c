#include <gtest/gtest.h>

#include <random>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/bytes.h"
#include "model/core/settings.h"
#include "model/text/name_tables.h"
#include "model/text/text_banks.h"
#include "model/text/text_categories.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;

struct Decoded {
  std::vector<std::string> texts;
  std::vector<std::size_t> pointers;  // where each entry's text starts
};

Decoded DecodeBank(const Bytes& image, int bank) {
  static const CharTable dte = demo::DemoDteTable();
  static const KeywordNames keywords{};
  Decoded d;
  for (int category : TextBanks()[bank].categories) {
    for (int row = 0; row < GetTextCategory(category).rows; ++row) {
      const TextEntry e = ReadTextEntry(image, 0, category, row, dte, keywords);
      d.texts.push_back(e.text + "|" + std::to_string(e.finger.value_or(-1)));
      d.pointers.push_back(e.location.textLocation);
    }
  }
  return d;
}

// Applies a repack to a copy and checks what every repack must keep.
Bytes Repack(const Bytes& image, int bank, std::span<const BankTextEdit> edits = {}) {
  const BankRepack plan = PlanTextBankRepack(image, 0, bank, edits);
  EXPECT_TRUE(plan.fits()) << plan.refusal << " excess " << plan.excess;
  Bytes after = image;
  ApplyTextBankRepack(RomView(after, 0), plan);
  // Only the text space and the pointers change; every pointer leads into the space.
  std::vector<bool> writable(image.size(), false);
  std::vector<std::pair<std::size_t, std::size_t>> space;
  for (const auto& [at, bytes] : plan.extents) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      writable[at + i] = true;
    space.emplace_back(at, at + bytes.size());
  }
  for (const auto& [at, value] : plan.pointers)
    writable[at] = writable[at + 1] = true;
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (!writable[i] && after[i] != image[i]) {
      ADD_FAILURE() << "byte " << i << " outside the text space changed";
      break;
    }
  }
  // Every text moved leads into the text space (a text that leads outside
  // the bank stays where it is).
  const std::vector<std::size_t> was = DecodeBank(image, bank).pointers;
  const std::vector<std::size_t> now = DecodeBank(after, bank).pointers;
  for (std::size_t i = 0; i < now.size(); ++i) {
    const std::size_t p = now[i];
    if (p != was[i] || std::none_of(space.begin(), space.end(), [&](auto& s) {
          return was[i] >= s.first && was[i] < s.second;
        }))
      continue;
    EXPECT_TRUE(std::any_of(space.begin(), space.end(),
                            [&](auto& s) { return p >= s.first && p < s.second; }))
        << p;
  }
  return after;
}

TEST(TextBanks, EveryBankRepacksToTheSameTextsAndASecondRepackChangesNothing) {
  const Bytes demo = demo::BuildDemoImage();
  EXPECT_EQ(TextBanks().size(), 4u);
  EXPECT_EQ(TextBankName(0), "0x20010");
  EXPECT_EQ(TextBankOf(kCharactersCategory), -1);
  for (int bank = 0; bank < 4; ++bank) {
    SCOPED_TRACE(bank);
    const Bytes once = Repack(demo, bank);
    EXPECT_EQ(DecodeBank(once, bank).texts, DecodeBank(demo, bank).texts);
    EXPECT_EQ(Repack(once, bank), once);
  }
}

TEST(TextBanks, EqualTextsShareACopyATextInsideAnotherKeepsSharingAndAnEditFindsRoom) {
  Bytes image = demo::BuildDemoImage();
  const std::size_t demoFree = PlanTextBankRepack(image, 0, 0).measure.free();
  const int items = 0;
  auto slot = [&](int row) { return PointerLocation(items, row, 0); };
  auto start = [&](const Bytes& b, int row) {
    return LocateEntry(b, 0, items, row).textLocation;
  };
  auto length = [&](int row) {
    const std::size_t at = start(image, row);
    return static_cast<std::size_t>(std::find(image.begin() + at, image.end(), 0) - image.begin()) -
           at;
  };
  // Item 2's text is made a copy of item 1's (padded with 0x00 to its old
  // length), and item 4 leads into the middle of item 3.
  int r1 = 1;
  while (length(r1) > length(r1 + 1))
    ++r1;
  const std::size_t one = start(image, r1), two = start(image, r1 + 1);
  const std::size_t oneLength = length(r1), twoLength = length(r1 + 1);
  std::copy_n(image.begin() + one, oneLength, image.begin() + two);
  std::fill_n(image.begin() + two + oneLength, twoLength - oneLength, 0);
  WriteLe16(image, slot(r1 + 3), ReadLe16(image, slot(r1 + 2)) + 1);
  const Decoded before = DecodeBank(image, 0);

  const BankRepack plan = PlanTextBankRepack(image, 0, 0);
  // The copy is free; the old text of the row led into another is no text's any more.
  EXPECT_EQ(plan.measure.free(), demoFree + oneLength + 1);
  const Bytes after = Repack(image, 0);
  EXPECT_EQ(DecodeBank(after, 0).texts, before.texts);
  EXPECT_EQ(start(after, r1), start(after, r1 + 1));
  EXPECT_EQ(start(after, r1 + 3), start(after, r1 + 2) + 1);

  // An edit that needs no more than the free bytes fits; one byte more does not.
  BankTextEdit edit{items, r1 + 5, {}};
  const std::size_t had = std::find(image.begin() + start(image, r1 + 5), image.end(), 0) - image.begin() -
                          start(image, r1 + 5) + 1;
  edit.bytes.resize(had + plan.measure.free(), 0x8A);
  edit.bytes.back() = 0x00;
  const Bytes grown = Repack(image, 0, {&edit, 1});
  EXPECT_EQ(std::find(grown.begin() + start(grown, r1 + 5), grown.end(), 0) - grown.begin() -
                start(grown, r1 + 5) + 1,
            static_cast<std::ptrdiff_t>(edit.bytes.size()));
  edit.bytes.insert(edit.bytes.begin(), 0x8A);
  const BankRepack tooLarge = PlanTextBankRepack(image, 0, 0, {&edit, 1});
  EXPECT_FALSE(tooLarge.fits());
  EXPECT_GE(tooLarge.excess, 1u);  // more when the free bytes lie in pieces
  EXPECT_EQ(BankTooSmallText(0, 37), "Bank 0x20010 needs 37 more bytes. Shorten some of its texts.");
  EXPECT_TRUE(tooLarge.extents.empty() && tooLarge.pointers.empty());
}

TEST(TextBanks, HostilePointersNeverLetARepackWriteOutsideTheTextSpace) {
  std::mt19937 rng(5);
  const Bytes demo = demo::BuildDemoImage();
  for (int round = 0; round < 30; ++round) {
    Bytes image = demo;
    const int bank = static_cast<int>(rng() % 4);
    const auto& categories = TextBanks()[bank].categories;
    for (int n = 0; n < 6; ++n) {
      const int category = categories[rng() % categories.size()];
      const std::size_t at = PointerLocation(category, rng() % GetTextCategory(category).rows, 0);
      // Anywhere: outside the bank, into a pointer table, into another text.
      WriteLe16(image, at, static_cast<uint16_t>(rng() % 3 == 0 ? rng() : 0x8000 + rng() % 0x4000));
    }
    const Decoded before = DecodeBank(image, bank);
    const BankRepack plan = PlanTextBankRepack(image, 0, bank);
    if (!plan.fits())
      continue;
    const Bytes after = Repack(image, bank);
    EXPECT_EQ(DecodeBank(after, bank).texts, before.texts) << round;
  }
}

}  // namespace
}  // namespace kivo
