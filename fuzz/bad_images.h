#pragma once
// The ROM files users meet at their worst, for the bad-input tests; the image
// harnesses' seeds take their random bytes from here too. Header-only, so the
// tests can use it without building anything of the fuzz project.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/core/rom_document.h"
#include "model/map/world_map.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"

namespace kivo::fuzz {

struct BadImage {
  std::string name;
  std::vector<uint8_t> bytes;
  bool slow = false;  // its strings run unterminated for tens of kilobytes
};

// Where every game pointer table starts, how many entries it has, and the
// file offset its pointers count from.
struct PointerTableSpot {
  std::size_t offset;
  int count;
  std::size_t textBase;
};

inline std::vector<PointerTableSpot> AllPointerTables() {
  std::vector<PointerTableSpot> tables = {
      {kItemNameTable.offset, kItemNameTable.count, kItemNameTable.textBase},
      {kSpellNameTable.offset, kSpellNameTable.count, kSpellNameTable.textBase},
      {kMonsterNameTable.offset, kMonsterNameTable.count, kMonsterNameTable.textBase},
      {kBattleMessageTable.offset, kBattleMessageTable.count, kBattleMessageTable.textBase},
      // A row pointer's file offset is pointer - 0x3FF0.
      {kRowPointerTableOffset, kWorldMapSide, std::size_t(0) - kPointerToOffset},
  };
  for (const TextCategory& category : TextCategories()) {
    if (category.pointerTable != 0)
      tables.push_back({category.pointerTable, category.rows, category.textBase});
  }
  return tables;
}

// An image of `size` bytes with no 0x00 to end a string, whose every pointer
// leads to the last byte when a 16-bit pointer reaches it and as far as one
// goes otherwise; the last byte opens a keyword pair that has no operand.
inline std::vector<uint8_t> PointersAtLastByte(std::size_t size) {
  std::vector<uint8_t> image(size, 0x41);
  if (size == 0)
    return image;
  const std::size_t last = size - 1;
  const uint32_t shift = ClassifyImage(size).baseShift;
  for (const PointerTableSpot& table : AllPointerTables()) {
    const std::size_t base = shift + table.textBase;  // wraps for the map rows, as intended
    const std::size_t wanted = last - base;
    const uint16_t pointer = wanted <= 0xFFFF ? static_cast<uint16_t>(wanted) : 0xFFFF;
    for (int row = 0; row < table.count; ++row) {
      const std::size_t at = shift + table.offset + 2 * std::size_t(row);
      if (at + 1 < size) {
        image[at] = static_cast<uint8_t>(pointer);
        image[at + 1] = static_cast<uint8_t>(pointer >> 8);
      }
    }
  }
  image[last] = kKeywordCode;
  return image;
}

inline std::vector<uint8_t> RandomImage(std::size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> image(size);
  for (uint8_t& byte : image)
    byte = static_cast<uint8_t>(random());
  return image;
}

// The list the bad-input tests run the page reads on. A size of 0x30010
// puts the last byte where the item and dialogue 2 pointers reach.
inline std::vector<BadImage> BadImages() {
  return {
      {"empty", {}},
      {"fifteen-bytes", std::vector<uint8_t>(15, 0x4E)},
      {"all-ff", std::vector<uint8_t>(kStandaloneSize, 0xFF), true},
      {"random", RandomImage(kStandaloneSize, 2026)},
      {"random-combination", RandomImage(kCombinationSize, 11)},
      {"pointers-at-last-byte", PointersAtLastByte(kStandaloneSize), true},
      {"pointers-at-last-byte-short", PointersAtLastByte(0x30010), true},
      {"pointers-at-last-byte-combination", PointersAtLastByte(kCombinationSize), true},
  };
}

}  // namespace kivo::fuzz
