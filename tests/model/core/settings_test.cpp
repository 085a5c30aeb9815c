#include "model/core/settings.h"

#include <gtest/gtest.h>

#include "model/core/bytes.h"
#include "support/temp_dir.h"

namespace kivo {
namespace {

std::vector<uint8_t> Defaults() {
  SettingsBlock block;
  block.ResetToDefaults();
  return {block.bytes().begin(), block.bytes().end()};
}

std::vector<std::string> Texts(const Messages& messages) {
  std::vector<std::string> out;
  for (const Message& m : messages) {
    EXPECT_EQ(m.icon, MessageIcon::Warning);
    EXPECT_EQ(m.caption, "Kivo");
    out.push_back(m.text);
  }
  return out;
}

TEST(Settings, DefaultsAreTheDocumentedBytes) {
  const std::vector<uint8_t> d = Defaults();
  ASSERT_EQ(d.size(), 0xD2A4u);
  EXPECT_EQ(std::string(d.begin(), d.begin() + 16), std::string("Kivo v0.2d     \0", 16));
  EXPECT_EQ(ReadLe32(d, 0x898), 0xD2A4u);
  const uint8_t colours[12] = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF};
  EXPECT_TRUE(std::equal(colours, colours + 12, d.begin() + 0x89C));
  EXPECT_EQ(ReadLe32(d, 0xD260), 1u);
  EXPECT_EQ(ReadLe32(d, 0xD264), 320u);
  EXPECT_EQ(ReadLe32(d, 0xD268), 259u);
  // Everything else is zero.
  std::vector<uint8_t> rest = d;
  std::fill(rest.begin(), rest.begin() + 16, 0);
  for (std::size_t at : {0x898u, 0xD260u, 0xD264u, 0xD268u})
    WriteLe32(rest, at, 0);
  std::fill(rest.begin() + 0x89C, rest.begin() + 0x8A8, 0);
  EXPECT_EQ(std::count(rest.begin(), rest.end(), 0), static_cast<long>(rest.size()));
}

TEST(Settings, MissingFileIsCreatedWithDefaults) {
  test::TempDir dir;
  SettingsBlock block;
  const SettingsLoadResult r = LoadSettings(block, dir.path().string());
  EXPECT_EQ(Texts(r.messages), std::vector<std::string>{"Data file does not exist, creating..."});
  EXPECT_EQ(r.messages[0].detail, dir.File("Kivo.dat") + ": No such file or directory");
  EXPECT_EQ(r.dataFilePath, dir.File("Kivo.dat"));
  EXPECT_EQ(test::TempDir::Read(r.dataFilePath), Defaults());
  EXPECT_EQ(std::vector<uint8_t>(block.bytes().begin(), block.bytes().end()), Defaults());
}

TEST(Settings, DamagedFilesAreReplacedAfterTheirMessages) {
  const std::string header = "Improper header, creating new data file...";
  const std::string size = "Improper file size, creating new data file...";
  struct Case {
    const char* name;
    std::size_t length;
    bool badHeader;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"one wrong header character", 0xD2A4, true, {header}},
      {"bad header and wrong length", 0xD2A5, true, {header, size}},
      {"too short for the size field", 0x100, false, {size}},
      {"short with a matching size field", 0x1000, false, {size}},
      {"empty: no header either", 0, false, {header, size}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    std::vector<uint8_t> file = Defaults();
    file[0x9000] = 'L';  // a label that must not survive a reset
    if (c.length == 0x1000)
      WriteLe32(file, 0x898, 0x1000);
    if (c.badHeader)
      file[5] = 'X';
    file.resize(c.length, 0);
    dir.Write("Kivo.dat", file);

    // An older copy of a damaged file gives way to the newer one.
    dir.Write("Kivo.dat.damaged", std::string("older"));

    SettingsBlock block;
    const SettingsLoadResult r = LoadSettings(block, dir.path().string());
    EXPECT_EQ(Texts(r.messages), c.expected);
    EXPECT_EQ(std::vector<uint8_t>(block.bytes().begin(), block.bytes().end()), Defaults());
    EXPECT_EQ(test::TempDir::Read(dir.File("Kivo.dat")), Defaults());
    // The user's labels and paths can be recovered from the copy, and the
    // messages say where it is.
    EXPECT_EQ(test::TempDir::Read(dir.File("Kivo.dat.damaged")), file);
    for (const Message& m : r.messages)
      EXPECT_EQ(m.detail, "The damaged file was kept as " + dir.File("Kivo.dat.damaged") + ".");
  }
}

TEST(Settings, TextFieldsCutAtCharacterBoundaries) {
  SettingsBlock block;
  const FieldSet& set = settings::kShopLabels;  // width 40: 39 bytes of text
  const std::string exact(39, 'a');
  block.SetField(set, 0, exact);
  EXPECT_EQ(block.Field(set, 0), exact);
  block.SetField(set, 0, exact + "b");
  EXPECT_EQ(block.Field(set, 0), exact);

  // "é" is two bytes: at bytes 38..39 it would not fit whole, so it goes.
  block.SetField(set, 1, std::string(38, 'x') + "\xC3\xA9");
  EXPECT_EQ(block.Field(set, 1), std::string(38, 'x'));
  block.SetField(set, 1, std::string(37, 'x') + "\xC3\xA9!");
  EXPECT_EQ(block.Field(set, 1), std::string(37, 'x') + "\xC3\xA9");

  // A shorter text clears what the longer one left behind.
  block.SetField(set, 1, "ab");
  EXPECT_EQ(block.bytes()[set.offset + 40 + 5], 0);
  // Neighbouring fields are untouched and out-of-range rows are ignored.
  EXPECT_EQ(block.Field(set, 0), exact);
  block.SetField(set, set.count, "nowhere");
  EXPECT_EQ(block.Field(set, set.count), "");
}

TEST(Settings, PathsAreKeptWholeOrNotAtAll) {
  SettingsBlock block;
  const std::string fits(259, 'p');
  EXPECT_FALSE(block.SetPath(PathField::Palette, fits));
  EXPECT_EQ(block.Path(PathField::Palette), fits);

  // One byte more is refused; that the old path stays: the Config dialog's tests.
  EXPECT_TRUE(block.SetPath(PathField::Palette, fits + "q"));

  block.SetPath(PathField::Ff1StandardDteTable, "/t/ff1dte.tbl");
  EXPECT_EQ(block.Text(0x72C, 260), "/t/ff1dte.tbl");
  block.SetPath(PathField::Rom, "/r/game.nes");
  EXPECT_EQ(block.Text(0x10, 260), "/r/game.nes");
}

}  // namespace
}  // namespace kivo
