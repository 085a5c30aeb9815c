#include "ui/editors/monster_page.h"

#include "demo/demo_monsters.h"
#include "ui/page_test.h"

namespace kivo {
namespace {

constexpr auto Record = [](int n) { return 0x307D3 + 10 * static_cast<std::size_t>(n); };
constexpr auto Hp = [](int i) { return 0x30CD3 + 2 * static_cast<std::size_t>(i); };
constexpr std::size_t kStrength = 0x30D33, kEffects = 0x30D43, kElements = 0x30D73;
constexpr std::size_t kPacks = 0x30D83, kSpoilsIndex = 0x17790, kSpoils = 0x17810;
constexpr std::size_t kGil = 0x179F0;

// Monster list, index lists and value boxes, by id.
constexpr int kMonsterList = 1067;
constexpr int kHpIndex = 1075, kMpIndex = 1076, kHpBox = 1031, kMpBox = 1032;
constexpr int kStrIndex = 1077, kDefIndex = 1078, kDefBox = 1034, kMoraleBox = 1035;
constexpr int kHitsBox = 1036, kEffectSet = 1115, kEffectList = 1114, kFirstAilment = 1116;
constexpr int kSpoilsSet = 1045, kAiPack = 1104, kChangeLabel = 1105, kFirstAction = 1106;
constexpr int kSpoilsSlots[] = {1123, 1068, 1069, 1070, 1071, 1072, 1073, 1074};
constexpr int kGilButtons[] = {1423, 1424, 1419, 1420, 1417, 1418, 1421, 1422};
constexpr int kWeaknessBoxes[] = {1247, 1249, 1250, 1251, 1252, 1253, 1254, 1255};
constexpr int kAbsorbBoxes[] = {1239, 1240, 1241, 1242, 1243, 1244, 1245, 1246};

using test::DemoImage;
using test::Find;

// A monster whose every index selects entry `i`, with AI pack `pack` and spoils set `set`.
demo::ImageBuilder& SameIndexes(demo::ImageBuilder& image, int n, uint8_t i, uint8_t pack,
                                uint8_t set) {
  const auto both = static_cast<uint8_t>(i << 4 | i);
  return image.Bytes(Record(n), {pack, i, i, both, both, both, both, both, both, both})
      .Byte(kSpoilsIndex + n, set);
}

class MonsterPageTest : public test::PageTest<ui::MonsterPage> {
 protected:
  void Open(const demo::ImageBuilder& image, int remembered) {
    settings.SetInt(settings::kSelectedMonster, remembered);
    PageTest::Open(image);
  }
  QListWidget* Monsters() { return List(kMonsterList); }
  void Select(int monster) { Monsters()->setCurrentRow(monster); }
  int Row(int id) { return Combo(id)->currentIndex(); }
};

TEST_F(MonsterPageTest, RefreshFillsEveryListAndShowsTheRememberedMonster) {
  settings.SetField(settings::kAiScriptLabels, 2, "Borgan, renamed");
  Open(DemoImage(), demo::kDemoRedDrakeRow);

  EXPECT_EQ(Monsters()->item(31)->text().toStdString(), demo::DemoMonsterName(31));
  EXPECT_EQ(page->loadedIndex(), demo::kDemoRedDrakeRow);
  // Spoils: "Nothing", the items, then the gil amounts as stored.
  QComboBox* slot = Combo(kSpoilsSlots[7]);
  EXPECT_EQ(slot->itemText(0), QStringLiteral("Nothing"));
  EXPECT_EQ(slot->itemText(191).toStdString(), demo::DemoItemName(0xBF));
  EXPECT_EQ(Combo(kAiPack)->itemText(3), QStringLiteral("Borgan, renamed"));
  // Actions: "Attack", then the spell records.
  EXPECT_EQ(Combo(kFirstAction + 7)->itemText(1).toStdString(), demo::DemoSpellName(0) + " 1");

  // The red drake as the demo made it: no AI pack, weak to ice, absorbs fire.
  EXPECT_EQ(Row(kAiPack), 0);
  EXPECT_TRUE(Box(kWeaknessBoxes[7])->isChecked());
  EXPECT_TRUE(Box(kAbsorbBoxes[1])->isChecked());
  EXPECT_EQ(Text(kHpBox), QString::number(Word(Hp(Byte(Record(31) + 1)))));
}

TEST_F(MonsterPageTest, SharedEntriesFollowTheSaveOrder) {
  demo::ImageBuilder image = DemoImage();
  SameIndexes(image, 10, 4, 0xFF, 0);
  SameIndexes(image, 11, 4, 0xFF, 0);
  Open(image, 10);

  // HP index equal to MP index: both boxes show one value; MP is stored last.
  EXPECT_EQ(Text(kHpBox), Text(kMpBox));
  Type(kHpBox, QStringLiteral("1234"));
  Type(kMpBox, QStringLiteral("4321"));
  // Def and Morale share an entry: Morale is stored last.
  Type(kDefBox, QStringLiteral("20"));
  Type(kMoraleBox, QStringLiteral("30"));
  // Weakness and absorb share an entry: the union of both groups' ticks.
  for (int k = 0; k < 8; ++k) {
    Box(kWeaknessBoxes[k])->setChecked(k == 1);
    Box(kAbsorbBoxes[k])->setChecked(k == 7);
  }
  Select(11);  // stores monster 10, shows monster 11 with the same indexes
  EXPECT_EQ(Word(Hp(4)), 4321);
  EXPECT_EQ(Byte(kStrength + 4), 30);
  EXPECT_EQ(Byte(kElements + 4), 0x82);
  // Two monsters with HP index 4: the other shows the stored value.
  EXPECT_EQ(Text(kHpBox), QStringLiteral("4321"));
  EXPECT_EQ(Text(kDefBox), QStringLiteral("30"));
  EXPECT_TRUE(Box(kWeaknessBoxes[7])->isChecked());
  EXPECT_TRUE(Box(kAbsorbBoxes[1])->isChecked());
  // Unticking on a shared entry clears the bit for both groups.
  Box(kWeaknessBoxes[1])->setChecked(false);
  Box(kAbsorbBoxes[1])->setChecked(false);
  page->save();
  EXPECT_EQ(Byte(kElements + 4), 0x80);

  // Values are clamped, and an empty box reads as 0.
  Type(kHpBox, QStringLiteral("70000"));
  Type(kMpBox, QStringLiteral("70000"));
  Type(kHitsBox, QStringLiteral("5"));
  Type(1038, QStringLiteral("300"));  // M.Def: the last of Hits, Blocks, M.Def
  Type(kMoraleBox, QString());
  page->save();
  EXPECT_EQ(Word(Hp(4)), 0xFFFF);
  EXPECT_EQ(Byte(0x30D13 + 4), 255);
  EXPECT_EQ(Byte(kStrength + 4), 0);
  EXPECT_EQ(Text(kHpBox), QStringLiteral("65535"));

  // Leaving a box or picking a row stores at once, in the same order.
  Leave(kMpBox, QStringLiteral("4321"));
  Leave(kHpBox, QStringLiteral("1"));
  EXPECT_EQ(Word(Hp(4)), 4321);
  EXPECT_EQ(Text(kHpBox), QStringLiteral("1"));
  Pick(kStrIndex, 9);
  emit Combo(kStrIndex)->activated(9);
  EXPECT_EQ(Byte(Record(11) + 4), 0x94);
  // Another page's edit of a shared entry shows at once.
  page->followImage(document.Apply([](const RomView& rom) { rom.SetWord(Hp(4), 77); }));
  EXPECT_EQ(Text(kHpBox), QStringLiteral("77"));
}

TEST_F(MonsterPageTest, MovingBetweenMonstersNeverLosesAnEdit) {
  Open(DemoImage(), 40);

  // Index lists, the AI action and a spoils slot; Morale typed before
  // another index list changes.
  const std::pair<int, int> picks[] = {{kHpIndex, 30},
                                       {kStrIndex, 9},
                                       {kDefIndex, 2},
                                       {kFirstAction + 2, 100},
                                       {kSpoilsSlots[3], 7}};
  Pick(kHpIndex, 30);
  Type(kHpBox, QStringLiteral("8888"));
  Pick(kStrIndex, 9);
  Type(kMoraleBox, QStringLiteral("77"));
  for (auto [id, row] : picks)
    Pick(id, row);
  EXPECT_EQ(Text(kMoraleBox), QStringLiteral("77"));

  Select(41);
  Select(40);
  for (auto [id, row] : picks)
    EXPECT_EQ(Row(id), row) << id;
  EXPECT_EQ(Text(kHpBox), QStringLiteral("8888"));
  EXPECT_EQ(Text(kMoraleBox), QStringLiteral("77"));
  EXPECT_EQ(Byte(kPacks + 8 * (40 - demo::kDemoFirstAiMonster) + 2), 100);
}

// The boxes and the bits they do not show: the Equipment page and equipment_bits_test.
TEST_F(MonsterPageTest, TheEffectSetIndexPicksTheEffectEntry) {
  demo::ImageBuilder image = DemoImage();
  SameIndexes(image, 3, 5, 0xFF, 0).Byte(kEffects + 5, 0x01 | 0x08 | 0x80);
  image.Byte(kEffects + 6, 0x84);
  Open(image, 3);
  QListWidget* effects = List(kEffectList);
  EXPECT_EQ(effects->currentRow(), 1);
  EXPECT_TRUE(Box(kFirstAilment + 2)->isChecked());  // 0x08
  Box(kFirstAilment + 1)->setChecked(true);          // 0x04
  Box(kFirstAilment + 6)->setChecked(false);
  page->save();
  EXPECT_EQ(Byte(kEffects + 5), 0x01 | 0x04 | 0x08);

  Pick(kEffectSet, 6);
  EXPECT_EQ(effects->currentRow(), 3);  // 0x84: drain HP
  effects->setCurrentRow(5);
  page->save();
  EXPECT_EQ(Byte(kEffects + 6), 0x10);
  EXPECT_EQ(Byte(Record(3) + 4) & 0x0F, 6);
}

TEST_F(MonsterPageTest, SpoilsAndGilAmounts) {
  demo::ImageBuilder image = DemoImage();
  SameIndexes(image, 7, 0, 0xFF, 12)
      .Bytes(kSpoils + 8 * 12, {0xF3, 0x05, 0xC4, 0x00, 0xF3, 0xF0, 0xEF, 0xBF})
      .Word(kGil + 6, 300);
  Open(image, 7);
  const auto row = [this](int k) { return Row(kSpoilsSlots[k]); };
  const auto gilShown = [this](int k) { return !Button(kGilButtons[k])->isHidden(); };

  // 0xF3 is gil amount 3 with its button; 0x05 an item without.
  EXPECT_EQ(Combo(kSpoilsSlots[0])->currentText(), QStringLiteral("300"));
  EXPECT_TRUE(gilShown(0));
  EXPECT_EQ(row(1), 5);
  EXPECT_FALSE(gilShown(1));
  // 0xC4 has no row: shown as a raw value, no button.
  ExpectRawValue(kSpoilsSlots[2], "0xC4");
  EXPECT_FALSE(gilShown(2));

  // Change gil: OK clamps and every list shows the amount.
  prompts->modalScripts.push_back([](QDialog& d) {
    QLineEdit* amount = Find<QLineEdit>(d, 1412);
    EXPECT_EQ(amount->text(), QStringLiteral("300"));
    amount->setText(QStringLiteral("99999"));
    Find<QPushButton>(d, ui::kDialogOk)->click();
    return ui::kDialogCancel;
  });
  Button(kGilButtons[0])->click();
  EXPECT_EQ(Combo(kSpoilsSlots[4])->currentText(), QStringLiteral("65535"));
  EXPECT_EQ(Word(kGil + 6), 0xFFFF);  // stored on OK

  // Picking gil in another slot shows its button.
  Pick(kSpoilsSlots[3], 200);
  EXPECT_TRUE(gilShown(3));
  Pick(kSpoilsSlots[3], 9);
  page->save();
  EXPECT_EQ(Bytes(kSpoils + 8 * 12, 8),
            (std::vector<uint8_t>{0xF3, 0x05, 0xC4, 0x09, 0xF3, 0xF0, 0xEF, 0xBF}));

  // Two slots showing one gil amount with different texts: Save stores the
  // amounts in slot order, so the later slot decides.
  Combo(kSpoilsSlots[0])->setItemText(195, QStringLiteral("11"));
  Combo(kSpoilsSlots[4])->setItemText(195, QStringLiteral("44"));
  page->save();
  EXPECT_EQ(Word(kGil + 6), 44);
  Pick(kSpoilsSet, 2);
  page->save();
  EXPECT_EQ(Byte(kSpoilsIndex + 7), 2);
}

TEST_F(MonsterPageTest, AiPacksAndActions) {
  demo::ImageBuilder image = DemoImage();
  SameIndexes(image, 2, 0, 4, 0).Bytes(kPacks + 8 * 4, {0, 1, 135, 136, 0xFF, 7, 8, 9});
  Open(image, 2);
  EXPECT_EQ(Row(kAiPack), 5);
  EXPECT_TRUE(Button(kChangeLabel)->isEnabled());
  EXPECT_EQ(Row(kFirstAction + 2), 135);
  // Action bytes above 135 have no row: raw values, written back as stored.
  ExpectRawValue(kFirstAction + 3, "0x88");
  EXPECT_EQ(Row(kFirstAction + 4), -1);
  Pick(kFirstAction + 5, 0);
  page->save();
  EXPECT_EQ(Bytes(kPacks + 8 * 4, 8), (std::vector<uint8_t>{0, 1, 135, 136, 0xFF, 0, 8, 9}));

  // Change label renames the pack.
  EXPECT_EQ(Combo(kAiPack)->currentText(), QStringLiteral("04 Wolf Devil"));
  AnswerLabel(QStringLiteral("Pack of wolves"));
  Button(kChangeLabel)->click();
  EXPECT_EQ(Combo(kAiPack)->currentText(), QStringLiteral("Pack of wolves"));
  EXPECT_EQ(settings.Field(settings::kAiScriptLabels, 4), "Pack of wolves");

  // "--none--" stores 0xFF, leaves every pack untouched and disables the lists.
  const std::vector<uint8_t> packs = Bytes(kPacks, 58 * 8);
  Pick(kAiPack, 0);
  for (int k = 0; k < 8; ++k)
    EXPECT_TRUE(Row(kFirstAction + k) == 0 && !Combo(kFirstAction + k)->isEnabled()) << k;
  EXPECT_FALSE(Button(kChangeLabel)->isEnabled());
  page->save();
  EXPECT_EQ(Byte(Record(2)), 0xFF);
  EXPECT_EQ(Bytes(kPacks, 58 * 8), packs);
  // The default label cannot be changed, even if the command is reached.
  Button(kChangeLabel)->setEnabled(true);
  Button(kChangeLabel)->click();
  EXPECT_EQ(prompts->texts(),
            std::vector<QString>{QStringLiteral("Sorry, you cannot change the default label.")});
}

// AI packs and spoils sets without a row: monster_test.
TEST_F(MonsterPageTest, IndexesWithoutARowAreKept) {
  demo::ImageBuilder image = DemoImage();
  SameIndexes(image, 9, 1, 0xFF, 0).Byte(Record(9) + 1, 32).Byte(Record(9) + 2, 0xFF);
  Open(image, 9);
  ExpectRawValue(kHpIndex, "0x20");
  EXPECT_FALSE(Edit(kHpBox)->isEnabled());
  EXPECT_TRUE(SaveChangesNothing());

  Pick(kMpIndex, 3);
  EXPECT_EQ(Text(kMpBox), QString::number(Word(Hp(3))));
  Type(kMpBox, QStringLiteral("321"));
  page->save();
  EXPECT_EQ(Byte(Record(9) + 1), 32);
  EXPECT_EQ(Byte(Record(9) + 2), 3);
  EXPECT_EQ(Word(Hp(3)), 321);
}

}  // namespace
}  // namespace kivo
