#include "model/text/text_entry_store.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "model/core/rom_view.h"
#include "model/core/settings.h"
#include "model/text/c_scan.h"

namespace kivo {
namespace {

// A character name fills its 6 bytes; the positions after it hold this.
constexpr uint8_t kNamePadding = 0xFF;

bool IsCharacters(int category) {
  return GetTextCategory(category).kind == CategoryKind::Characters;
}

// The finger operand a store encodes with: the Finger box's number clamped
// to a byte, else the finger of the decoded string, else 0.
uint8_t FingerValue(const ShownEntry& shown, std::string_view fingerBox) {
  if (const std::optional<int32_t> typed = ScanHex(fingerBox))
    return static_cast<uint8_t>(std::clamp<int32_t>(*typed, 0x00, 0xFF));
  return shown.finger.value_or(0x00);
}

bool TextEdited(const ShownEntry& shown, const EntryBoxes& now) {
  if (now.text != shown.boxes.text)
    return true;
  // The finger operand is part of the text only in dialogue.
  return IsDialogueCategory(shown.category) && now.finger != shown.boxes.finger;
}

}  // namespace

std::string FormatHexText(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(value));
  return buffer;
}

std::optional<int32_t> ScanHex(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexDigit(text[i + 2]) >= 0) {
    i += 2;
  }
  if (i >= text.size() || HexDigit(text[i]) < 0)
    return std::nullopt;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; i < text.size() && HexDigit(text[i]) >= 0; ++i)
    value = std::min(value * 16 + HexDigit(text[i]), kLimit);
  if (negative)
    value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

ShownEntry ShowTextEntry(std::span<const uint8_t> image, uint32_t baseShift, int category, int row,
                         const CharTable& dte, const KeywordNames& keywords) {
  ShownEntry shown;
  if (!IsEditableCategory(category) || row < 0 || row >= GetTextCategory(category).rows)
    return shown;
  TextEntry entry = ReadTextEntry(image, baseShift, category, row, dte, keywords);
  shown.category = category;
  shown.row = row;
  shown.location = entry.location;
  shown.finger = entry.finger;
  shown.storedBytes = StoredTextBytes(image, category, entry.location.textLocation);
  shown.locationBox = FormatHexText(static_cast<uint32_t>(entry.location.textLocation));
  shown.boxes.text = std::move(entry.text);
  shown.boxes.finger = entry.finger ? FormatHexText(*entry.finger) : std::string(kNoFingerText);
  if (entry.location.hasPointer) {
    shown.pointerBox = FormatHexText(static_cast<uint32_t>(entry.location.pointerLocation));
    shown.boxes.value = FormatHexText(entry.location.pointerValue);
  } else {
    shown.pointerBox = kNoPointerText;
    shown.boxes.value = kNoValueText;
  }
  return shown;
}

std::size_t StoredTextBytes(std::span<const uint8_t> image, int category,
                            std::size_t textLocation) {
  if (textLocation >= image.size())
    return 0;
  const std::size_t room = image.size() - textLocation;
  switch (GetTextCategory(category).kind) {
    case CategoryKind::Characters:
      return std::min(kCharacterNameSize, room);
    case CategoryKind::NotEditable:
      return 0;
    case CategoryKind::Names:
    case CategoryKind::Dialogue:
      break;
  }
  const bool pairs = IsDialogueCategory(category);
  std::size_t at = textLocation;
  while (at < image.size()) {
    const uint8_t code = image[at];
    if (code == 0x00)
      return at + 1 - textLocation;
    at += pairs && (code == kFingerCode || code == kKeywordCode) ? 2 : 1;
  }
  return room;
}

const CharTable& StoreTable(const SettingsBlock& settings, int category, const CharTable& standard,
                            const CharTable& dte) {
  return settings.PreferDte(category) ? dte : standard;
}

std::vector<uint8_t> EncodeEntryText(int category, std::string_view text, const CharTable& table,
                                     const KeywordNames& keywords, uint8_t finger,
                                     std::vector<std::string>* dropped) {
  const bool dialogue = IsDialogueCategory(category);
  if (!IsCharacters(category))
    return EncodeText(text, table, dialogue ? &keywords : nullptr, finger, true, dropped);
  std::vector<uint8_t> name;
  if (!text.empty())
    name = EncodeText(text, table, nullptr, finger, false, dropped);
  name.resize(kCharacterNameSize, kNamePadding);
  return name;
}

EntryWrite PlanEntryWrite(std::size_t imageSize, const ShownEntry& shown, const EntryBoxes& now,
                          const CharTable& table, const KeywordNames& keywords) {
  EntryWrite write;
  if (shown.category < 0 || !IsEditableCategory(shown.category))
    return write;
  if (shown.location.hasPointer && now.value != shown.boxes.value) {
    // A box without a number keeps the pointer that was shown.
    if (const std::optional<int32_t> typed = ScanHex(now.value))
      write.pointer = static_cast<uint16_t>(std::clamp<int32_t>(*typed, 0x0000, 0xFFFF));
  }
  if (TextEdited(shown, now)) {
    std::vector<uint8_t> bytes = EncodeEntryText(shown.category, now.text, table, keywords,
                                                 FingerValue(shown, now.finger), &write.dropped);
    if (IsCharacters(shown.category)) {
      write.nameCut = !now.text.empty() &&
                      EncodeText(now.text, table, nullptr, 0, false).size() > kCharacterNameSize;
    }
    const std::size_t at = shown.location.textLocation;
    const std::size_t room = at < imageSize ? imageSize - at : 0;
    if (bytes.size() > room) {
      bytes.resize(room);
      write.cutAtImageEnd = true;
    }
    write.text = std::move(bytes);
  }
  return write;
}

void ApplyEntryWrite(const RomView& image, const ShownEntry& shown, const EntryWrite& write) {
  if (write.pointer && shown.location.hasPointer)
    image.SetWord(shown.location.pointerLocation, *write.pointer);
  if (write.text)
    image.SetBytes(shown.location.textLocation, *write.text);
}

bool StoreTextEntry(const RomView& image, const ShownEntry& shown, const EntryBoxes& now,
                    const CharTable& table, const KeywordNames& keywords) {
  const EntryWrite write = PlanEntryWrite(image.image().size(), shown, now, table, keywords);
  ApplyEntryWrite(image, shown, write);
  return write.pointer.has_value() || write.text.has_value();
}

EntryByteCount CountEntryBytes(std::size_t imageSize, const ShownEntry& shown,
                               const EntryBoxes& now, const CharTable& table,
                               const KeywordNames& keywords) {
  EntryByteCount count;
  count.was = shown.storedBytes;
  const EntryWrite write = PlanEntryWrite(imageSize, shown, now, table, keywords);
  count.bytes = write.text ? write.text->size() : shown.storedBytes;
  count.longer = count.bytes > count.was;
  count.cut = write.cutAtImageEnd || write.nameCut;
  count.dropped = write.dropped;
  return count;
}

std::optional<EntryGrowth> GrowthOf(std::size_t imageSize, const ShownEntry& shown,
                                    const EntryBoxes& now, const CharTable& table,
                                    const KeywordNames& keywords) {
  if (shown.category < 0 || IsCharacters(shown.category))
    return std::nullopt;
  const EntryWrite write = PlanEntryWrite(imageSize, shown, now, table, keywords);
  if (!write.text || write.text->size() <= shown.storedBytes)
    return std::nullopt;
  return EntryGrowth{write.text->size(), shown.storedBytes};
}

std::string TextStartingIn(std::span<const uint8_t> image, uint32_t baseShift, std::size_t begin,
                           std::size_t end, const CharTable& dte, const KeywordNames& keywords) {
  std::optional<std::pair<int, int>> first;
  std::size_t firstAt = end;
  for (int category = 0; category < kTextCategoryCount; ++category) {
    if (!IsEditableCategory(category))
      continue;
    for (int row = 0; row < GetTextCategory(category).rows; ++row) {
      const std::size_t at = LocateEntry(image, baseShift, category, row).textLocation;
      if (at >= begin && at < firstAt) {
        firstAt = at;
        first = {category, row};
      }
    }
  }
  if (!first)
    return "bytes of no known text";
  const auto [category, row] = *first;
  std::string text = ReadTextEntry(image, baseShift, category, row, dte, keywords).text;
  text = text.substr(0, text.find("\r\n"));
  return std::string(GetTextCategory(category).rowText) + " " + std::to_string(row) + ": " + text;
}

std::string GrowthQuestion(std::string_view text, const EntryGrowth& growth,
                           std::string_view what) {
  return std::string(text) + " needs " + std::to_string(growth.needs) +
         " bytes where the old text had " + std::to_string(growth.had) +
         ". Writing it overwrites the " + std::to_string(growth.needs - growth.had) +
         " bytes after it, which hold " + std::string(what) + ".";
}

}  // namespace kivo
