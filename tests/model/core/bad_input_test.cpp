// Files as users meet them at their worst: broken ROM images, paths that are
// folders or FIFOs, a Kivo.dat that is a folder. Each gives the program's
// message, or opens and reads without leaving the image, and nothing hangs.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <map>

#include <gtest/gtest.h>

#include "demo/text_layout.h"
#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/core/settings_reset.h"
#include "model/core/version.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"
#include "model/text/text_categories.h"
#include "support/temp_dir.h"

// The ROM harness's list of page reads and its bad images, built into this
// test so every image here gets every read the pages make.
#include "../../../fuzz/bad_images.h"
#include "../../../fuzz/rom_reads.cpp"

namespace kivo {
namespace {

// The messages without their informative text (the file and the system's
// reason), which the cases below pin where the reason matters.
Messages Plain(Messages messages) {
  for (Message& m : messages)
    m.detail.clear();
  return messages;
}

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Runs `read` and fails, instead of hanging, when it waits on the FIFO at
// `fifo`; opening the FIFO for writing then releases the reader.
template <typename T>
T WithoutHanging(const std::string& fifo, std::function<T()> read) {
  std::future<T> result = std::async(std::launch::async, std::move(read));
  if (result.wait_for(5s) != std::future_status::ready) {
    ADD_FAILURE() << "the reader waited for a writer on " << fifo;
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
      close(writer);
  }
  return result.get();
}

std::string MakeFifo(const test::TempDir& dir, const std::string& name) {
  const std::string path = dir.File(name);
  EXPECT_EQ(mkfifo(path.c_str(), 0644), 0);
  return path;
}

TEST(BadRomFiles, EveryBadImageOpensAndEveryPageReadStaysInside) {
  test::TempDir dir;
  // The fill bytes of the images map to nothing, so strings that run
  // unterminated to the end of the image cost little under the sanitizers;
  // 0x18 with no operand ends the images whose pointers lead to the last byte.
  CharTable table = demo::FixtureDteTable();
  table[0xFF] = table[0x41] = "";
  table[kKeywordCode] = "<key>";
  const MasterPalette palette;

  for (const fuzz::BadImage& bad : fuzz::BadImages()) {
    SCOPED_TRACE(bad.name);
    RomDocument document;
    const OpenOutcome opened = document.Open(dir.Write(bad.name + ".nes", bad.bytes));
    ASSERT_TRUE(opened.ok);
    EXPECT_TRUE(opened.messages.empty());
    EXPECT_EQ(document.editable(), bad.bytes.size() >= kStandaloneSize);  // so the reads run
    if (document.editable()) {
      // Check Version has its say about anything that is not a release.
      const std::optional<Message> version =
          IdentifyVersion(document.image(), document.baseShift());
      ASSERT_TRUE(version);
      EXPECT_EQ(version->text, "Well, whatever you loaded isn't FF2.\n\nSAVE AT YOUR OWN RISK!");
    }

    SettingsBlock settings;
    settings.ResetToDefaults();
    // Where every string runs on to the end of the image, decoding all of
    // them takes minutes in this build: the reads of text are sampled below.
    fuzz::RomReadContext context{document, table, table, palette, settings, {}};
    fuzz::RunRomReads(context, !bad.slow);
    EXPECT_EQ(context.problems, std::vector<std::string>{});
    EXPECT_TRUE(std::equal(document.image().begin(), document.image().end(), bad.bytes.begin(),
                           bad.bytes.end()))
        << "reading changed the image";
  }

}

TEST(BadRomPaths, FoldersAndFifosAreRefusedWithTheOpenMessage) {
  test::TempDir dir;
  fs::create_directory(dir.File("folder.nes"));
  const std::string fifo = MakeFifo(dir, "pipe.nes");
  const Messages refused = {Message{kOpenFailedText, MessageIcon::Warning}};

  for (const std::string& path : {dir.File("folder.nes"), fifo, dir.File("missing.nes")}) {
    SCOPED_TRACE(path);
    RomDocument document;
    document.Adopt(std::vector<uint8_t>(kStandaloneSize, 1), "held-before.nes");
    const OpenOutcome outcome =
        WithoutHanging<OpenOutcome>(fifo, [&] { return document.Open(path); });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(Plain(outcome.messages), refused);
    EXPECT_FALSE(document.held()) << "a failed open holds no image";
    EXPECT_EQ(document.currentPath(), path) << "Re-open tries the same path again";
    EXPECT_EQ(Plain(WithoutHanging<OpenOutcome>(fifo, [&] { return document.Reopen(); }).messages),
              refused);
  }

  // Every other reader of user files refuses a FIFO at once as well.
  FileBytes bytes = WithoutHanging<FileBytes>(fifo, [&] { return ReadWholeFile(fifo); });
  EXPECT_EQ(bytes.error, ReadError::CannotOpen);
  CharTable table = demo::FixtureTable();
  const TableLoadResult tableResult = WithoutHanging<TableLoadResult>(
      fifo, [&] { return LoadTableFile(table, fifo, TableKind::Ff2Standard); });
  EXPECT_FALSE(tableResult.ok);
  EXPECT_EQ(table, demo::FixtureTable());
  MasterPalette palette;
  const PaletteLoadOutcome paletteResult =
      WithoutHanging<PaletteLoadOutcome>(fifo, [&] { return LoadPaletteFile(palette, fifo); });
  EXPECT_EQ(Plain(paletteResult.messages),
            (Messages{Message{kPaletteLoadFailedText, MessageIcon::Warning}}));
  EXPECT_EQ(paletteResult.messages[0].detail, fifo + ": not a regular file");
  EXPECT_EQ(palette, MasterPalette());

  // Kivo.dat as a FIFO is taken as missing and replaced by a real file.
  const std::string dataFifo = MakeFifo(dir, settings::kDataFileName);
  SettingsBlock block;
  const SettingsLoadResult loaded = WithoutHanging<SettingsLoadResult>(
      dataFifo, [&] { return LoadSettings(block, dir.path().string()); });
  EXPECT_EQ(Plain(loaded.messages), (Messages{Message{kSettingsMissingText, MessageIcon::Warning}}));
  EXPECT_TRUE(fs::is_regular_file(dataFifo));
}

TEST(BadRomPaths, AnUnreadableFileIsRefusedWithTheOpenMessage) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root reads files whatever their permissions say";
  test::TempDir dir;
  const std::string rom = dir.Write("locked.nes", std::vector<uint8_t>(kStandaloneSize, 0));
  ASSERT_EQ(chmod(rom.c_str(), 0), 0);
  RomDocument document;
  const OpenOutcome outcome = document.Open(rom);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(Plain(outcome.messages), (Messages{Message{kOpenFailedText, MessageIcon::Warning}}));
  EXPECT_EQ(outcome.messages[0].detail, rom + ": Permission denied");
  EXPECT_FALSE(document.held());
}

TEST(BadDataFile, KivoDatAsAFolderRunsOnDefaultsAndReportsEveryWrite) {
  test::TempDir dir;
  const fs::path folder = dir.path() / settings::kDataFileName;
  fs::create_directory(folder);
  fs::create_directory(folder / "inside");

  SettingsBlock block;
  block.SetInt(settings::kSelectedShop, 9);
  const SettingsLoadResult loaded = LoadSettings(block, dir.path().string());
  EXPECT_EQ(Plain(loaded.messages), (Messages{{kSettingsMissingText, MessageIcon::Warning},
                                              {kSettingsCannotCreateText, MessageIcon::Warning}}));
  EXPECT_EQ(loaded.messages[0].detail, loaded.dataFilePath + ": Is a directory");
  SettingsBlock defaults;
  defaults.ResetToDefaults();
  EXPECT_TRUE(std::equal(block.bytes().begin(), block.bytes().end(), defaults.bytes().begin()));

  // Exit and Clean the data say the file cannot be written; the folder and
  // what it holds stay, and no temporary file is left beside it.
  EXPECT_EQ(Plain(SaveSettings(block, loaded.dataFilePath)),
            (Messages{{kSettingsNotFoundText, MessageIcon::Warning}}));
  const std::array<bool, kSettingsResetCount> ticked{true};
  const CleanOutcome cleaned = CleanSettings(block, ticked, loaded.dataFilePath);
  EXPECT_FALSE(cleaned.written);
  ASSERT_EQ(cleaned.messages.size(), 2u);
  EXPECT_EQ(cleaned.messages[1].text, kCleanWriteFailedText);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  EXPECT_EQ(dir.Snapshot().size(), 1u);
}

}  // namespace
}  // namespace kivo
