#include "model/text/spell_names.h"

#include <gtest/gtest.h>

#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "model/core/settings.h"
#include "model/text/name_tables.h"

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

TEST(SpellNames, CacheIsRebuiltWholeFromTheImage) {
  CharTable dte = demo::FixtureDteTable();
  dte[0x30] = "\xE6\x97\xA5";  // 日, three bytes
  ImageBuilder builder = ImageBuilder::Combination();
  TextLayout layout(builder, dte);
  layout.Strings(kSpellNameTable.offset, kSpellNameTable.textBase, 0x17400,
                 {"Cure", Repeat("\xE6\x97\xA5", 6), "Fire", "AbcdefghijklmnopQ"});
  const std::size_t afterUltima = layout.String(0x17500, "Ultima");
  layout.Pointer(kSpellNameTable.offset, 68, kSpellNameTable.textBase, 0x17500)
      .Pointer(kSpellNameTable.offset, 69, kSpellNameTable.textBase, afterUltima);
  const std::vector<uint8_t> image = builder.Build();

  SettingsBlock settings;
  for (int i = 0; i < 71; ++i)
    settings.SetField(settings::kSpellNameCache, i, "Old name");
  RebuildSpellNameCache(image, builder.baseShift(), dte, settings);
  EXPECT_EQ(SpellCacheName(settings, 0), "Attack");
  EXPECT_EQ(SpellCacheName(settings, 1), "Cure");
  EXPECT_EQ(SpellCacheName(settings, 2), Repeat("\xE6\x97\xA5", 5));  // 15 bytes, 5 characters
  EXPECT_EQ(SpellCacheName(settings, 3), "Fire");
  EXPECT_EQ(SpellCacheName(settings, 4), "Abcdefghijklmno");
  EXPECT_EQ(SpellCacheName(settings, 69), "Ultima");
  EXPECT_EQ(SpellCacheName(settings, 70), "");  // replaced, though the image has no name
  EXPECT_EQ(SpellCacheName(settings, 71), "");
  // Nothing past the cache was touched.
  EXPECT_EQ(settings.Field(settings::kKeywordNameCache, 0), "");
}

}  // namespace
}  // namespace kivo
