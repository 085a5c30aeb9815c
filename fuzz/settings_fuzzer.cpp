// Kivo.dat of any bytes: loaded as at start-up (a damaged file gives way to
// the defaults), then read through every accessor and written through the
// text setters with text from the same input.

#include <algorithm>
#include <string>

#include "model/core/bytes.h"
#include "model/core/settings.h"
#include "model/core/settings_reset.h"
#include "model/core/utf8.h"
#include "model/text/codec.h"
#include "model/text/labels.h"
#include "model/text/spell_names.h"
#include "model/text/text_encoding.h"
#include "support.h"

using namespace kivo;
using namespace kivo::settings;

namespace {

constexpr FieldSet kFieldSets[] = {
    kDialogueLabels1,        kDialogueLabels2, kDialogueLabels3,   kFormationLabels,
    kAiScriptLabels,         kShopLabels,      kAddedEffectLabels, kPermanentAilmentLabels,
    kTemporaryAilmentLabels, kSpellNameCache,  kKeywordNameCache,  kWeaponTypeLabels,
    kPatternTableLabels,
};

constexpr std::size_t kIntFields[] = {
    kMapGrid,
    kMapShowLeftClick,
    kMapShowRightClick,
    kMapShowViewingArea,
    kMapMysidiaCompleted,
    kFormation2,
    kStoredSize,
    kConfigDumpRow,
    kSelectedArmour,
    kSelectedCharacter,
    kSelectedFormation,
    kSelectedMap,
    kMapWindowState,
    kMapWindowWidth,
    kMapWindowHeight,
    kMapWindowX,
    kMapWindowY,
    kEncounterIndex,
    kCurrentMetatile,
    kRightClickMetatile,
    kLeftClickCell,
    kLeftClickCell + 4,
    kRightClickCell,
    kRightClickCell + 4,
    kSelectedMonster,
    kSelectedShop,
    kSelectedSpell,
    kSelectedSpellAi,
    kSelectedWeapon,
    // Offsets that do not hold a whole field read as 0.
    kSize - 3,
    kSize,
    static_cast<std::size_t>(-1),
};

void ReadEverything(const SettingsBlock& block) {
  for (const std::size_t offset : kIntFields) {
    const int32_t value = block.Int(offset);
    KIVO_FUZZ_CHECK(block.Flag(offset) == (value != 0));
    KIVO_FUZZ_CHECK(offset + 4 <= kSize || value == 0);
  }
  for (const FieldSet& set : kFieldSets) {
    for (int i = -1; i <= set.count; ++i)
      KIVO_FUZZ_CHECK(block.Field(set, i).size() <= set.width);
  }
  for (int field = 0; field <= static_cast<int>(PathField::Ff1StandardDteTable); ++field)
    KIVO_FUZZ_CHECK(block.Path(static_cast<PathField>(field)).size() <= kPathWidth);
  KIVO_FUZZ_CHECK(block.Text(kHeader, kHeaderSize).size() <= kHeaderSize);
  KIVO_FUZZ_CHECK(block.Text(kSize - 1, 100).size() <= 1);
  for (int i = -1; i <= kCustomColourCount; ++i)
    block.CustomColour(i);
  for (int i = -1; i <= kPreferDteCount; ++i)
    block.PreferDte(i);
  for (int id = 0; id < kLabelSetCount; ++id) {
    const LabelSet& set = GetLabelSet(static_cast<LabelSetId>(id));
    KIVO_FUZZ_CHECK(RowTexts(block, set).size() == static_cast<std::size_t>(set.rows));
    for (int row = -1; row <= set.firstRow + set.rows; ++row)
      RowText(block, set, row);
  }
  ReadKeywordNames(block);
  for (int i = -1; i <= kSpellNameCache.count; ++i)
    SpellCacheName(block, i);
}

// Stored text is a prefix of what was given, shorter than its field, and
// never ends inside a character of valid text.
void CheckStored(const std::string& stored, std::string_view given, std::size_t width) {
  const std::string_view wanted = given.substr(0, given.find('\0'));
  KIVO_FUZZ_CHECK(stored.size() < width);
  KIVO_FUZZ_CHECK(wanted.substr(0, stored.size()) == stored);
  KIVO_FUZZ_CHECK(stored == CutUtf8(wanted, width - 1));
  const auto bytes = [](std::string_view s) {
    return std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  if (IsValidUtf8(bytes(wanted)))
    KIVO_FUZZ_CHECK(IsValidUtf8(bytes(stored)));
}

}  // namespace

// A sound file has exactly kSize bytes; a few more make it a damaged one.
KIVO_FUZZ_MAX_LEN(kSize + 8)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  fuzz::WriteScratchFile(kDataFileName, bytes);
  SettingsBlock block;
  const SettingsLoadResult loaded = LoadSettings(block, fuzz::ScratchFolder());
  KIVO_FUZZ_CHECK(loaded.dataFilePath == fuzz::ScratchFolder() + "/" + kDataFileName);

  const auto held = block.bytes();
  SettingsBlock defaults;
  defaults.ResetToDefaults();
  const bool intact = size == kSize &&
                      std::equal(kHeaderText.begin(), kHeaderText.end(), data,
                                 [](char c, uint8_t b) { return b == static_cast<uint8_t>(c); }) &&
                      ReadLe32(bytes, kStoredSize) == kSize;
  if (intact) {
    // A sound file is taken byte for byte, with no message.
    KIVO_FUZZ_CHECK(loaded.messages.empty());
    KIVO_FUZZ_CHECK(std::equal(held.begin(), held.end(), bytes.begin(), bytes.end()));
  } else {
    // Anything else gives way to the defaults after a message.
    KIVO_FUZZ_CHECK(!loaded.messages.empty());
    KIVO_FUZZ_CHECK(std::equal(held.begin(), held.end(), defaults.bytes().begin()));
  }

  ReadEverything(block);

  // Each reset restores its own bytes and no others.
  for (const SettingsReset& reset : SettingsResets()) {
    SettingsBlock cleaned = block;
    ApplyReset(cleaned, reset);
    const auto now = cleaned.bytes(), was = block.bytes(), fresh = defaults.bytes();
    const ByteRange r = reset.range;
    KIVO_FUZZ_CHECK(r.end() <= kSize);
    KIVO_FUZZ_CHECK(std::equal(now.begin(), now.begin() + r.offset, was.begin()));
    KIVO_FUZZ_CHECK(
        std::equal(now.begin() + r.offset, now.begin() + r.end(), fresh.begin() + r.offset));
    KIVO_FUZZ_CHECK(std::equal(now.begin() + r.end(), now.end(), was.begin() + r.end()));
  }

  // Text from the input into every kind of text field.
  const std::string_view text(reinterpret_cast<const char*>(data),
                              std::min<std::size_t>(size, 300));
  for (const FieldSet& set : kFieldSets) {
    block.SetField(set, set.count - 1, text);
    CheckStored(block.Field(set, set.count - 1), text, set.width);
    block.SetField(set, set.count, text);  // no such field: nothing happens
  }
  block.SetText(kSize - 2, 100, text);
  CheckStored(block.Text(kSize - 2, 100), text, 2);
  const SettingsBlock beforePath = block;
  if (block.SetPath(PathField::Rom, text)) {
    KIVO_FUZZ_CHECK(
        std::equal(block.bytes().begin(), block.bytes().end(), beforePath.bytes().begin()));
  } else {
    KIVO_FUZZ_CHECK(block.Path(PathField::Rom) == text);
  }
  ReadEverything(block);
  return 0;
}
