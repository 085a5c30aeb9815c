#pragma once
// The settings block: the byte image of Kivo.dat. Every field has a named
// offset here and is read and written in place through typed accessors;
// nothing is converted on the way to or from the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/core/message.h"

namespace kivo {

// An array of fixed-width text fields inside the block.
struct FieldSet {
  std::size_t offset;
  int count;
  std::size_t width;
  constexpr std::size_t end() const { return offset + count * width; }
};

namespace settings {

inline constexpr std::size_t kSize = 0xD2A4;

inline constexpr std::size_t kHeader = 0x0000;
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::string_view kHeaderText{"Kivo v0.2d     \0", 16};

inline constexpr std::size_t kPathWidth = 260;
inline constexpr std::size_t kRomPath = 0x0010;
inline constexpr std::size_t kPalettePath = 0x0114;
// Table paths, one per table kind 0..5, in kind order.
inline constexpr std::size_t kTablePaths = 0x0218;
inline constexpr int kTableKinds = 6;

inline constexpr std::size_t kMapGrid = 0x0830;
inline constexpr std::size_t kMapShowLeftClick = 0x0834;
inline constexpr std::size_t kMapShowRightClick = 0x0838;
inline constexpr std::size_t kMapShowViewingArea = 0x083C;
inline constexpr std::size_t kMapMysidiaCompleted = 0x0840;
inline constexpr std::size_t kPreferDte = 0x0844;  // 0x844 + 4 x category
inline constexpr int kPreferDteCount = 20;
inline constexpr std::size_t kFormation2 = 0x0894;
inline constexpr std::size_t kStoredSize = 0x0898;
inline constexpr std::size_t kCustomColours = 0x089C;  // four of red, green, blue
inline constexpr int kCustomColourCount = 4;

inline constexpr FieldSet kDialogueLabels1{0x08A8, 256, 40};
inline constexpr FieldSet kDialogueLabels2{0x30A8, 256, 40};
inline constexpr FieldSet kDialogueLabels3{0x58A8, 256, 40};
inline constexpr FieldSet kFormationLabels{0x80A8, 128, 40};
inline constexpr FieldSet kAiScriptLabels{0x94A8, 58, 40};
inline constexpr FieldSet kShopLabels{0x9DB8, 28, 40};
inline constexpr FieldSet kAddedEffectLabels{0xA218, 7, 30};
inline constexpr FieldSet kPermanentAilmentLabels{0xA2EA, 7, 13};
inline constexpr FieldSet kTemporaryAilmentLabels{0xA345, 6, 13};
inline constexpr FieldSet kSpellNameCache{0xA393, 71, 16};
inline constexpr FieldSet kKeywordNameCache{0xA803, 256, 40};
inline constexpr FieldSet kWeaponTypeLabels{0xD003, 8, 13};
inline constexpr FieldSet kPatternTableLabels{0xD06B, 16, 30};
inline constexpr std::size_t kPadding = 0xD24B;

inline constexpr std::size_t kConfigDumpRow = 0xD24C;
inline constexpr std::size_t kSelectedArmour = 0xD250;
inline constexpr std::size_t kSelectedCharacter = 0xD254;
inline constexpr std::size_t kSelectedFormation = 0xD258;
inline constexpr std::size_t kSelectedMap = 0xD25C;
inline constexpr std::size_t kMapWindowState = 0xD260;  // 0 minimised, 1 restored, 2 maximised
inline constexpr std::size_t kMapWindowWidth = 0xD264;
inline constexpr std::size_t kMapWindowHeight = 0xD268;
inline constexpr std::size_t kMapWindowX = 0xD26C;
inline constexpr std::size_t kMapWindowY = 0xD270;
inline constexpr std::size_t kEncounterIndex = 0xD274;
inline constexpr std::size_t kCurrentMetatile = 0xD278;
inline constexpr std::size_t kRightClickMetatile = 0xD27C;
inline constexpr std::size_t kLeftClickCell = 0xD280;   // column, then row
inline constexpr std::size_t kRightClickCell = 0xD288;  // column, then row
inline constexpr std::size_t kSelectedMonster = 0xD290;
inline constexpr std::size_t kSelectedShop = 0xD294;
inline constexpr std::size_t kSelectedSpell = 0xD298;
inline constexpr std::size_t kSelectedSpellAi = 0xD29C;
inline constexpr std::size_t kSelectedWeapon = 0xD2A0;

// The fields tile the block exactly.
static_assert(kTablePaths + kTableKinds * kPathWidth == 0x072C + kPathWidth);
static_assert(kPreferDte + 4 * kPreferDteCount == kFormation2);
static_assert(kCustomColours + 3 * kCustomColourCount == kDialogueLabels1.offset);
static_assert(kDialogueLabels1.end() == kDialogueLabels2.offset);
static_assert(kDialogueLabels2.end() == kDialogueLabels3.offset);
static_assert(kDialogueLabels3.end() == kFormationLabels.offset);
static_assert(kFormationLabels.end() == kAiScriptLabels.offset);
static_assert(kAiScriptLabels.end() == kShopLabels.offset);
static_assert(kShopLabels.end() == kAddedEffectLabels.offset);
static_assert(kAddedEffectLabels.end() == kPermanentAilmentLabels.offset);
static_assert(kPermanentAilmentLabels.end() == kTemporaryAilmentLabels.offset);
static_assert(kTemporaryAilmentLabels.end() == kSpellNameCache.offset);
static_assert(kSpellNameCache.end() == kKeywordNameCache.offset);
static_assert(kKeywordNameCache.end() == kWeaponTypeLabels.offset);
static_assert(kWeaponTypeLabels.end() == kPatternTableLabels.offset);
static_assert(kPatternTableLabels.end() == kPadding);
static_assert(kSelectedWeapon + 4 == kSize);

inline constexpr const char* kDataFileName = "Kivo.dat";

}  // namespace settings

enum class PathField {
  Rom,
  Palette,
  Ff2StandardTable,
  Ff2StandardDteTable,
  Ff2PrototypeTable,
  Ff2PrototypeDteTable,
  Ff1StandardTable,
  Ff1StandardDteTable,
};

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr const char* kPathTooLongText =
    "This path is too long to be remembered: Kivo keeps paths of at most 259 bytes.";

class SettingsBlock {
 public:
  SettingsBlock() { bytes_.fill(0); }

  std::span<uint8_t> bytes() { return bytes_; }
  std::span<const uint8_t> bytes() const { return bytes_; }

  // Header, every field zero, then the defaults that are not zero.
  void ResetToDefaults();

  int32_t Int(std::size_t offset) const;
  void SetInt(std::size_t offset, int32_t value);
  bool Flag(std::size_t offset) const { return Int(offset) != 0; }
  void SetFlag(std::size_t offset, bool on) { SetInt(offset, on ? 1 : 0); }

  // Text of a zero-terminated field (the whole width when no zero ends it).
  std::string Text(std::size_t offset, std::size_t width) const;
  // Stores text cut to width - 1 bytes at a character boundary, zero-padded.
  void SetText(std::size_t offset, std::size_t width, std::string_view text);

  std::string Field(const FieldSet& set, int index) const;
  void SetField(const FieldSet& set, int index, std::string_view text);

  static std::size_t PathOffset(PathField field);
  std::string Path(PathField field) const;
  // Refuses a path that does not fit whole (a cut path would point elsewhere).
  std::optional<Message> SetPath(PathField field, std::string_view path);

  Rgb CustomColour(int index) const;
  void SetCustomColour(int index, Rgb colour);

  bool PreferDte(int category) const;
  void SetPreferDte(int category, bool on);

 private:
  std::array<uint8_t, settings::kSize> bytes_;
};

inline constexpr const char* kSettingsMissingText = "Data file does not exist, creating...";
inline constexpr const char* kSettingsBadHeaderText = "Improper header, creating new data file...";
inline constexpr const char* kSettingsBadSizeText = "Improper file size, creating new data file...";
inline constexpr const char* kSettingsCannotCreateText =
    "Kivo cannot create its data file in this folder.\n\nThe program will run with default "
    "settings, and the settings of this run will not be kept.";
inline constexpr const char* kSettingsNotFoundText = "Data file not found!";

struct SettingsLoadResult {
  Messages messages;         // to show in order, each with the warning icon
  std::string dataFilePath;  // where SaveSettings writes from now on
};

// Fills the block with its defaults and writes it to `dataFilePath`.
// Returns why the file could not be written (empty when it was); the block
// holds the defaults either way.
std::string CreateDefaultSettings(SettingsBlock& block, const std::string& dataFilePath);

// A damaged data file is kept under its name with this added before the
// defaults replace it; a newer damaged file replaces an older copy.
inline constexpr const char* kDamagedSuffix = ".damaged";

// Reads Kivo.dat from `folder` into the block, replacing a missing or
// damaged file by the defaults.
SettingsLoadResult LoadSettings(SettingsBlock& block, const std::string& folder);

// Writes the block to the data file; on failure the message to show.
Messages SaveSettings(const SettingsBlock& block, const std::string& dataFilePath);

}  // namespace kivo
