#include "model/text/text_banks.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "model/core/bytes.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"

namespace kivo {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct Range {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// One pointer of the bank and the text it leads to.
struct BankPointer {
  std::size_t slot = 0;  // image index of the pointer
  std::size_t start = 0;
  std::size_t end = kNone;  // past the terminator; kNone when the image ends first
  bool movable = false;     // its text lies inside the bank, terminator included
  int edit = -1;  // which edit gives its new text
  int block = -1;
};

// Past the terminating 0x00 of the text at `at`, as the category reads it,
// or kNone when the image ends first. A text that reaches the image's last
// byte counts as unterminated: that byte may be a pair's operand, which the
// text would no longer end on once moved.
std::size_t TextEnd(std::span<const uint8_t> image, std::size_t at, int category) {
  const std::size_t length = StoredTextBytes(image, category, at);
  const std::size_t end = at + length;
  return length > 0 && end < image.size() && image[end - 1] == 0x00 ? end : kNone;
}

Range BankRange(std::span<const uint8_t> image, uint32_t baseShift, int bank) {
  const std::size_t begin = TextBanks()[static_cast<std::size_t>(bank)].base + kTextBankAddress +
                            baseShift;
  return {std::min(begin, image.size()), std::min(begin + kTextBankSize, image.size())};
}

std::vector<BankPointer> ReadPointers(std::span<const uint8_t> image, uint32_t baseShift,
                                      int bank, std::span<const BankTextEdit> edits) {
  const TextBank& b = TextBanks()[static_cast<std::size_t>(bank)];
  const Range range = BankRange(image, baseShift, bank);
  std::vector<BankPointer> pointers;
  pointers.reserve(b.entries.size());
  for (const auto& [category, row] : b.entries) {
    BankPointer p;
    p.slot = PointerLocation(category, row, baseShift);
    if (p.slot + 2 > image.size())
      continue;
    p.start = ReadLe16(image, p.slot) + b.base + baseShift;
    p.end = TextEnd(image, p.start, category);
    p.movable =
        p.start >= range.begin && p.start < range.end && p.end != kNone && p.end <= range.end;
    for (std::size_t e = 0; e < edits.size(); ++e) {
      if (edits[e].category == category && edits[e].row == row)
        p.edit = static_cast<int>(e);
    }
    pointers.push_back(p);
  }
  return pointers;
}

// `from` less every range of `holes` (both sorted, disjoint).
std::vector<Range> Subtract(const std::vector<Range>& from, const std::vector<Range>& holes) {
  std::vector<Range> out;
  std::size_t h = 0;
  for (Range r : from) {
    while (h < holes.size() && holes[h].end <= r.begin)
      ++h;
    for (std::size_t k = h; k < holes.size() && holes[k].begin < r.end; ++k) {
      if (holes[k].begin > r.begin)
        out.push_back({r.begin, holes[k].begin});
      r.begin = std::max(r.begin, holes[k].end);
    }
    if (r.begin < r.end)
      out.push_back(r);
  }
  return out;
}

// Sorted and joined where they overlap (or touch, when `touching`).
std::vector<Range> Union(std::vector<Range> ranges, bool touching) {
  const auto byBegin = [](const Range& a, const Range& b) { return a.begin < b.begin; };
  // Texts mostly lie in the order of their pointers.
  if (!std::is_sorted(ranges.begin(), ranges.end(), byBegin))
    std::sort(ranges.begin(), ranges.end(), byBegin);
  std::vector<Range> out;
  for (const Range& r : ranges) {
    if (!out.empty() && (r.begin < out.back().end || (touching && r.begin == out.back().end)))
      out.back().end = std::max(out.back().end, r.end);
    else
      out.push_back(r);
  }
  return out;
}

std::string Hex(std::size_t value) {
  char text[20];
  std::snprintf(text, sizeof text, "0x%zX", value);
  return text;
}

}  // namespace

const std::vector<TextBank>& TextBanks() {
  static const std::vector<TextBank> banks = [] {
    std::vector<TextBank> out;
    for (std::size_t offset : TextBankOffsets())
      out.push_back({offset - kTextBankAddress, {}, {}});
    // The order the banks are known by: the items' bank first.
    std::stable_partition(out.begin(), out.end(), [](const TextBank& b) {
      return b.base == GetTextCategory(0).textBase;
    });
    std::sort(out.begin() + 1, out.end(), [](const TextBank& a, const TextBank& b) {
      return a.base < b.base;
    });
    for (int c = 0; c < kTextCategoryCount; ++c) {
      const TextCategory& category = GetTextCategory(c);
      if (category.kind != CategoryKind::Names && category.kind != CategoryKind::Dialogue)
        continue;
      for (TextBank& b : out) {
        if (b.base == category.textBase)
          b.categories.push_back(c);
      }
    }
    for (TextBank& b : out) {
      std::vector<std::size_t> slots;
      for (int c : b.categories) {
        for (int row = 0; row < GetTextCategory(c).rows; ++row) {
          const std::size_t slot = PointerLocation(c, row, 0);
          if (std::find(slots.begin(), slots.end(), slot) == slots.end()) {
            slots.push_back(slot);
            b.entries.emplace_back(c, row);
          }
        }
      }
    }
    return out;
  }();
  return banks;
}

int TextBankOf(int category) {
  const std::vector<TextBank>& banks = TextBanks();
  for (std::size_t b = 0; b < banks.size(); ++b) {
    if (std::find(banks[b].categories.begin(), banks[b].categories.end(), category) !=
        banks[b].categories.end())
      return static_cast<int>(b);
  }
  return -1;
}

std::string TextBankName(int bank) {
  return Hex(TextBanks()[static_cast<std::size_t>(bank)].base);
}

std::string BankTooSmallText(int bank, std::size_t excess) {
  return "Bank " + TextBankName(bank) + " needs " + std::to_string(excess) +
         " more bytes. Shorten some of its texts.";
}

BankRepack PlanTextBankRepack(std::span<const uint8_t> image, uint32_t baseShift, int bank,
                              std::span<const BankTextEdit> edits) {
  BankRepack plan;
  if (bank < 0 || bank >= static_cast<int>(TextBanks().size()))
    return plan;
  const std::size_t base = TextBanks()[static_cast<std::size_t>(bank)].base + baseShift;
  std::vector<BankPointer> pointers = ReadPointers(image, baseShift, bank, edits);
  plan.measure.pointers = pointers.size();

  // What may never be written: the pointers, and the texts that stay where
  // they are (leading outside the bank, or running past its end).
  std::vector<Range> slots, kept, covered, moved;
  for (const BankPointer& p : pointers) {
    slots.push_back({p.slot, p.slot + 2});
    const Range text{p.start, p.end == kNone ? image.size() : p.end};
    if (p.movable)
      covered.push_back(text);
    else if (p.start < image.size())
      kept.push_back(text);
    if (p.movable && p.edit < 0)
      moved.push_back(text);
  }
  slots = Union(std::move(slots), true);
  kept = Union(std::move(kept), false);
  for (const BankPointer& p : pointers) {
    if (p.movable || p.edit >= 0 || p.start >= image.size())
      continue;
    const Range text{p.start, p.end == kNone ? image.size() : p.end};
    for (const Range& s : slots) {
      if (text.begin < s.end && s.begin < text.end) {
        plan.refusal = "A text of bank " + TextBankName(bank) +
                       " that Make room cannot move runs over the bank's pointers.";
        return plan;
      }
    }
  }
  std::vector<Range> holes = Union([&] {
    std::vector<Range> all = slots;
    all.insert(all.end(), kept.begin(), kept.end());
    return all;
  }(), true);
  const std::vector<Range> extents = Subtract(Union(std::move(covered), true), holes);
  for (const Range& e : extents)
    plan.measure.space += e.end - e.begin;

  // Texts that overlap move together, so a text inside another keeps
  // sharing its bytes; blocks with equal bytes are one copy.
  const std::vector<Range> clusters = Union(std::move(moved), false);
  std::vector<std::string_view> blocks;
  std::unordered_map<std::string_view, int> byBytes;
  byBytes.reserve(pointers.size());
  auto blockOf = [&](const uint8_t* bytes, std::size_t size) {
    const std::string_view key(reinterpret_cast<const char*>(bytes), size);
    const auto [it, added] = byBytes.emplace(key, static_cast<int>(blocks.size()));
    if (added)
      blocks.push_back(key);
    return it->second;
  };
  std::vector<int> clusterBlock(clusters.size(), -1);
  std::vector<std::size_t> offsetInBlock(pointers.size(), 0);
  for (std::size_t i = 0; i < pointers.size(); ++i) {
    BankPointer& p = pointers[i];
    if (p.edit >= 0) {
      const std::vector<uint8_t>& bytes = edits[static_cast<std::size_t>(p.edit)].bytes;
      p.block = blockOf(bytes.data(), bytes.size());
    } else if (p.movable) {
      const auto c = std::upper_bound(clusters.begin(), clusters.end(), p.start,
                                      [](std::size_t at, const Range& r) { return at < r.begin; }) -
                     1;
      int& block = clusterBlock[static_cast<std::size_t>(c - clusters.begin())];
      if (block < 0)
        block = blockOf(image.data() + c->begin, c->end - c->begin);
      p.block = block;
      offsetInBlock[i] = p.start - c->begin;
    }
  }

  // Each block, in the order of its first pointer, into the first extent
  // with room for it.
  std::vector<std::size_t> fill(extents.size(), 0);
  std::vector<std::size_t> placed(blocks.size(), kNone);
  std::vector<std::vector<uint8_t>> extentBytes(extents.size());
  for (std::size_t e = 0; e < extents.size(); ++e)
    extentBytes[e].assign(extents[e].end - extents[e].begin, 0x00);
  for (const BankPointer& p : pointers) {
    if (p.block < 0 || placed[static_cast<std::size_t>(p.block)] != kNone)
      continue;
    const std::string_view bytes = blocks[static_cast<std::size_t>(p.block)];
    plan.measure.used += bytes.size();
    std::size_t e = 0;
    while (e < extents.size() && extentBytes[e].size() - fill[e] < bytes.size())
      ++e;
    if (e == extents.size()) {
      placed[static_cast<std::size_t>(p.block)] = kNone - 1;  // counted, not placed
      std::size_t largest = 0;
      for (std::size_t k = 0; k < extents.size(); ++k)
        largest = std::max(largest, extentBytes[k].size() - fill[k]);
      plan.excess = std::max(plan.excess, bytes.size() - largest);
      continue;
    }
    std::copy(bytes.begin(), bytes.end(), extentBytes[e].begin() + fill[e]);
    placed[static_cast<std::size_t>(p.block)] = extents[e].begin + fill[e];
    fill[e] += bytes.size();
  }
  if (plan.measure.used > plan.measure.space)
    plan.excess = std::max(plan.excess, plan.measure.used - plan.measure.space);
  if (!plan.fits())
    return plan;

  for (std::size_t e = 0; e < extents.size(); ++e)
    plan.extents.emplace_back(extents[e].begin, std::move(extentBytes[e]));
  for (std::size_t i = 0; i < pointers.size(); ++i) {
    const BankPointer& p = pointers[i];
    if (p.block >= 0) {
      const std::size_t at = placed[static_cast<std::size_t>(p.block)] + offsetInBlock[i] - base;
      plan.pointers.emplace_back(p.slot, static_cast<uint16_t>(at));
    }
  }
  return plan;
}

void ApplyTextBankRepack(const RomView& image, const BankRepack& repack) {
  if (!repack.fits())
    return;
  for (const auto& [at, bytes] : repack.extents)
    image.SetBytes(at, bytes);
  for (const auto& [at, value] : repack.pointers)
    image.SetWord(at, value);
}

}  // namespace kivo
