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

// Item names, keyword names and dialogue with its finger are pinned through
// the command line's text report (tests/cli/text_cli_test.cpp).
TEST(TextCategories, EntriesDecodeAsTheTextPageShowsThem) {
  CharTable dte = demo::FixtureDteTable();
  dte[0x16] = "[F]";
  ImageBuilder builder = ImageBuilder::Combination();
  TextLayout names(builder, dte);
  names.Strings(0x283E0, kItemTextBase, 0x28700, {"Misc 0"});
  names.String(0x28710, "Lone word");
  names.Pointer(kItemNameTable.offset, 0x2F, kItemTextBase, 0x28710);
  builder.Bytes(0x17800, {0x16, 0x18, 0x00});  // a name holding control codes
  names.Pointer(kMonsterNameTable.offset, 0, kMonsterNameTable.textBase, 0x17800);
  names.Fixed(0xF92 + 0x80 * 1, 6, "Maria");
  names.Fixed(0xF92 + 0x80 * 2, 6, "Guy");  // shorter names end in 0xFF blanks
  const std::vector<uint8_t> image = builder.Build();
  const uint32_t shift = builder.baseShift();
  SettingsBlock settings;
  const auto read = [&](int category, int row) {
    return ReadTextEntry(image, shift, category, row, dte, KeywordNames{});
  };

  EXPECT_EQ(read(kMiscellaneousCategory, 0).text, "Misc 0");
  EXPECT_EQ(read(kMiscellaneousCategory, 9).text, "Lone word");
  EXPECT_EQ(read(7, 0).text, "[F]");  // names treat 0x16 and 0x18 as plain codes
  EXPECT_EQ(read(kCharactersCategory, 2).text, "Guy   ");
  EXPECT_EQ(read(kEpilogueCategory, 0).text, "");

  // Entry rows: names decoded, row 9 of Miscellaneous through its own
  // pointer; dialogue rows are labels (the Text page's tests).
  EXPECT_EQ(EntryRowTexts(image, shift, kMiscellaneousCategory, dte, settings)[9], "Lone word");
  EXPECT_EQ(EntryRowTexts(image, shift, kCharactersCategory, dte, settings)[1], "Maria ");
  EXPECT_TRUE(EntryRowTexts(image, shift, kPrologueCategory, dte, settings).empty());
}

}  // namespace
}  // namespace kivo
