// Decoding all of the demo image's text, every name of every name table and
// every entry of every text category as the pages decode them, beside one
// pass over the same bytes (pointers and texts) that only sums them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/settings.h"
#include "model/text/codec.h"
#include "model/text/name_tables.h"
#include "model/text/text_banks.h"
#include "model/text/text_categories.h"

namespace {

using kivo::CategoryKind;

constexpr kivo::PointerTable kNameTables[] = {kivo::kItemNameTable, kivo::kSpellNameTable,
                                              kivo::kMonsterNameTable, kivo::kBattleMessageTable};

struct DemoText {
  std::vector<uint8_t> image = kivo::demo::BuildDemoImage();
  uint32_t shift = 0;  // the demo image is standalone
  kivo::CharTable dte = kivo::demo::DemoDteTable();
  kivo::KeywordNames keywords;

  DemoText() {
    kivo::SettingsBlock settings;
    kivo::BuildKeywordNames(image, shift, dte, settings);
    keywords = kivo::ReadKeywordNames(settings);
  }
};

const DemoText& Demo() {
  static const DemoText demo;
  return demo;
}

// A stretch of image bytes the decoders read.
struct Extent {
  std::size_t at;
  std::size_t count;
};

// The bytes of a text from `at` to its 0x00 (included), or to the image's
// end; in dialogue the byte after 0x16 or 0x18 is an operand, never an end.
Extent TextExtent(std::span<const uint8_t> image, std::size_t at, bool dialogue) {
  std::size_t end = at;
  while (end < image.size() && image[end] != 0x00) {
    const bool pair =
        dialogue && (image[end] == kivo::kFingerCode || image[end] == kivo::kKeywordCode);
    end += pair ? 2 : 1;
  }
  end = std::min(end + 1, image.size());
  return {at, end > at ? end - at : 0};
}

// Every pointer and text the decoding below reads.
std::vector<Extent> DemoExtents() {
  const DemoText& demo = Demo();
  const std::span<const uint8_t> image = demo.image;
  std::vector<Extent> extents;
  for (const kivo::PointerTable& table : kNameTables) {
    for (int row = 0; row < table.count; ++row) {
      const std::size_t pointerAt = table.EntryOffset(row) + demo.shift;
      extents.push_back({pointerAt, 2});
      const std::size_t textAt =
          table.textBase + demo.shift + image[pointerAt] + (std::size_t{image[pointerAt + 1]} << 8);
      extents.push_back(TextExtent(image, textAt, false));
    }
  }
  for (int category = 0; category < kivo::kTextCategoryCount; ++category) {
    const kivo::TextCategory& c = kivo::GetTextCategory(category);
    for (int row = 0; row < c.rows; ++row) {
      const kivo::EntryLocation location = kivo::LocateEntry(image, demo.shift, category, row);
      if (location.hasPointer)
        extents.push_back({location.pointerLocation, 2});
      if (c.kind == CategoryKind::Characters)
        extents.push_back({location.textLocation, kivo::kCharacterNameSize});
      else
        extents.push_back(
            TextExtent(image, location.textLocation, c.kind == CategoryKind::Dialogue));
    }
  }
  return extents;
}

void BM_FloorSumTextBytes(benchmark::State& state) {
  const std::span<const uint8_t> image = Demo().image;
  const std::vector<Extent> extents = DemoExtents();
  std::size_t bytes = 0;
  for (const Extent& e : extents)
    bytes += e.count;
  for (auto _ : state) {
    uint32_t sum = 0;
    for (const Extent& e : extents) {
      const uint8_t* p = image.data() + e.at;
      for (std::size_t i = 0; i < e.count; ++i)
        sum += p[i];
      benchmark::DoNotOptimize(sum);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_DecodeAllText(benchmark::State& state) {
  const DemoText& demo = Demo();
  for (auto _ : state) {
    for (const kivo::PointerTable& table : kNameTables) {
      std::vector<std::string> names = kivo::DecodeNames(demo.image, demo.shift, table, demo.dte);
      benchmark::DoNotOptimize(names.data());
    }
    for (int category = 0; category < kivo::kTextCategoryCount; ++category) {
      const int rows = kivo::GetTextCategory(category).rows;
      for (int row = 0; row < rows; ++row) {
        kivo::TextEntry entry =
            kivo::ReadTextEntry(demo.image, demo.shift, category, row, demo.dte, demo.keywords);
        benchmark::DoNotOptimize(entry.text.data());
      }
    }
  }
}

// The bank whose texts take the most bytes.
int LargestBank() {
  int largest = 0;
  std::size_t space = 0;
  for (int bank = 0; bank < static_cast<int>(kivo::TextBanks().size()); ++bank) {
    const std::size_t s = kivo::PlanTextBankRepack(Demo().image, Demo().shift, bank).measure.space;
    if (s > space) {
      space = s;
      largest = bank;
    }
  }
  return largest;
}

void BM_FloorDecodeLargestBank(benchmark::State& state) {
  const DemoText& demo = Demo();
  const int bank = LargestBank();
  for (auto _ : state) {
    for (int category : kivo::TextBanks()[static_cast<std::size_t>(bank)].categories) {
      for (int row = 0; row < kivo::GetTextCategory(category).rows; ++row) {
        kivo::TextEntry entry =
            kivo::ReadTextEntry(demo.image, demo.shift, category, row, demo.dte, demo.keywords);
        benchmark::DoNotOptimize(entry.text.data());
      }
    }
  }
}

// Planned and written into a copy of the image, as Make room does.
void BM_RepackLargestBank(benchmark::State& state) {
  const DemoText& demo = Demo();
  const int bank = LargestBank();
  std::vector<uint8_t> image = demo.image;
  for (auto _ : state) {
    const kivo::BankRepack plan = kivo::PlanTextBankRepack(image, demo.shift, bank);
    kivo::ApplyTextBankRepack(kivo::RomView(image, 0), plan);
    benchmark::DoNotOptimize(image.data());
  }
}

BENCHMARK(BM_FloorSumTextBytes);
BENCHMARK(BM_DecodeAllText);
BENCHMARK(BM_FloorDecodeLargestBank);
BENCHMARK(BM_RepackLargestBank);

}  // namespace

BENCHMARK_MAIN();
