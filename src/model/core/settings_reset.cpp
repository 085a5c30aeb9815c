#include "model/core/settings_reset.h"

#include <algorithm>
#include <array>

#include "model/core/file_io.h"

namespace kivo {

using namespace settings;

namespace {

constexpr ByteRange Path(std::size_t offset) {
  return {offset, kPathWidth};
}
constexpr ByteRange TablePath(int kind) {
  return Path(kTablePaths + kind * kPathWidth);
}
constexpr ByteRange Labels(const FieldSet& set) {
  return {set.offset, set.end() - set.offset};
}
constexpr ByteRange Int(std::size_t offset) {
  return {offset, 4};
}
constexpr ByteRange Colour(int index) {
  return {kCustomColours + 3 * index, 3};
}

// Two-field resets cover neighbouring fields, so one range holds both.
static_assert(kMapWindowHeight == kMapWindowWidth + 4);
static_assert(kMapWindowY == kMapWindowX + 4);

constexpr ResetGroup kFiles = ResetGroup::FileLocations;
constexpr ResetGroup kLabels = ResetGroup::Labels;
constexpr ResetGroup kCursors = ResetGroup::CursorSelections;
constexpr ResetGroup kColours = ResetGroup::CustomColours;
constexpr ResetGroup kEditor = ResetGroup::EditorSpecific;
constexpr ResetGroup kChecks = ResetGroup::CheckBoxes;

constexpr std::array<SettingsReset, kSettingsResetCount> kResets{{
    {1627, "Rom", kFiles, Path(kRomPath)},
    {1628, "Palette", kFiles, Path(kPalettePath)},
    {1629, "FF2 - Standard table", kFiles, TablePath(0)},
    {1630, "FF2 - DTE table", kFiles, TablePath(1)},
    {1631, "FF2 - Prototype table", kFiles, TablePath(2)},
    {1632, "FF2 - Prototype DTE", kFiles, TablePath(3)},
    {1633, "FF1 - Standard table", kFiles, TablePath(4)},
    {1634, "FF1 - DTE table", kFiles, TablePath(5)},
    {1643, "Map/Formation - Formations", kLabels, Labels(kFormationLabels)},
    {1644, "Weapon/Monster - Added effect", kLabels, Labels(kAddedEffectLabels)},
    {1645, "Monster - AI packs", kLabels, Labels(kAiScriptLabels)},
    {1646, "Shop", kLabels, Labels(kShopLabels)},
    {1647, "Weapon type", kLabels, Labels(kWeaponTypeLabels)},
    {1648, "Formation - Pattern tables", kLabels, Labels(kPatternTableLabels)},
    {1660, "Text - dialogue set 1", kLabels, Labels(kDialogueLabels1)},
    {1659, "Text - dialogue set 2", kLabels, Labels(kDialogueLabels2)},
    {1651, "Text - dialogue set 3", kLabels, Labels(kDialogueLabels3)},
    {1635, "Character", kCursors, Int(kSelectedCharacter)},
    {1619, "Equipment - Armor", kCursors, Int(kSelectedArmour)},
    {1642, "Equipment - Weapon", kCursors, Int(kSelectedWeapon)},
    {1636, "Formation", kCursors, Int(kSelectedFormation)},
    {1637, "Maps", kCursors, Int(kSelectedMap)},
    {1638, "Monster", kCursors, Int(kSelectedMonster)},
    {1639, "Shop", kCursors, Int(kSelectedShop)},
    {1640, "Spells", kCursors, Int(kSelectedSpell)},
    {1657, "Spells - AI", kCursors, Int(kSelectedSpellAi)},
    {1623, "Show last left click", kColours, Colour(0)},
    {1624, "Show last right click", kColours, Colour(1)},
    {1625, "Show in-game viewing area", kColours, Colour(2)},
    {1626, "Show domain grid", kColours, Colour(3)},
    {1653, "Map window size", kEditor, {kMapWindowWidth, 8}},
    {1654, "Map window position", kEditor, {kMapWindowX, 8}},
    {1655, "Map - left click tile selected", kEditor, Int(kCurrentMetatile)},
    {1656, "Map - right click tile selected", kEditor, Int(kRightClickMetatile)},
    {1685, "Map window status", kEditor, Int(kMapWindowState)},
    {1683, "Text - Prefer DTE", kChecks, {kPreferDte, 4 * kPreferDteCount}},
    {1684, "Map - Show grid", kChecks, Int(kMapGrid)},
}};

const SettingsBlock& Defaults() {
  static const SettingsBlock block = [] {
    SettingsBlock b;
    b.ResetToDefaults();
    return b;
  }();
  return block;
}

}  // namespace

std::string_view ResetGroupCaption(ResetGroup group) {
  switch (group) {
    case ResetGroup::FileLocations:
      return "File locations";
    case ResetGroup::Labels:
      return "Labels";
    case ResetGroup::CursorSelections:
      return "Cursor selections";
    case ResetGroup::CustomColours:
      return "Custom colors";
    case ResetGroup::EditorSpecific:
      return "Editor specific";
    case ResetGroup::CheckBoxes:
      return "Check boxes";
  }
  return {};
}

std::span<const SettingsReset> SettingsResets() {
  return kResets;
}

void ApplyReset(SettingsBlock& block, const SettingsReset& reset) {
  const ByteRange r = reset.range;
  if (r.end() > kSize)
    return;
  const auto from = Defaults().bytes().subspan(r.offset, r.size);
  std::copy(from.begin(), from.end(), block.bytes().begin() + r.offset);
}

CleanOutcome CleanSettings(SettingsBlock& block, std::span<const bool> ticked,
                           const std::string& dataFilePath) {
  CleanOutcome outcome;
  bool any = false;
  const std::size_t count = std::min(ticked.size(), kResets.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!ticked[i])
      continue;
    ApplyReset(block, kResets[i]);
    any = true;
  }
  outcome.messages.push_back({any ? kCleanDoneText : kCleanNothingText, MessageIcon::None});
  if (const std::string failure = SafeWriteFile(dataFilePath, block.bytes()); !failure.empty()) {
    outcome.messages.push_back({kCleanWriteFailedText, MessageIcon::Error, kDefaultCaption,
                                FileProblem(dataFilePath, failure)});
    return outcome;
  }
  outcome.written = true;
  return outcome;
}

}  // namespace kivo
