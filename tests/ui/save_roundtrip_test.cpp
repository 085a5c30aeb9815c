// A save with no edits changes only what the stores normalise, through every
// page the main window builds, and a second save changes nothing more.

#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/rom_document.h"
#include "model/editors/character.h"
#include "model/editors/shop.h"
#include "model/editors/spell.h"
#include "model/editors/spell_record_names.h"
#include "support/temp_dir.h"
#include "ui/core/main_window.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

// What a store rewrites in an image it did not edit, and why. A page stores
// only the record it shows: the first, as no other has been chosen.
struct Normalisation {
  const char* reason;
  std::function<void(const RomView& image)> apply;
};

// Rewrites the byte at `offset` as `rule` gives it.
void Rewrite(const RomView& image, std::size_t offset, const std::function<int(int)>& rule) {
  image.SetByte(offset, static_cast<uint8_t>(rule(image.Byte(offset))));
}

int AtMost99(int value) {
  return std::min(value, kMaxStatistic);
}

const std::vector<Normalisation>& Normalisations() {
  namespace c = character;
  const std::size_t hero = kCharacterRecords;
  static const std::vector<Normalisation> list = {
      {"a character's byte 0 is its own index; bit 7, the hand, is kept",
       [=](const RomView& image) {
         Rewrite(image, hero, [](int b) { return b & c::kLeftHandedBit; });
       }},
      {"statistics, experience and percentages are stored as 0..99, the character page's range",
       [=](const RomView& image) {
         for (std::size_t at = c::kStrength; at <= c::kSoul; ++at)
           Rewrite(image, hero + at, AtMost99);
         Rewrite(image, hero + c::kMagic, AtMost99);
         for (int s = 0; s < kWeaponSkillCount; ++s)
           Rewrite(image, hero + c::kSkills + 2 * s + 1, AtMost99);
         for (int k = 0; k < kSpellSlotCount; ++k)
           Rewrite(image, hero + c::kSpellLevels + 2 * k + 1, AtMost99);
         Rewrite(image, hero + c::kEvasionPercent, AtMost99);
         Rewrite(image, hero + c::kMagicDefencePercent, AtMost99);
       }},
      {"levels and counts are stored minus 1 for 1..16, so a byte above 15 becomes 15",
       [=](const RomView& image) {
         const auto level = [](int b) { return std::min(b, kMaxLevel - 1); };
         for (int s = 0; s < kWeaponSkillCount; ++s)
           Rewrite(image, hero + c::kSkills + 2 * s, level);
         for (int k = 0; k < kSpellSlotCount; ++k)
           Rewrite(image, hero + c::kSpellLevels + 2 * k, level);
         Rewrite(image, hero + c::kEvasionCount, level);
         Rewrite(image, hero + c::kMagicDefenceCount, level);
       }},
      {"the row is a check box: 0 is the back row, any other byte is stored as 1, the front row",
       [=](const RomView& image) {
         Rewrite(image, hero + c::kRow,
                 [](int b) { return b == c::kBackRowByte ? b : c::kFrontRowByte; });
       }},
      {"starting gil above 9,999,999 is stored as 9,999,999, the most the Shop page takes",
       [](const RomView& image) {
         const uint32_t gil = image.Byte(kStartingGil) | image.Byte(kStartingGil + 1) << 8 |
                              image.Byte(kStartingGil + 2) << 16;
         const uint32_t stored = std::min<uint32_t>(gil, kMaxStartingGil);
         for (std::size_t i = 0; i < 3; ++i)
           image.SetByte(kStartingGil + i, static_cast<uint8_t>(stored >> (8 * i)));
       }},
      {"bit 0 of a spell's ailment byte has no check box and is stored clear",
       [](const RomView& image) {
         Rewrite(image, kSpellData + spell::kAilments, [](int b) { return b & kSpellAilmentMask; });
       }},
      {"an AI spell record's level is stored as 1..16, its accuracy and consumption as 0..100",
       [](const RomView& image) {
         const auto percent = [](int b) { return std::min(b, kMaxSpellPercent); };
         Rewrite(image, kSpellRecords + spell_record::kLevel,
                 [](int b) { return std::clamp(b, kMinSpellLevel, kMaxSpellLevel); });
         Rewrite(image, kSpellRecords + spell_record::kAccuracy, percent);
         Rewrite(image, kSpellRecords + spell_record::kConsumption, percent);
       }},
  };
  return list;
}

// A combination image (game data at +0x40000) whose game data is random
// bytes: every record holds values the lists cannot show, every pointer
// leads somewhere odd.
std::vector<uint8_t> RandomCombinationImage() {
  demo::ImageBuilder image = demo::ImageBuilder::Combination();
  std::mt19937 random(7);
  std::vector<uint8_t>& bytes = image.bytes();
  for (std::size_t i = image.baseShift() + kHeaderSize; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(random());
  return image.Release(5).Build();
}

class SaveRoundTripTest : public test::UiTest {
 protected:
  test::TempDir dir;
  ui::AppState state;
  std::unique_ptr<ui::MainWindow> window;
  std::set<std::size_t> used;  // the normalisations that changed a byte

  void SetUp() override {
    UiTest::SetUp();
    SettingsBlock settings;
    settings.ResetToDefaults();
    settings.SetPath(PathField::Ff2StandardTable,
                     dir.Write("standard.tbl", demo::DemoStandardTableFile()));
    settings.SetPath(PathField::Ff2StandardDteTable,
                     dir.Write("dte.tbl", demo::DemoDteTableFile()));
    ASSERT_TRUE(SaveSettings(settings, dir.File(settings::kDataFileName)).empty());
    window = std::make_unique<ui::MainWindow>(state);
    window->Start(dir.path().string(), std::nullopt);
  }

  // Opens `bytes` from a file, saves twice with no edits, and checks both saves.
  void SaveUnedited(const std::string& name, const std::vector<uint8_t>& bytes) {
    SCOPED_TRACE(name);
    const std::string path = dir.Write(name, bytes);
    prompts->openFiles.push_back(QString::fromStdString(path));
    window->ChooseAndOpen();
    ASSERT_TRUE(state.document.editable());
    // Every page has been shown once, as a user browsing would.
    for (int tab = 0; tab < ui::kTabCount; ++tab)
      window->tabs()->setCurrentIndex(tab);
    prompts->messages.clear();
    ASSERT_TRUE(window->Save());
    EXPECT_TRUE(prompts->messages.empty());

    std::vector<uint8_t> expected = bytes;
    const RomView view(expected, state.document.baseShift());
    for (std::size_t n = 0; n < Normalisations().size(); ++n) {
      const std::vector<uint8_t> before = expected;
      Normalisations()[n].apply(view);
      if (expected != before)
        used.insert(n);
    }
    const std::vector<uint8_t> saved = test::TempDir::Read(path);
    ASSERT_EQ(saved.size(), expected.size());
    // One failure per run of unexpected bytes.
    for (std::size_t i = 0; i < saved.size(); ++i) {
      if (saved[i] == expected[i])
        continue;
      std::size_t end = i;
      while (end < saved.size() && saved[end] != expected[end])
        ++end;
      ADD_FAILURE() << std::hex << end - i << " bytes from file offset 0x" << i << " saved as 0x"
                    << int(saved[i]) << "..., expected 0x" << int(expected[i])
                    << "... (opened as 0x" << int(bytes[i]) << "...)";
      i = end;
    }

    ASSERT_TRUE(window->Save());
    EXPECT_EQ(test::TempDir::Read(path), saved) << "a second save changed more";
    EXPECT_FALSE(window->HasUnsavedEdits());
  }
};

TEST_F(SaveRoundTripTest, ASaveChangesOnlyWhatTheStoresNormalise) {
  SaveUnedited("demo.nes", demo::BuildDemoImage());
  SaveUnedited("random-combination.nes", RandomCombinationImage());
  // The list holds nothing that no longer happens.
  for (std::size_t n = 0; n < Normalisations().size(); ++n)
    EXPECT_TRUE(used.count(n)) << Normalisations()[n].reason;
}

}  // namespace
}  // namespace kivo
