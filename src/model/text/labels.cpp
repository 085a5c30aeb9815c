#include "model/text/labels.h"

#include <array>

#include "model/core/utf8.h"

namespace kivo {
namespace {

using namespace std::string_view_literals;

constexpr std::array kShopNames = {
    "Altea - Weapon"sv,
    "Altea - Armor"sv,
    "Altea - Magic"sv,
    "Altea - Mithril Weapon"sv,
    "Altea - Mithril Armor"sv,
    "Gatea - Weapon"sv,
    "Gatea - Armor"sv,
    "Poft - Weapon"sv,
    "Poft - Armor"sv,
    "Poft - Magic"sv,
    "Unknown - Mithril"sv,
    "Salamando - Weapon"sv,
    "Salamando - Armor"sv,
    "Salamando - Magic"sv,
    "Bofsk - Weapon"sv,
    "Bofsk - Armor"sv,
    "Bofsk - Magic"sv,
    "Phin - Weapon"sv,
    "Phin - Armor"sv,
    "Phin - Magic"sv,
    "Mysidia - Weapon"sv,
    "Mysidia - Armor"sv,
    "Mysidia - Magic"sv,
    "Tropical Island - Misc."sv,
    "Item 1"sv,
    "Item 2"sv,
    "Item 3"sv,
    "Kivo Passage - Magic"sv,
};

constexpr std::array kAiPackNames = {
    "00 Wizard Ogre"sv,  "01 Skull"sv,        "02 Borgan"sv,        "03 Zombie Borgan"sv,
    "04 Wolf Devil"sv,   "05 Gotus"sv,        "06 Beast Demon"sv,   "07 Chimera"sv,
    "08 GChimera"sv,     "09 Sphinx"sv,       "0A Electric Fish"sv, "0B Emperor"sv,
    "0C Shade"sv,        "0D Sea Dragon"sv,   "0E Changer"sv,       "0F Brain"sv,
    "10 M.Sucker"sv,     "11 Vampire Girl"sv, "12 Vampire Lady"sv,  "13 Imp"sv,
    "14 Pit Fiend"sv,    "15 Basilisk"sv,     "16 Ice Lizard"sv,    "17 Salamander"sv,
    "18 Hecteyes"sv,     "19 Sand Worm"sv,    "1A Abyss Worm"sv,    "1B Unused"sv,
    "1C Soul"sv,         "1D Green Soul"sv,   "1E Red Soul"sv,      "1F Ghast"sv,
    "20 Specter"sv,      "21 Ghost"sv,        "22 Mantis Devil"sv,  "23 Stone Golem"sv,
    "24 Green Goblin"sv, "25 DesAngel"sv,     "26 Balloon"sv,       "27 Grenade"sv,
    "28 Mine"sv,         "29 Bomb"sv,         "2A Captain"sv,       "2B Fire Gigas"sv,
    "2C Mage"sv,         "2D Sorcerer"sv,     "2E Wizard"sv,        "2F Krull"sv,
    "30 Lamia"sv,        "31 Queen Lamia"sv,  "32 Ice Gigas"sv,     "33 Thunder Gigas"sv,
    "34 Green Dragon"sv, "35 Blue Dragon"sv,  "36 Tiamat"sv,        "37 Beelzebub"sv,
    "38 Astaroth"sv,     "39 Emperor"sv,
};

constexpr std::array kAddedEffectNames = {
    "Nothing"sv,
    "Inflict permanent ailment"sv,
    "Inflict temporary ailment"sv,
    "Drain HP"sv,
    "Drain MP"sv,
    "Ripper dagger effect"sv,
    "Healing"sv,
};

constexpr std::array kTemporaryAilmentNames = {
    "Poison"sv, "Sleep"sv, "Mute"sv, "Mini"sv, "Paralysis"sv, "Confusion"sv,
};

constexpr std::array kPermanentAilmentNames = {
    "Blind"sv, "Envenom"sv, "Curse"sv, "Amnesia"sv, "Toad"sv, "Petrify"sv, "Death"sv,
};

constexpr std::string_view kDialoguePattern = "Dialogue %d";

// In LabelSetId order.
constexpr std::array<LabelSet, kLabelSetCount> kLabelSets = {{
    {LabelSetId::Dialogue1, settings::kDialogueLabels1, 256, 0, kDialoguePattern, {}},
    {LabelSetId::Dialogue2, settings::kDialogueLabels2, 256, 0, kDialoguePattern, {}},
    {LabelSetId::Dialogue3, settings::kDialogueLabels3, 80, 0, kDialoguePattern, {}},
    {LabelSetId::Formations, settings::kFormationLabels, 128, 0, "Formation %d", {}},
    {LabelSetId::AiPacks, settings::kAiScriptLabels, 58, 1, {}, kAiPackNames},
    {LabelSetId::Shops, settings::kShopLabels, 28, 0, {}, kShopNames},
    {LabelSetId::AddedEffects, settings::kAddedEffectLabels, 7, 0, {}, kAddedEffectNames},
    {LabelSetId::PermanentAilments,
     settings::kPermanentAilmentLabels,
     7,
     0,
     {},
     kPermanentAilmentNames},
    {LabelSetId::TemporaryAilments,
     settings::kTemporaryAilmentLabels,
     6,
     0,
     {},
     kTemporaryAilmentNames},
    {LabelSetId::PatternTables, settings::kPatternTableLabels, 16, 0, "Pattern %d", {}},
}};

constexpr bool SetsAreConsistent() {
  for (std::size_t i = 0; i < kLabelSets.size(); ++i) {
    const LabelSet& s = kLabelSets[i];
    if (static_cast<std::size_t>(s.id) != i || s.rows > s.fields.count)
      return false;
    if (s.pattern.empty() && s.defaults.size() != static_cast<std::size_t>(s.rows))
      return false;
  }
  return true;
}
static_assert(SetsAreConsistent());

}  // namespace

const LabelSet& GetLabelSet(LabelSetId id) {
  return kLabelSets[static_cast<std::size_t>(id)];
}

std::string DefaultRowText(const LabelSet& set, int row) {
  const int field = set.FieldOf(row);
  if (field < 0)
    return {};
  if (set.pattern.empty())
    return std::string(set.defaults[field]);
  std::string text(set.pattern);
  const std::size_t at = text.find("%d");
  if (at != std::string::npos)
    text.replace(at, 2, std::to_string(row));
  return text;
}

std::string RowText(const SettingsBlock& settings, const LabelSet& set, int row) {
  const int field = set.FieldOf(row);
  if (field < 0)
    return {};
  std::string label = settings.Field(set.fields, field);
  return label.empty() ? DefaultRowText(set, row) : label;
}

std::vector<std::string> RowTexts(const SettingsBlock& settings, const LabelSet& set) {
  std::vector<std::string> texts;
  texts.reserve(set.rows);
  for (int row = set.firstRow; row < set.firstRow + set.rows; ++row) {
    texts.push_back(RowText(settings, set, row));
  }
  return texts;
}

std::string CutLabel(const LabelSet& set, std::string_view label) {
  // A zero byte would end the stored field early, so nothing after it is kept.
  return std::string(CutUtf8(label.substr(0, label.find('\0')), set.width() - 1));
}

bool SetLabel(SettingsBlock& settings, const LabelSet& set, int row, std::string_view label) {
  const int field = set.FieldOf(row);
  if (field < 0)
    return false;
  settings.SetField(set.fields, field, CutLabel(set, label));
  return true;
}

}  // namespace kivo
