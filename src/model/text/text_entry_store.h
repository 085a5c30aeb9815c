#pragma once
// Show entry and Store entry of the Text page without widgets: the texts an
// entry is shown with, and which bytes storing it writes where. A store
// writes only what the user changed, so browsing and saving leave every
// byte as it was even when the tables would encode the text differently.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/rom_view.h"
#include "model/text/char_table.h"
#include "model/text/codec.h"
#include "model/text/text_categories.h"

namespace kivo {

class SettingsBlock;

// What the Pointer:, Value: and Finger: boxes show when there is no number.
inline constexpr std::string_view kNoPointerText = "-----";
inline constexpr std::string_view kNoValueText = "----";
inline constexpr std::string_view kNoFingerText = "--";

// Upper-case hexadecimal without leading zeros or prefix ("%X").
std::string FormatHexText(uint32_t value);
// The hexadecimal number at the start of `text` as "%X" scans it (blanks,
// sign and 0x prefix allowed), saturated to 32 bits; nothing when the text
// does not start with one.
std::optional<int32_t> ScanHex(std::string_view text);

// The boxes the user can edit.
struct EntryBoxes {
  std::string text;    // the Text: box, or the multi-line box for dialogue
  std::string value;   // Value:
  std::string finger;  // Finger:
  bool operator==(const EntryBoxes&) const = default;
};

// An entry as Show entry put it on the page. The page replaces `boxes` by
// what its widgets hold right after showing, so a widget that changes a text
// on the way in (line breaks) does not count as an edit.
struct ShownEntry {
  int category = -1;
  int row = -1;
  EntryLocation location;
  std::optional<uint8_t> finger;  // of the decoded dialogue string
  std::size_t storedBytes = 0;    // what the text took in the image
  std::string pointerBox;
  std::string locationBox;
  EntryBoxes boxes;
};

ShownEntry ShowTextEntry(std::span<const uint8_t> image, uint32_t baseShift, int category, int row,
                         const CharTable& dte, const KeywordNames& keywords);

// Bytes of the text at `textLocation` as the category reads it: up to and
// including the terminating 0x00 (finger and keyword pairs are two bytes),
// 6 for a character name; never past the end of the image.
std::size_t StoredTextBytes(std::span<const uint8_t> image, int category, std::size_t textLocation);

// The table a store encodes with: the DTE table when the category prefers it.
const CharTable& StoreTable(const SettingsBlock& settings, int category, const CharTable& standard,
                            const CharTable& dte);

// The bytes Store entry writes for `text`: terminated by 0x00, or for
// Characters exactly 6 bytes (cut, and padded with 0xFF).
std::vector<uint8_t> EncodeEntryText(int category, std::string_view text, const CharTable& table,
                                     const KeywordNames& keywords, uint8_t finger,
                                     std::vector<std::string>* dropped = nullptr);

struct EntryWrite {
  std::optional<uint16_t> pointer;           // to the pointer location
  std::optional<std::vector<uint8_t>> text;  // to the text location, already cut
  bool cutAtImageEnd = false;                // the text ran past the end of the image
  bool nameCut = false;                      // a character name encoded longer than 6 bytes
  std::vector<std::string> dropped;          // characters the table cannot write
};

// What storing writes, given the boxes as shown and as they are now: the
// text only when its box (or for dialogue the Finger box) changed, the
// pointer only when Value: changed and holds a hexadecimal number.
EntryWrite PlanEntryWrite(std::size_t imageSize, const ShownEntry& shown, const EntryBoxes& now,
                          const CharTable& table, const KeywordNames& keywords);
// `image` addresses image indexes (the locations hold the base shift already).
void ApplyEntryWrite(const RomView& image, const ShownEntry& shown, const EntryWrite& write);

// Plans and applies; true when anything was written.
bool StoreTextEntry(const RomView& image, const ShownEntry& shown, const EntryBoxes& now,
                    const CharTable& table, const KeywordNames& keywords);

// "N bytes, was M": what the text will take when stored against what it
// took when shown. Informs only; it never changes what is written.
struct EntryByteCount {
  std::size_t bytes = 0;
  std::size_t was = 0;
  bool longer = false;  // overwrites what follows the old text
  bool cut = false;     // cut at the end of the image, or a name cut to 6
  std::vector<std::string> dropped;  // characters the table cannot write
};
EntryByteCount CountEntryBytes(std::size_t imageSize, const ShownEntry& shown,
                               const EntryBoxes& now, const CharTable& table,
                               const KeywordNames& keywords);

// A store that would write past the old text's bytes into what follows: the
// text needs `needs` bytes where it had `had`. Nothing for a store that fits,
// writes no text, or writes a character name (always its own 6 bytes).
struct EntryGrowth {
  std::size_t needs = 0;
  std::size_t had = 0;
};
std::optional<EntryGrowth> GrowthOf(std::size_t imageSize, const ShownEntry& shown,
                                    const EntryBoxes& now, const CharTable& table,
                                    const KeywordNames& keywords);

// What the bytes [begin, end) hold, for the question before they are
// overwritten: the entry of any category whose text starts there first
// ("Items 1: Big Salve"; a dialogue by its first line), or "bytes of no
// known text".
std::string TextStartingIn(std::span<const uint8_t> image, uint32_t baseShift, std::size_t begin,
                           std::size_t end, const CharTable& dte, const KeywordNames& keywords);

// "<text> needs N bytes where the old text had M. Writing it overwrites the
// K bytes after it, which hold <what>."
std::string GrowthQuestion(std::string_view text, const EntryGrowth& growth,
                           std::string_view what);

}  // namespace kivo
