#include "model/text/text_entry_store.h"

#include <gtest/gtest.h>

#include <functional>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "demo/image_builder.h"
#include "demo/text_layout.h"
#include "model/core/rom_view.h"
#include "model/core/settings.h"
#include "model/text/name_tables.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using demo::TextLayout;

constexpr int kItems = 0;
constexpr int kKeywords = 6;
constexpr int kDialogue1 = 11;

// One image and the tables of the fixture, and the store as the page runs it.
struct Store {
  CharTable standard = demo::FixtureTable();
  CharTable dte = demo::FixtureDteTable();
  KeywordNames keywords{};
  std::vector<uint8_t> image;
  uint32_t shift = 0;

  explicit Store(const ImageBuilder& builder) : image(builder.Build()), shift(builder.baseShift()) {
    standard[0x16] = dte[0x16] = "[F]";
  }

  ShownEntry Show(int category, int row) const {
    return ShowTextEntry(image, shift, category, row, dte, keywords);
  }
  // Shows the entry, lets `edit` change its boxes, stores it.
  bool Edit(int category, int row, const std::function<void(EntryBoxes&)>& edit) {
    const ShownEntry shown = Show(category, row);
    EntryBoxes now = shown.boxes;
    edit(now);
    return StoreTextEntry(RomView(image, 0), shown, now, standard, keywords);
  }
  std::vector<uint8_t> At(std::size_t offset, std::size_t count) const {
    return {image.begin() + offset + shift, image.begin() + offset + shift + count};
  }
};

TEST(TextEntryStore, BrowsingAndSavingWriteNothing) {
  // The demo image's dialogue was encoded with the DTE table; storing it back
  // with the standard table, or with no table at all, would change it.
  const std::vector<uint8_t> before = demo::BuildDemoImage();
  const CharTable standard = demo::DemoStandardTable();
  const CharTable dte = demo::DemoDteTable();
  const CharTable empty{};
  SettingsBlock settings;
  BuildKeywordNames(before, 0, dte, settings);
  const KeywordNames keywords = ReadKeywordNames(settings);
  for (const CharTable* table : {&standard, &empty}) {
    std::vector<uint8_t> image = before;
    for (int category = 0; category < kTextCategoryCount; ++category) {
      for (int row = 0; row < GetTextCategory(category).rows; ++row) {
        const ShownEntry shown = ShowTextEntry(image, 0, category, row, *table, keywords);
        ASSERT_FALSE(StoreTextEntry(RomView(image, 0), shown, shown.boxes, *table, keywords))
            << category << " " << row;
        // Nothing changed, so the count is the stored length.
        const EntryByteCount count = CountEntryBytes(image.size(), shown, shown.boxes, dte, {});
        EXPECT_EQ(count.bytes, count.was);
        EXPECT_FALSE(count.longer || count.cut);
      }
    }
    EXPECT_TRUE(image == before);
  }
  // A store of an entry never shown writes nothing either.
  std::vector<uint8_t> image = before;
  EXPECT_FALSE(StoreTextEntry(RomView(image, 0), ShownEntry{}, EntryBoxes{"x", "1", "1"}, standard, keywords));
  EXPECT_FALSE(StoreTextEntry(RomView(image, 0), ShowTextEntry(image, 0, kPrologueCategory, 0, dte, keywords),
                              EntryBoxes{"x", "1", "1"}, standard, keywords));
  EXPECT_TRUE(image == before);
}

TEST(TextEntryStore, APointerValueIsReadAsHexAndClamped) {
  ImageBuilder builder;
  Store s(builder);
  TextLayout names(builder, s.standard);
  names.Strings(kItemNameTable.offset, kItemTextBase, 0x28500, {"Potion", "Ether"}, 1);
  s.image = builder.Build();

  // Typed text without a number keeps the pointer; out of range is clamped.
  const std::pair<const char*, std::vector<uint8_t>> typed[] = {
      {"85f0", {0xF0, 0x85}}, {"", {0xF0, 0x85}},      {"--", {0xF0, 0x85}}, {"zz", {0xF0, 0x85}},
      {" ", {0xF0, 0x85}},    {"12345", {0xFF, 0xFF}}, {"-5", {0x00, 0x00}}};
  for (const auto& [value, bytes] : typed) {
    s.Edit(kItems, 0, [value](EntryBoxes& b) { b.value = value; });
    EXPECT_EQ(s.At(0x28212, 2), bytes) << value;
  }
}

TEST(TextEntryStore, DialogueFingerValues) {
  ImageBuilder builder = ImageBuilder::Combination();
  Store s(builder);
  s.keywords[0xF1] = "Wild rose";
  TextLayout dialogue(builder, s.dte);
  dialogue.Keywords(&s.keywords, 0x05);
  dialogue.Strings(0x18010, 0x10010, 0x18300, {"[F]Hi", "No finger"});
  s.image = builder.Build();

  EXPECT_EQ(s.Show(kDialogue1, 0).boxes.finger, "5");
  EXPECT_EQ(s.Show(kDialogue1, 1).boxes.finger, "--");

  // Finger: "--", empty or text keep the decoded finger; a string without
  // one takes 0x00; a number is clamped to a byte.
  const std::pair<const char*, uint8_t> typed[] = {
      {"--", 0x05}, {"", 0x05}, {"zz", 0x05}, {"1f", 0x1F}, {"100", 0xFF}};
  for (auto [finger, operand] : typed) {
    s.Edit(kDialogue1, 0, [finger](EntryBoxes& b) { b.finger = finger; });
    EXPECT_EQ(s.At(0x18300, 2), (std::vector<uint8_t>{0x16, operand})) << finger;
  }
  s.Edit(kDialogue1, 1, [](EntryBoxes& b) { b.text = "[F]A"; });
  EXPECT_EQ(s.At(0x18305, 4), (std::vector<uint8_t>{0x16, 0x00, 0x8A, 0x00}));

  // In a name the Finger box means nothing, so changing it rewrites nothing.
  const auto before = s.image;
  EXPECT_FALSE(s.Edit(kKeywords, 0, [](EntryBoxes& b) { b.finger = "7"; }));
  EXPECT_TRUE(s.image == before);
}

TEST(TextEntryStore, TextsAreCutAtTheEndOfTheImage) {
  // An image that ends inside the item text bank.
  ImageBuilder builder(0x30000);
  Store s(builder);
  TextLayout names(builder, s.standard);
  names.Pointer(kItemNameTable.offset, 1, kItemTextBase, 0x30000 - 3);
  builder.Bytes(0x30000 - 3, {0x8A, 0x8B, 0x8C});  // no terminator before the end
  s.image = builder.Build();

  const ShownEntry last = s.Show(kItems, 0);
  EXPECT_EQ(last.boxes.text, "ABC");
  EntryBoxes now = last.boxes;
  now.text = "Hello";
  const EntryByteCount count = CountEntryBytes(s.image.size(), last, now, s.standard, {});
  EXPECT_EQ(count.bytes, 3u);
  EXPECT_TRUE(count.cut);
  EXPECT_TRUE(StoreTextEntry(RomView(s.image, 0), last, now, s.standard, s.keywords));
  EXPECT_EQ(s.image.size(), 0x30000u);
  EXPECT_EQ(s.At(0x30000 - 3, 3), (std::vector<uint8_t>{0x91, 0xA8, 0xAF}));
}

TEST(TextEntryStore, HexNumbersAsTheBoxesReadThem) {
  EXPECT_EQ(FormatHexText(0x84F0), "84F0");
  // Typed values without a number or out of range: APointerValueIsReadAsHexAndClamped.
  EXPECT_EQ(ScanHex("  0x1Fz"), 0x1F);
  EXPECT_EQ(ScanHex("0x"), 0);  // the 0 before a lone x
  EXPECT_EQ(ScanHex("x1"), std::nullopt);
}

}  // namespace
}  // namespace kivo
