#include "model/text/labels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivo {
namespace {

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

TEST(Labels, DefaultsNameTheirRows) {
  const SettingsBlock settings;
  // Shops, formations, patterns and dialogue rows show on their pages; the
  // AI packs are rows 1..58, each default led by its pack number.
  const LabelSet& ai = GetLabelSet(LabelSetId::AiPacks);
  EXPECT_EQ(RowText(settings, ai, 1), "00 Wizard Ogre");
  EXPECT_EQ(RowText(settings, ai, 0x1C), "1B Unused");
  EXPECT_EQ(RowText(settings, ai, 58), "39 Emperor");
  EXPECT_EQ(RowText(settings, ai, 0), "");  // "--none--" is the combo box's own row
  EXPECT_EQ(RowText(settings, ai, 59), "");
  EXPECT_EQ(RowTexts(settings, GetLabelSet(LabelSetId::Dialogue3)).size(), 80u);  // of 256 fields
}

TEST(Labels, LabelsAreStoredInTheirRowsFieldAndShownInsteadOfTheDefault) {
  SettingsBlock settings;
  const LabelSet& ai = GetLabelSet(LabelSetId::AiPacks);
  const std::vector<uint8_t> before(settings.bytes().begin(), settings.bytes().end());

  // Row 0 of the AI combo box and rows past the set have no field.
  EXPECT_FALSE(SetLabel(settings, ai, 0, "X"));
  EXPECT_FALSE(SetLabel(settings, ai, 59, "X"));
  EXPECT_FALSE(SetLabel(settings, GetLabelSet(LabelSetId::Dialogue3), 80, "X"));
  EXPECT_FALSE(SetLabel(settings, GetLabelSet(LabelSetId::Shops), -1, "X"));
  EXPECT_TRUE(std::equal(before.begin(), before.end(), settings.bytes().begin()));

  // AI row r lives at 0x9480 + 40 r: row 1 is the first field, row 58 the last.
  ASSERT_TRUE(SetLabel(settings, ai, 1, "Ogre"));
  ASSERT_TRUE(SetLabel(settings, ai, 58, "Boss"));
  EXPECT_EQ(settings.Text(0x9480 + 40 * 1, 40), "Ogre");
  EXPECT_EQ(settings.Text(0x9480 + 40 * 58, 40), "Boss");
  EXPECT_EQ(RowText(settings, ai, 58), "Boss");

  const LabelSet& dialogue = GetLabelSet(LabelSetId::Dialogue1);
  ASSERT_TRUE(SetLabel(settings, dialogue, 7, "King's speech"));
  EXPECT_EQ(settings.Text(0x8A8 + 40 * 7, 40), "King's speech");
  EXPECT_EQ(RowText(settings, dialogue, 7), "King's speech");
  // Dialogue 3 labels are its own fields, not Dialogue 1's.
  SetLabel(settings, GetLabelSet(LabelSetId::Dialogue3), 0, "Third");
  EXPECT_EQ(settings.Text(0x58A8, 40), "Third");
  EXPECT_EQ(RowText(settings, dialogue, 0), "Dialogue 0");
}

// How a field is cut: Settings.TextFieldsCutAtCharacterBoundaries; here, each set's width.
TEST(Labels, LabelsAreCutToTheFieldWithoutSplittingACharacter) {
  SettingsBlock settings;
  const LabelSet& formations = GetLabelSet(LabelSetId::Formations);
  SetLabel(settings, formations, 3, Repeat("b", 40));
  EXPECT_EQ(RowText(settings, formations, 3), Repeat("b", 39));

  const LabelSet& patterns = GetLabelSet(LabelSetId::PatternTables);
  SetLabel(settings, patterns, 15, Repeat("p", 30));
  EXPECT_EQ(RowText(settings, patterns, 15), Repeat("p", 29));
  const LabelSet& ailments = GetLabelSet(LabelSetId::TemporaryAilments);
  SetLabel(settings, ailments, 5, "Confusion and more");
  EXPECT_EQ(RowText(settings, ailments, 5), "Confusion an");
  EXPECT_EQ(CutLabel(ailments, "Confusion and more"), "Confusion an");

  // "é" is two bytes: 20 of them are 40 bytes, and 39 would split the last.
  EXPECT_EQ(CutLabel(formations, Repeat("\xC3\xA9", 20)), Repeat("\xC3\xA9", 19));
  // A zero byte ends the label.
  SetLabel(settings, formations, 6, std::string("ab\0cd", 5));
  EXPECT_EQ(RowText(settings, formations, 6), "ab");
}

}  // namespace
}  // namespace kivo
