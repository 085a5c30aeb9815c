#include "model/core/settings.h"

#include <algorithm>
#include <cstring>

#include "model/core/bytes.h"
#include "model/core/file_io.h"
#include "model/core/utf8.h"

namespace kivo {

using namespace settings;

void SettingsBlock::ResetToDefaults() {
  bytes_.fill(0);
  std::copy(kHeaderText.begin(), kHeaderText.end(), bytes_.begin() + kHeader);
  SetInt(kStoredSize, static_cast<int32_t>(kSize));
  SetCustomColour(0, {0xFF, 0x00, 0x00});
  SetCustomColour(1, {0x00, 0x00, 0xFF});
  SetCustomColour(2, {0x00, 0xFF, 0x00});
  SetCustomColour(3, {0xFF, 0x00, 0xFF});
  SetInt(kMapWindowState, 1);
  SetInt(kMapWindowWidth, 320);
  SetInt(kMapWindowHeight, 259);
}

namespace {

// Written so that no offset, however large, wraps round to pass the check.
bool HoldsInt(std::size_t offset) {
  return offset <= kSize && kSize - offset >= 4;
}

}  // namespace

int32_t SettingsBlock::Int(std::size_t offset) const {
  if (!HoldsInt(offset))
    return 0;
  return static_cast<int32_t>(ReadLe32(bytes_, offset));
}

void SettingsBlock::SetInt(std::size_t offset, int32_t value) {
  if (!HoldsInt(offset))
    return;
  WriteLe32(bytes_, offset, static_cast<uint32_t>(value));
}

std::string SettingsBlock::Text(std::size_t offset, std::size_t width) const {
  if (offset >= kSize)
    return {};
  width = std::min(width, kSize - offset);
  const auto* begin = reinterpret_cast<const char*>(bytes_.data() + offset);
  const auto* end = std::find(begin, begin + width, '\0');
  return std::string(begin, end);
}

void SettingsBlock::SetText(std::size_t offset, std::size_t width, std::string_view text) {
  if (width == 0 || offset >= kSize)
    return;
  width = std::min(width, kSize - offset);
  const std::string_view kept = CutUtf8(text.substr(0, text.find('\0')), width - 1);
  auto field = std::span(bytes_).subspan(offset, width);
  std::fill(field.begin(), field.end(), 0);
  std::copy(kept.begin(), kept.end(), field.begin());
}

std::string SettingsBlock::Field(const FieldSet& set, int index) const {
  if (index < 0 || index >= set.count)
    return {};
  return Text(set.offset + index * set.width, set.width);
}

void SettingsBlock::SetField(const FieldSet& set, int index, std::string_view text) {
  if (index < 0 || index >= set.count)
    return;
  SetText(set.offset + index * set.width, set.width, text);
}

std::size_t SettingsBlock::PathOffset(PathField field) {
  switch (field) {
    case PathField::Rom:
      return kRomPath;
    case PathField::Palette:
      return kPalettePath;
    default:
      break;
  }
  const int kind = static_cast<int>(field) - static_cast<int>(PathField::Ff2StandardTable);
  return kTablePaths + kind * kPathWidth;
}

std::string SettingsBlock::Path(PathField field) const {
  return Text(PathOffset(field), kPathWidth);
}

std::optional<Message> SettingsBlock::SetPath(PathField field, std::string_view path) {
  if (path.size() > kPathWidth - 1 || path.find('\0') != std::string_view::npos) {
    return Message{kPathTooLongText, MessageIcon::Warning};
  }
  SetText(PathOffset(field), kPathWidth, path);
  return std::nullopt;
}

Rgb SettingsBlock::CustomColour(int index) const {
  if (index < 0 || index >= kCustomColourCount)
    return {};
  const std::size_t at = kCustomColours + 3 * index;
  return {bytes_[at], bytes_[at + 1], bytes_[at + 2]};
}

void SettingsBlock::SetCustomColour(int index, Rgb colour) {
  if (index < 0 || index >= kCustomColourCount)
    return;
  const std::size_t at = kCustomColours + 3 * index;
  bytes_[at] = colour.red;
  bytes_[at + 1] = colour.green;
  bytes_[at + 2] = colour.blue;
}

bool SettingsBlock::PreferDte(int category) const {
  if (category < 0 || category >= kPreferDteCount)
    return false;
  return Flag(kPreferDte + 4 * category);
}

void SettingsBlock::SetPreferDte(int category, bool on) {
  if (category < 0 || category >= kPreferDteCount)
    return;
  SetFlag(kPreferDte + 4 * category, on);
}

std::string CreateDefaultSettings(SettingsBlock& block, const std::string& dataFilePath) {
  block.ResetToDefaults();
  return SafeWriteFile(dataFilePath, block.bytes());
}

namespace {

void ReadInto(SettingsBlock& block, const std::vector<uint8_t>& file) {
  auto bytes = block.bytes();
  std::fill(bytes.begin(), bytes.end(), 0);
  std::copy_n(file.begin(), std::min(file.size(), bytes.size()), bytes.begin());
}

// Writes the defaults and reads them back. False when the folder cannot
// hold the data file; the block then holds the defaults in memory.
bool Recreate(SettingsBlock& block, const std::string& path, SettingsLoadResult& result) {
  FileBytes file;
  std::string failure = CreateDefaultSettings(block, path);
  if (failure.empty()) {
    file = ReadWholeFile(path);
    failure = file ? "the new file reads back with another size" : file.reason;
  }
  if (!file || file.bytes.size() != kSize) {
    block.ResetToDefaults();
    result.messages.push_back(
        {kSettingsCannotCreateText, MessageIcon::Warning, kDefaultCaption, FileProblem(path, failure)});
    return false;
  }
  ReadInto(block, file.bytes);
  return true;
}

// The user's labels and paths are in a damaged file too, so it is kept
// beside the new one before that replaces it.
std::string KeepDamaged(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string copy = path + kDamagedSuffix;
  const std::string failure = SafeWriteFile(copy, bytes);
  if (!failure.empty())
    return "The damaged file could not be kept: " + FileProblem(copy, failure);
  return "The damaged file was kept as " + copy + ".";
}

}  // namespace

SettingsLoadResult LoadSettings(SettingsBlock& block, const std::string& folder) {
  SettingsLoadResult result;
  result.dataFilePath = (folder.empty() ? std::string(".") : folder) + "/" + kDataFileName;
  const std::string& path = result.dataFilePath;

  FileBytes file = ReadWholeFile(path);
  if (!file) {
    result.messages.push_back(
        {kSettingsMissingText, MessageIcon::Warning, kDefaultCaption, FileProblem(path, file.reason)});
    Recreate(block, path, result);
    return result;
  }
  ReadInto(block, file.bytes);
  // The size check below uses the length of this first file, even after a
  // bad header has replaced the block.
  const std::size_t length = file.bytes.size();

  const auto bytes = block.bytes();
  const bool headerOk = std::equal(kHeaderText.begin(), kHeaderText.end(), bytes.begin() + kHeader,
                                   [](char c, uint8_t b) { return b == static_cast<uint8_t>(c); });
  // A file too short to hold the size field, or of any length but the
  // block's own, cannot be an image of the block.
  const bool sizeOk = length >= kStoredSize + 4 && length == kSize &&
                      static_cast<std::size_t>(block.Int(kStoredSize)) == length;
  std::string kept;
  if (!headerOk || !sizeOk)
    kept = KeepDamaged(path, file.bytes);
  if (!headerOk) {
    result.messages.push_back({kSettingsBadHeaderText, MessageIcon::Warning, kDefaultCaption, kept});
    if (!Recreate(block, path, result))
      return result;
  }
  if (!sizeOk) {
    result.messages.push_back({kSettingsBadSizeText, MessageIcon::Warning, kDefaultCaption, kept});
    Recreate(block, path, result);
  }
  return result;
}

Messages SaveSettings(const SettingsBlock& block, const std::string& dataFilePath) {
  if (const std::string failure = SafeWriteFile(dataFilePath, block.bytes()); !failure.empty()) {
    return {Message{kSettingsNotFoundText, MessageIcon::Warning, kDefaultCaption,
                    FileProblem(dataFilePath, failure)}};
  }
  return {};
}

}  // namespace kivo
