#include "model/text/codec.h"

#include <algorithm>
#include <unordered_map>

#include "model/core/settings.h"
#include "model/core/utf8.h"

namespace kivo {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Start of every character (code point) of `text`, plus text.size() at the
// end. A broken sequence counts as one character per stray byte, and a cut
// sequence at the end as one character, so scanning always advances.
std::vector<std::size_t> CharStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  starts.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size();) {
    starts.push_back(i);
    i += std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
  }
  starts.push_back(text.size());
  return starts;
}

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    i += std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
  }
  return count;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t found; (found = text.find(from, at)) != std::string::npos;) {
    out.append(text, at, found - at).append(to);
    at = found + from.size();
  }
  if (at == 0)
    return;
  out.append(text, at);
  text = std::move(out);
}

// Users on every platform end lines with CR LF or with a lone LF; both are
// line breaks. A lone CR stays, as table values may hold one.
std::string LineBreaksToMarker(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out.append(kLineBreakMarker);
      ++i;
    } else if (text[i] == '\n') {
      out.append(kLineBreakMarker);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// The entries and keyword names of one length in characters, each text
// mapped to the one that wins it: the highest code, the lowest keyword index.
struct LengthGroup {
  std::size_t length = 0;
  std::unordered_map<std::string_view, uint8_t> codes;
  std::unordered_map<std::string_view, uint8_t> keywords;
};

// Longest lengths first, so the first match at a position is the longest.
std::vector<LengthGroup> GroupCandidates(const CharTable& table, const KeywordNames* keywords) {
  std::vector<LengthGroup> groups;
  const auto groupOf = [&groups](std::size_t length) -> LengthGroup& {
    auto it = std::find_if(groups.begin(), groups.end(),
                           [length](const LengthGroup& g) { return g.length == length; });
    if (it != groups.end())
      return *it;
    groups.emplace_back().length = length;
    return groups.back();
  };
  for (int code = 0xFF; code >= 0x01; --code) {
    const std::string& entry = table[code];
    if (entry.empty())
      continue;
    groupOf(CharCount(entry)).codes.try_emplace(entry, static_cast<uint8_t>(code));
  }
  if (keywords != nullptr) {
    for (int index = 0; index < 256; ++index) {
      const std::string& name = (*keywords)[index];
      if (name.empty())
        continue;
      groupOf(CharCount(name)).keywords.try_emplace(name, static_cast<uint8_t>(index));
    }
  }
  std::sort(groups.begin(), groups.end(),
            [](const LengthGroup& a, const LengthGroup& b) { return a.length > b.length; });
  return groups;
}

}  // namespace

KeywordNames ReadKeywordNames(const SettingsBlock& settings) {
  KeywordNames names;
  for (int i = 0; i < settings::kKeywordNameCache.count; ++i) {
    names[i] = settings.Field(settings::kKeywordNameCache, i);
  }
  return names;
}

std::string DecodeString(std::span<const uint8_t> image, std::size_t offset,
                         const CharTable& table) {
  std::string text;
  for (std::size_t at = offset; at < image.size() && image[at] != 0x00; ++at) {
    text += table[image[at]];
  }
  return text;
}

std::string DecodeFixed(std::span<const uint8_t> image, std::size_t offset, std::size_t count,
                        const CharTable& table) {
  std::string text;
  if (offset >= image.size())
    return text;
  const std::size_t end = offset + std::min(count, image.size() - offset);
  for (std::size_t at = offset; at < end; ++at)
    text += table[image[at]];
  return text;
}

DialogueText DecodeDialogue(std::span<const uint8_t> image, std::size_t offset,
                            const CharTable& dte, const KeywordNames& keywords) {
  DialogueText result;
  for (std::size_t at = offset; at < image.size() && image[at] != 0x00;) {
    const uint8_t code = image[at];
    if (code == kFingerCode || code == kKeywordCode) {
      // A pair cut by the end of the image has no operand: the text ends
      // before it rather than reading past the image.
      if (at + 1 >= image.size())
        break;
      const uint8_t operand = image[at + 1];
      if (code == kFingerCode) {
        result.finger = operand;
        result.text += dte[code];
      } else {
        result.text += keywords[operand];
      }
      at += 2;
    } else {
      result.text += dte[code];
      ++at;
    }
  }
  ReplaceAll(result.text, kLineBreakMarker, kCrLf);
  return result;
}

std::vector<uint8_t> EncodeText(std::string_view text, const CharTable& table,
                                const KeywordNames* keywords, uint8_t finger, bool terminator,
                                std::vector<std::string>* dropped) {
  const std::string prepared = LineBreaksToMarker(text);
  const std::vector<std::size_t> starts = CharStarts(prepared);
  const std::size_t count = starts.size() - 1;
  const std::vector<LengthGroup> groups = GroupCandidates(table, keywords);

  std::vector<uint8_t> out;
  out.reserve(2 * count + 1);
  for (std::size_t pos = 0; pos < count;) {
    const std::size_t remaining = count - pos;
    std::size_t consumed = 0;
    for (const LengthGroup& group : groups) {
      if (group.length > remaining)
        continue;
      const std::string_view piece(prepared.data() + starts[pos],
                                   starts[pos + group.length] - starts[pos]);
      if (auto it = group.codes.find(piece); it != group.codes.end()) {
        out.push_back(it->second);
        // Only dialogue reads an operand after the finger code; elsewhere an
        // extra byte would spill into the next string.
        if (it->second == kFingerCode && keywords != nullptr)
          out.push_back(finger);
        consumed = group.length;
        break;
      }
      if (auto it = group.keywords.find(piece); it != group.keywords.end()) {
        out.push_back(kKeywordCode);
        out.push_back(it->second);
        consumed = group.length;
        break;
      }
    }
    if (consumed == 0) {
      // A character nothing matches is dropped.
      consumed = 1;
      if (dropped != nullptr) {
        std::string character(prepared.substr(starts[pos], starts[pos + 1] - starts[pos]));
        if (std::find(dropped->begin(), dropped->end(), character) == dropped->end())
          dropped->push_back(std::move(character));
      }
    }
    pos += consumed;
  }
  if (terminator)
    out.push_back(0x00);
  return out;
}

}  // namespace kivo
