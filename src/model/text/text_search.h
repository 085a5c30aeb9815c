#pragma once
// Finding text across the Text page's entries: every entry of every
// category that has entries, as the page decodes it.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/text/char_table.h"
#include "model/text/text_entry_store.h"

namespace kivo {

struct EntryAt {
  int category = 0;
  int row = 0;
  bool operator==(const EntryAt&) const = default;
};

// The next entry after `from` (or the previous one, `forward` false), going
// round the categories in order and wrapping at the end, whose decoded text
// holds `needle` (ASCII letters in any case); `from` itself comes last.
// Nothing for an empty needle or one no entry holds.
std::optional<EntryAt> FindTextEntry(std::span<const uint8_t> image, uint32_t baseShift,
                                     EntryAt from, std::string_view needle, bool forward,
                                     const CharTable& dte, const KeywordNames& keywords);

}  // namespace kivo
