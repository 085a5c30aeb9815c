#include "model/text/text_search.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "model/text/text_categories.h"

namespace kivo {
namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Holds(std::string_view text, std::string_view needle) {
  return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                     [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

}  // namespace

std::optional<EntryAt> FindTextEntry(std::span<const uint8_t> image, uint32_t baseShift,
                                     EntryAt from, std::string_view needle, bool forward,
                                     const CharTable& dte, const KeywordNames& keywords) {
  if (needle.empty())
    return std::nullopt;
  // Every entry in page order, so the search can go round from `from`.
  std::vector<EntryAt> entries;
  std::optional<std::size_t> start;
  for (int category = 0; category < kTextCategoryCount; ++category) {
    if (!IsEditableCategory(category))
      continue;
    for (int row = 0; row < GetTextCategory(category).rows; ++row) {
      if (category == from.category && row == from.row)
        start = entries.size();
      entries.push_back({category, row});
    }
  }
  const std::size_t count = entries.size();
  // From no entry, the search starts at the first (or the last).
  const std::size_t first = start.value_or(forward ? count - 1 : 0);
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t i = forward ? (first + step) % count : (first + count - step) % count;
    const EntryAt at = entries[i];
    const ShownEntry shown = ShowTextEntry(image, baseShift, at.category, at.row, dte, keywords);
    if (Holds(shown.boxes.text, needle))
      return at;
  }
  return std::nullopt;
}

}  // namespace kivo
