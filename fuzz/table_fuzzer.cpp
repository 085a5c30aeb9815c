// A table file of any bytes, read in whichever encoding fits, then every
// entry encoded back through the table it came from, with and without the
// keyword names of dialogue.

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/core/utf8.h"
#include "model/text/char_table.h"
#include "model/text/codec.h"
#include "model/text/text_encoding.h"
#include "support.h"

using namespace kivo;

namespace {

// Every byte of an encoding stands for something: a code with an entry, or
// a finger or keyword pair when keywords are given; 0x00 only at the end.
void CheckEncoding(const std::vector<uint8_t>& bytes, const CharTable& table,
                   const KeywordNames* keywords, std::size_t characters) {
  KIVO_FUZZ_CHECK(!bytes.empty() && bytes.back() == 0x00);
  KIVO_FUZZ_CHECK(bytes.size() <= 2 * characters + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const uint8_t code = bytes[i];
    if (keywords != nullptr && code == kKeywordCode) {
      // A keyword pair, or the code 0x18 itself when it has an entry.
      const bool pair = i + 2 < bytes.size() && !(*keywords)[bytes[i + 1]].empty();
      KIVO_FUZZ_CHECK(pair || !table[code].empty());
      if (pair) {
        ++i;
        continue;
      }
    }
    KIVO_FUZZ_CHECK(code != 0x00 && !table[code].empty());
    if (keywords != nullptr && code == kFingerCode)
      ++i;  // the finger operand may be any byte
  }
}

// Characters as the encoder counts them once line breaks are markers of two.
std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count)
    i += std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
  return count + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

// Room for 256 entries of a dozen bytes each.
KIVO_FUZZ_MAX_LEN(4096)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  CharTable table;
  const TableEncoding encoding = ParseTableFile(table, bytes);

  // The file on disk loads the same as the bytes, in the same encoding.
  CharTable loaded;
  const TableLoadResult result =
      LoadTableFile(loaded, fuzz::WriteScratchFile("fuzz.tbl", bytes), TableKind::Ff2StandardDte);
  KIVO_FUZZ_CHECK(result.ok && !result.message && result.encoding == encoding);
  KIVO_FUZZ_CHECK(loaded == table);

  for (const std::string& entry : table) {
    const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(entry.data()),
                                        entry.size());
    KIVO_FUZZ_CHECK(IsValidUtf8(text));
    KIVO_FUZZ_CHECK(entry.find('\n') == std::string::npos);
  }

  // Keyword names from the same file, so keywords and entries overlap.
  KeywordNames keywords;
  for (int i = 0; i < 256; ++i)
    keywords[i] = table[255 - i];
  const uint8_t finger = size > 0 ? data[0] : 0;

  // An entry's own text encodes to the highest code holding that text. The
  // encoder indexes the whole table at every call, so an input checks the
  // entries of one code in kSlices, picked by its length, and a run all.
  constexpr std::size_t kSlices = 8;
  std::string everything;
  for (int code = 0; code < 256; ++code) {
    const std::string& entry = table[code];
    everything += entry;
    if (entry.empty() || code % kSlices != size % kSlices)
      continue;
    std::optional<uint8_t> best;
    for (int c = 255; c >= 1 && !best; --c) {
      if (table[c] == entry)
        best = static_cast<uint8_t>(c);
    }
    const std::vector<uint8_t> plain = EncodeText(entry, table, nullptr, finger, false);
    const std::vector<uint8_t> dialogue = EncodeText(entry, table, &keywords, finger, false);
    if (best) {
      KIVO_FUZZ_CHECK(plain == std::vector<uint8_t>{*best});
      if (*best == kFingerCode)
        KIVO_FUZZ_CHECK(dialogue == (std::vector<uint8_t>{kFingerCode, finger}));
      else
        KIVO_FUZZ_CHECK(dialogue == std::vector<uint8_t>{*best});
    }
  }

  // Any text: the whole table's entries run together, and the raw input.
  const std::string raw(reinterpret_cast<const char*>(data), size);
  for (const std::string* text : {&std::as_const(everything), &raw}) {
    CheckEncoding(EncodeText(*text, table, nullptr, finger, true), table, nullptr,
                  Characters(*text));
    CheckEncoding(EncodeText(*text, table, &keywords, finger, true), table, &keywords,
                  Characters(*text));
  }
  return 0;
}
