#include "model/text/name_tables.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "model/core/settings.h"
#include "model/text/spell_names.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using demo::TextLayout;

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

TEST(NameTables, DecodesARangeThroughTheTableOnEitherImageKind) {
  const CharTable dte = demo::FixtureDteTable();
  for (ImageBuilder builder : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    TextLayout layout(builder, dte);
    layout.Strings(kSpellNameTable.offset, kSpellNameTable.textBase, 0x17300,
                   {"Fire", "the Ice", "Bolt"});
    const std::vector<uint8_t> image = builder.Build();
    const std::vector<std::string> names =
        DecodeNames(image, builder.baseShift(), kSpellNameTable, dte);
    ASSERT_EQ(names.size(), 70u);
    EXPECT_EQ(names[0], "Fire");

    // First row 1 of a range: what a list of rows 1..2 gets.
    const std::size_t shift = builder.baseShift();
    const std::vector<std::string> two = DecodeNameRange(
        image, 2, kSpellNameTable.EntryOffset(1) + shift, kSpellNameTable.textBase + shift, dte);
    EXPECT_EQ(two, (std::vector<std::string>{"the Ice", "Bolt"}));
  }
  EXPECT_TRUE(DecodeNameRange(ImageBuilder().Build(), -3, 0x170CB, 0xC010, dte).empty());
}

TEST(NameTables, BuildKeywordNamesReplacesTheWholeCache) {
  CharTable dte = demo::FixtureDteTable();
  dte[0x30] = "\xC3\xA9";  // é, two bytes
  for (ImageBuilder builder : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    TextLayout layout(builder, dte);
    std::size_t at = layout.Strings(kItemNameTable.offset, kItemTextBase, 0x28500,
                                    {"Zero", "Potion", "", Repeat("x", 45)});
    at = layout.Strings(kItemNameTable.offset, kItemTextBase, at,
                        {Repeat("\xC3\xA9", 20), "Wyvern"}, 0xFE);
    const std::vector<uint8_t> image = builder.Build();

    SettingsBlock settings;
    for (int i = 0; i < 256; ++i)
      settings.SetField(settings::kKeywordNameCache, i, "stale");
    BuildKeywordNames(image, builder.baseShift(), dte, settings);
    const auto field = [&](int i) { return settings.Field(settings::kKeywordNameCache, i); };
    EXPECT_EQ(field(0), "");  // never a name, whatever entry 0 holds
    EXPECT_EQ(field(1), "Potion");
    EXPECT_EQ(field(2), "");
    EXPECT_EQ(field(3), Repeat("x", 39));
    EXPECT_EQ(field(0xFE), Repeat("\xC3\xA9", 19));  // 39 bytes would split a character
    EXPECT_EQ(field(0xFF), "Wyvern");
  }
}

TEST(SpellNames, CacheIsRebuiltWholeFromTheImage) {
  CharTable dte = demo::FixtureDteTable();
  dte[0x30] = "\xE6\x97\xA5";  // 日, three bytes
  ImageBuilder builder = ImageBuilder::Combination();
  TextLayout layout(builder, dte);
  layout.Strings(kSpellNameTable.offset, kSpellNameTable.textBase, 0x17400,
                 {"Cure", Repeat("\xE6\x97\xA5", 6), "Fire", "AbcdefghijklmnopQ"});
  layout.Pointer(kSpellNameTable.offset, 69, kSpellNameTable.textBase, 0x17400);
  const std::vector<uint8_t> image = builder.Build();

  SettingsBlock settings;
  for (int i = 0; i < 71; ++i)
    settings.SetField(settings::kSpellNameCache, i, "Old name");
  RebuildSpellNameCache(image, builder.baseShift(), dte, settings);
  EXPECT_EQ(SpellCacheName(settings, 0), "Attack");
  EXPECT_EQ(SpellCacheName(settings, 1), "Cure");
  EXPECT_EQ(SpellCacheName(settings, 2), Repeat("\xE6\x97\xA5", 5));  // 15 bytes, 5 characters
  EXPECT_EQ(SpellCacheName(settings, 6), "");  // replaced, though the image has no name
  EXPECT_EQ(SpellCacheName(settings, 70), "Cure");
  EXPECT_EQ(SpellCacheName(settings, 71), "");
  EXPECT_EQ(settings.Field(settings::kKeywordNameCache, 0), "");  // nothing past the cache
}

}  // namespace
}  // namespace kivo
