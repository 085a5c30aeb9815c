#include "model/text/text_categories.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "model/core/settings.h"
#include "model/text/name_tables.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using demo::TextLayout;

// Items and characters are located through the command line's text report
// (tests/cli/text_cli_test.cpp); here, the rows that differ.
TEST(TextCategories, LocationsAsShowEntryComputesThem) {
  for (ImageBuilder builder : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    const std::size_t shift = builder.baseShift();
    builder
        .Word(0x283E0 + 2 * 8, 0x8456)    // Miscellaneous row 8
        .Word(0x2826E, 0x8789)            // Miscellaneous row 9
        .Word(0x37F12 + 2 * 79, 0xBFFF);  // Dialogue 3 row 79
    const std::vector<uint8_t> image = builder.Build();

    EntryLocation at = LocateEntry(image, shift, kMiscellaneousCategory, 8);
    EXPECT_EQ(at.pointerLocation, 0x283F0 + shift);
    EXPECT_EQ(at.textLocation, 0x8456 + 0x20010 + shift);
    // Row 9 has a pointer of its own, far from the others.
    at = LocateEntry(image, shift, kMiscellaneousCategory, 9);
    EXPECT_EQ(at.pointerLocation, 0x2826E + shift);
    EXPECT_EQ(at.textLocation, 0x8789 + 0x20010 + shift);
    EXPECT_EQ(LocateEntry(image, shift, 13, 79).textLocation, 0xBFFF + 0x2C010 + shift);

    at = LocateEntry(image, shift, kCharactersCategory, 8);
    EXPECT_FALSE(at.hasPointer);
    EXPECT_EQ(at.textLocation, 0xF92 + 0x80 * 8 + shift);
    EXPECT_EQ(PointerLocation(kCharactersCategory, 8, shift), 0u);
    EXPECT_FALSE(LocateEntry(image, shift, kPrologueCategory, 0).hasPointer);
  }
  EXPECT_FALSE(IsEditableCategory(kPrologueCategory) || IsEditableCategory(-1));
  EXPECT_EQ(DialogueLabelSet(13), LabelSetId::Dialogue3);
  EXPECT_EQ(DialogueLabelSet(10), std::nullopt);
}

// A small fixture with one entry of each kind.
struct Fixture {
  CharTable dte = demo::FixtureDteTable();
  ImageBuilder builder = ImageBuilder::Combination();
  KeywordNames keywords{};
  std::vector<uint8_t> image;

  Fixture() {
    dte[0x16] = "[F]";
    TextLayout names(builder, dte);
    names.Strings(kItemNameTable.offset, kItemTextBase, 0x28500, {"Potion", "Ether"}, 1);
    names.Strings(kItemNameTable.offset, kItemTextBase, 0x28600, {"Wild rose"}, 0xF1);
    names.Strings(0x283E0, kItemTextBase, 0x28700, {"Misc 0"});
    names.String(0x28710, "Lone word");
    names.Pointer(kItemNameTable.offset, 0x2F, kItemTextBase, 0x28710);
    builder.Bytes(0x17800, {0x16, 0x18, 0x00});  // a name holding control codes
    names.Pointer(kMonsterNameTable.offset, 0, kMonsterNameTable.textBase, 0x17800);
    names.Fixed(0xF92 + 0x80 * 1, 6, "Maria");
    names.Fixed(0xF92 + 0x80 * 2, 6, "Guy");  // shorter names end in 0xFF blanks

    keywords[0xF1] = "Wild rose";
    TextLayout dialogue(builder, dte);
    dialogue.Keywords(&keywords, 0x05);
    dialogue.Strings(0x18010, 0x10010, 0x18300, {"Hello\r\nthe [F]Wild rose", "No finger"});
    image = builder.Build();
  }
};

TEST(TextCategories, EntriesDecodeAsTheTextPageShowsThem) {
  const Fixture f;
  const uint32_t shift = f.builder.baseShift();
  SettingsBlock settings;
  BuildKeywordNames(f.image, shift, f.dte, settings);
  const KeywordNames keywords = ReadKeywordNames(settings);
  const auto read = [&](int category, int row) {
    return ReadTextEntry(f.image, shift, category, row, f.dte, keywords);
  };

  // Item names, keyword names and dialogue with its finger are pinned through
  // the command line's text report (tests/cli/text_cli_test.cpp).
  EXPECT_EQ(read(kMiscellaneousCategory, 0).text, "Misc 0");
  EXPECT_EQ(read(kMiscellaneousCategory, 9).text, "Lone word");
  // Names treat 0x16 and 0x18 as plain codes.
  EXPECT_EQ(read(7, 0).text, "[F]");

  EXPECT_EQ(read(kCharactersCategory, 2).text, "Guy   ");

  EXPECT_EQ(read(kEpilogueCategory, 0).text, "");

  // Entry rows: names decoded, row 9 of Miscellaneous through its own
  // pointer; dialogue rows are labels (the Text page's tests).
  EXPECT_EQ(EntryRowTexts(f.image, shift, kMiscellaneousCategory, f.dte, settings)[9], "Lone word");
  EXPECT_EQ(EntryRowTexts(f.image, shift, kCharactersCategory, f.dte, settings)[1], "Maria ");
  EXPECT_TRUE(EntryRowTexts(f.image, shift, kPrologueCategory, f.dte, settings).empty());
}

}  // namespace
}  // namespace kivo
