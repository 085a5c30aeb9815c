#include "demo/demo_image.h"

#include <stdexcept>
#include <string_view>

#include "demo/demo_characters.h"
#include "demo/demo_equipment.h"
#include "demo/demo_formations.h"
#include "demo/demo_monsters.h"
#include "demo/demo_shops.h"
#include "demo/demo_spells.h"
#include "demo/demo_tables.h"
#include "demo/text_layout.h"
#include "model/core/rom_document.h"
#include "model/text/codec.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"

namespace kivo::demo {
namespace {

// Where the demo text lies. Each region ends where other game data or the end
// of its bank begins; placing text past it is a fault of this file.
struct Region {
  std::size_t start;
  std::size_t end;
};
// A bank mapped at 0x8000 ends at address 0xC000.
constexpr std::size_t BankEnd(std::size_t textBase) {
  return textBase + 0xC000;
}
constexpr Region kItemText{kItemNameTable.EntryOffset(kItemNameTable.count),
                           BankEnd(kItemTextBase)};
constexpr Region kBattleText{0x14010, kMonsterNameTable.offset};
constexpr Region kDialogue1Text{0x18210, BankEnd(0x10010)};
constexpr Region kDialogue3Text{0x34010, 0x37F12};

// The finger value of the demo's finger pairs.
constexpr uint8_t kDemoFinger = 0x01;

void CheckInside(const Region& region, std::size_t end) {
  if (end > region.end)
    throw std::logic_error("demo text runs past its region");
}

// ---- Names --------------------------------------------------------------

constexpr std::string_view kItems[] = {
    "Salve",      "Big Salve",  "Herb Tea",   "Antidote",   "Eye Drops",  "Wake Bell", "Soft Clay",
    "Rise Charm", "Honey",      "Star Water", "Moon Water", "Smoke Ball", "Ember Jar", "Frost Jar",
    "Spark Jar",  "Old Coin",   "Sea Shell",  "Tent",       "Cabin",      "Lantern",   "Rope",
    "Compass",    "Map Scrap",  "Iron Key",   "Brass Key",  "Ring Key",   "Sky Pass",  "Letter",
    "Seal",       "Bell",       "Flute",      "Mirror",     "Feather",    "Pearl",     "Amber",
    "Ruby Eye",   "Tide Stone", "Sun Stone",  "Moss Bread", "Dried Fish", "Clover",    "Candle",
    "Chalk",      "Ink Pot",    "Sketchbook", "Kivo Badge",
};
static_assert(std::size(kItems) == kItemIds.count());

constexpr std::string_view kSpells[] = {
    "Blaze", "Frost", "Spark", "Venom", "Sleep", "Quake", "Gust",  "Mend",  "Purge", "Shell",
    "Ward",  "Haste", "Slow",  "Mute",  "Blind", "Fear",  "Charm", "Drain", "Leech", "Doom",
    "Warp",  "Scan",  "Tide",  "Nova",  "Hush",  "Gleam", "Thorn", "Mire",  "Surge", "Bane",
    "Glow",  "Calm",  "Rally", "Veil",  "Stone", "Husk",  "Bolt",  "Shard", "Rift",  "Aegis",
};
static_assert(std::size(kSpells) == kSpellIds.count());
static_assert(std::size(kSpells) == kSpellScrollIds.count());

constexpr std::string_view kMiscellaneousWords[] = {"Gil",   "HP",    "MP",    "Level", "Exp",
                                                    "Power", "Skill", "Front", "Back"};
static_assert(std::size(kMiscellaneousWords) == kMiscellaneousWordIds.count());

constexpr std::string_view kKeywords[] = {
    "Harbor",     "Rebels",     "Beacon",  "Moonwell",   "Sky Ship",
    "Ember Gate", "Tide Bell",  "Oath",    "Storm King", "North Pass",
    "Crown",      "Lighthouse", "Archive", "Old Road",   "Heartstone",
};
static_assert(std::size(kKeywords) == kKeywordIds.count());

// Battle-only abilities, after the spells in the battle spell name table.
constexpr std::string_view kAbilities[] = {
    "Breath", "Bite", "Stare", "Howl", "Sting", "Roar",  "Spit",  "Tackle", "Glare",  "Screech",
    "Slam",   "Claw", "Gaze",  "Ink",  "Web",   "Spore", "Chill", "Scorch", "Shock",  "Whirl",
    "Lure",   "Wail", "Crush", "Dive", "Quill", "Mist",  "Ember", "Squall", "Tremor", "Curse",
};
static_assert(std::size(kSpells) + std::size(kAbilities) == kSpellNameTable.count);

constexpr std::string_view kMonsterKinds[] = {
    "Goblin", "Wolf",   "Bat",  "Slime",  "Toad", "Wasp",  "Crab",  "Golem",
    "Wisp",   "Lizard", "Ogre", "Mantis", "Eel",  "Raven", "Shade", "Drake"};
constexpr std::string_view kMonsterKins[] = {"",     "Red ", "Cave ", "Hill ",
                                             "Sea ", "Ice ", "Dark ", "Elder "};
static_assert(std::size(kMonsterKinds) * std::size(kMonsterKins) == kMonsterNameTable.count);

// clang-format off
constexpr std::string_view kBattleMessages[] = {
    "Critical hit!", "Missed!", "Ran away", "Could not escape", "Ambushed!", "Preemptive strike",
    "Poisoned", "Blinded", "Silenced", "Asleep", "Paralyzed", "Confused", "Turned to stone",
    "Cursed", "Shrank", "Turned into a toad", "Fell", "Recovered", "Revived", "HP up", "MP up",
    "Strength up", "Agility up", "Stamina up", "Intellect up", "Spirit up", "Magic up", "Level up!",
    "Skill up!", "Learned a spell", "Gained gil", "Found an item", "Ineffective", "Absorbed",
    "Reflected", "Barrier broke", "Evaded", "Countered", "Defending", "Waiting", "Nothing happened",
    "Out of MP", "Can't use that", "Party defeated", "Victory!", "Enemies appear", "Enemy fled",
    "Stole an item", "Swallowed", "Split in two", "Called for help", "Help arrived", "Charging up",
    "Released power", "Speed down", "Defense down", "Attack down", "Evasion up", "Defense up",
    "Attack up", "Took damage", "Drained HP", "Drained MP", "Healed", "Cured", "Cleansed",
    "Warped out", "Scanned", "Weak to fire", "Weak to ice", "Weak to lightning", "Weak to earth",
    "Resists fire", "Resists ice", "Resists lightning", "Resists earth", "Immune", "Doomed",
    "Erased", "Grew back", "Back row", "Front row", "Out of range", "Too far away", "Hit twice",
    "Hit three times", "Combo!", "Broke the weapon", "Dropped the shield", "Arrows ran out",
    "Sleeping deeply", "Woke up", "Fell asleep", "Trembling", "Shook it off", "Steady", "Fading",
    "Vanished", "Returned",
};
// clang-format on
static_assert(std::size(kBattleMessages) == kBattleMessageTable.count);

constexpr std::string_view kCharacters[] = {"Rowan", "Mira", "Tobin", "Kael", "Lyra",
                                            "Osric", "Wren", "Sable", "Corin"};
static_assert(std::size(kCharacters) == kCharacterCount);

// ---- Dialogue -----------------------------------------------------------

struct DialogueLine {
  int row;
  std::string_view label;
  std::string_view text;
};

constexpr DialogueLine kDialogue1[] = {
    {0, "Welcome sign",
     "Welcome to the demo island!\r\nEvery name and line in this\r\nimage is made up for Kivo."},
    {1, "Harbor master",
     "Harbor master: The sea is\r\ncalm today. Take a Tent and\r\nsome Salve before you sail."},
    {2, "Beacon question", "Have you heard of the Beacon?\r\n[F]Yes  [F]No"},
    {3, "Rebel scout", "The rebels meet in the old\r\nlighthouse after dark."},
    {4, "Gate guard", "Rowan! You made it.\r\nMira is waiting at the gate."},
    {5, "Shopkeeper", "Welcome! Buy, sell,\r\nor just look around?"},
};
constexpr DialogueLine kDialogue2[] = {
    {0, "Moonwell keeper", "The Moonwell glows only\r\nwhen the tide is high."},
    {1, "Collector", "Bring me a Sea Shell and I\r\nwill tell you a secret."},
    {2, "Sleeper", "Zzz... the Sky Ship... zzz"},
    // Two guards, one line: each has its copy, as in the game, so the bank
    // has room that Make room can give to a longer text.
    {3, "East gate guard", "Halt! The castle is closed\r\nuntil dawn."},
    {4, "West gate guard", "Halt! The castle is closed\r\nuntil dawn."},
};
constexpr DialogueLine kDialogue3[] = {
    {0, "Old sailor", "The Storm King waits beyond\r\nthe North Pass."},
    {1, "Farewell", "Thank you for trying Kivo!"},
};

std::span<const DialogueLine> DialogueSet(int set) {
  switch (set) {
    case 1:
      return kDialogue1;
    case 2:
      return kDialogue2;
    case 3:
      return kDialogue3;
    default:
      return {};
  }
}

const DialogueLine* FindDialogue(int set, int row) {
  for (const DialogueLine& line : DialogueSet(set)) {
    if (line.row == row)
      return &line;
  }
  return nullptr;
}

// ---- Placing text ---------------------------------------------------------

// Every entry of a pointer table, texts one after another from `at`.
std::size_t PlaceNames(TextLayout& layout, const PointerTable& table, std::size_t at,
                       std::string (*name)(int)) {
  for (int row = 0; row < table.count; ++row) {
    layout.Pointer(table.offset, row, table.textBase, at);
    at = layout.String(at, name(row));
  }
  return at;
}

// The demo dialogue of `set`; every other row leads to one empty string.
std::size_t PlaceDialogue(ImageBuilder& image, const CharTable& dte, const KeywordNames& keywords,
                          int set, std::size_t at) {
  const TextCategory& category = GetTextCategory(kFirstDialogueCategory + set - 1);
  TextLayout layout(image, dte);
  layout.Keywords(&keywords, kDemoFinger);
  const std::size_t empty = at;
  at = layout.String(at, "");
  for (int row = 0; row < category.rows; ++row)
    layout.Pointer(category.pointerTable, row, category.textBase, empty);
  for (const DialogueLine& line : DialogueSet(set)) {
    layout.Pointer(category.pointerTable, line.row, category.textBase, at);
    at = layout.String(at, line.text);
  }
  return at;
}

void PlaceDemoText(ImageBuilder& image) {
  const CharTable standard = DemoStandardTable();
  const CharTable dte = DemoDteTable();
  TextLayout names(image, standard);

  std::size_t itemEnd = PlaceNames(names, kItemNameTable, kItemText.start, DemoItemName);

  std::size_t battle = kBattleText.start;
  battle = PlaceNames(names, kSpellNameTable, battle, DemoSpellName);
  battle = PlaceNames(names, kMonsterNameTable, battle, DemoMonsterName);
  battle = PlaceNames(names, kBattleMessageTable, battle, DemoBattleMessage);
  CheckInside(kBattleText, battle);

  for (int row = 0; row < kCharacterCount; ++row) {
    names.Fixed(kCharacterNames + kCharacterRecordSize * row, kCharacterNameSize, kCharacters[row],
                kDemoBlankCode);
  }

  // Dialogue refers to item names as keywords, as the Text page encodes it.
  KeywordNames keywords{};
  for (int id = 1; id < 256; ++id)
    keywords[id] = DemoItemName(id).substr(0, kKeywordNameBytes);
  CheckInside(kDialogue1Text, PlaceDialogue(image, dte, keywords, 1, kDialogue1Text.start));
  itemEnd = PlaceDialogue(image, dte, keywords, 2, itemEnd);
  CheckInside(kItemText, itemEnd);
  CheckInside(kDialogue3Text, PlaceDialogue(image, dte, keywords, 3, kDialogue3Text.start));
}

template <std::size_t N>
std::string At(const std::string_view (&list)[N], int i) {
  return i >= 0 && i < static_cast<int>(N) ? std::string(list[i]) : std::string();
}

}  // namespace

std::string DemoItemName(int itemId) {
  auto in = [itemId](ItemIdRange r) { return itemId >= r.first && itemId <= r.last; };
  if (in(kItemIds))
    return At(kItems, itemId - kItemIds.first);
  if (in(kMiscellaneousWordId))
    return "Empty";
  if (in(kWeaponIds))
    return DemoWeaponName(itemId - kWeaponIds.first + 1);
  if (in(kArmourIds))
    return DemoArmourName(itemId - kArmourIds.first + 1);
  if (in(kSpellScrollIds))
    return At(kSpells, itemId - kSpellScrollIds.first) + " Tome";
  if (in(kSpellIds))
    return At(kSpells, itemId - kSpellIds.first);
  if (in(kMiscellaneousWordIds))
    return At(kMiscellaneousWords, itemId - kMiscellaneousWordIds.first);
  if (in(kKeywordIds))
    return At(kKeywords, itemId - kKeywordIds.first);
  return {};  // id 0 and the unused id 0x30
}

std::string DemoSpellName(int row) {
  const int spells = std::size(kSpells);
  return row < spells ? At(kSpells, row) : At(kAbilities, row - spells);
}

std::string DemoMonsterName(int row) {
  const int kinds = std::size(kMonsterKinds);
  if (row < 0)
    return {};
  return At(kMonsterKins, row / kinds) + At(kMonsterKinds, row % kinds);
}

std::string DemoBattleMessage(int row) {
  return At(kBattleMessages, row);
}

std::string DemoCharacterName(int row) {
  std::string name = At(kCharacters, row);
  name.resize(kCharacterNameSize, ' ');
  return name;
}

std::string DemoDialogue(int set, int row) {
  const DialogueLine* line = FindDialogue(set, row);
  return line ? std::string(line->text) : std::string();
}

std::string DemoDialogueLabel(int set, int row) {
  const DialogueLine* line = FindDialogue(set, row);
  return line ? std::string(line->label) : std::string();
}

void PlaceDemoImage(ImageBuilder& image) {
  image.Release(kDemoRelease);
  PlaceDemoText(image);
  PlaceDemoCharacters(image, DemoStandardTable());
  PlaceDemoEquipment(image);
  PlaceDemoMonsters(image);
  PlaceDemoFormations(image);
  PlaceDemoShops(image);
  PlaceDemoSpells(image);
  PlaceDemoWorld(image);
}

std::vector<uint8_t> BuildDemoImage() {
  ImageBuilder image;
  PlaceDemoImage(image);
  return image.Build();
}

}  // namespace kivo::demo
