#pragma once
// Text banks: the text categories that share a text base, the bytes their
// texts occupy (the bank's text space), and repacking a bank so that a text
// that grew finds room: every text is moved into the text space, equal texts
// and texts that share bytes keep one copy, and every pointer of the bank is
// rewritten to its text's new place.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/core/rom_view.h"

namespace kivo {

struct TextBank {
  std::size_t base = 0;         // the categories' text base (file offset)
  std::vector<int> categories;  // Text page category indexes, in order
  // Every entry with a pointer of its own, in order (an entry whose pointer
  // another entry has already is left out).
  std::vector<std::pair<int, int>> entries;  // category, row
};

inline constexpr int kTextBankCountAll = 4;

// 0x20010, 0xC010, 0x10010, 0x2C010.
const std::vector<TextBank>& TextBanks();
// The bank of a category, or -1 (Characters, Prologue, Epilogue).
int TextBankOf(int category);

// "0x20010".
std::string TextBankName(int bank);

// A new text for one entry, encoded and terminated as the Text page stores it.
struct BankTextEdit {
  int category = -1;
  int row = -1;
  std::vector<uint8_t> bytes;
};

struct BankSpace {
  std::size_t space = 0;  // bytes of the text space
  std::size_t used = 0;   // what the bank's texts take packed
  std::size_t pointers = 0;
  std::size_t free() const { return space > used ? space - used : 0; }
};

// A repack, planned: the bytes of every extent of the text space and the new
// value of every pointer, or why it cannot be made.
struct BankRepack {
  BankSpace measure;
  // How many more bytes the texts need than the text space gives (more than
  // used - space when the space is in pieces too small for a text).
  std::size_t excess = 0;
  // Why nothing may move: a text the repack does not move runs over the
  // bank's pointers, so rewriting them would change it.
  std::string refusal;
  // Image index and bytes of each extent of the text space, and image index
  // and new value of each pointer.
  std::vector<std::pair<std::size_t, std::vector<uint8_t>>> extents;
  std::vector<std::pair<std::size_t, uint16_t>> pointers;
  bool fits() const { return refusal.empty() && excess == 0; }
};

// The bank's text space and what its texts would take packed (`measure`),
// each of `edits` in place of its entry's text (edits of other banks are
// ignored).
BankRepack PlanTextBankRepack(std::span<const uint8_t> image, uint32_t baseShift, int bank,
                              std::span<const BankTextEdit> edits = {});
// `image` addresses image indexes (base shift 0).
void ApplyTextBankRepack(const RomView& image, const BankRepack& repack);

// "Bank 0x20010 needs 37 more bytes. Shorten some of its texts."
std::string BankTooSmallText(int bank, std::size_t excess);

}  // namespace kivo
