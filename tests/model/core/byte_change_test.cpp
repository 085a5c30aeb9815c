#include "model/core/byte_change.h"

#include <gtest/gtest.h>

#include <random>

#include "model/core/rom_document.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;

RomDocument Held(Bytes image) {
  RomDocument document;
  document.Adopt(std::move(image), "game.nes");
  return document;
}

Bytes Image(const RomDocument& document) {
  return {document.image().begin(), document.image().end()};
}

TEST(ByteChange, ApplyRecordsOnlyWhatChangedAndGoesBothWays) {
  RomDocument document = Held(Bytes(kCombinationSize, 0x11));
  const Bytes before = Image(document);
  const ByteChange change = document.Apply([](const RomView& rom) {
    rom.SetWord(0x100, 0x2211);      // the low byte already holds 0x11
    rom.SetBytes(0x200, Bytes{1, 2, 3});
    rom.SetByte(0x201, 0x11);        // written twice, back to what it was
    rom.SetByte(0x3FFFFF0, 9);       // past the end: dropped
    rom.Unshifted().SetByte(5, 7);   // an image index
  });
  // Offsets are image indexes: the combination image's base shift is added.
  const std::vector<ByteChange::Run> runs = change.runs();
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].offset, 5u);
  EXPECT_EQ(runs[1].offset, 0x40101u);
  EXPECT_EQ(runs[2].offset, 0x40200u);
  EXPECT_EQ(runs[3].offset, 0x40202u);
  EXPECT_EQ(Bytes(runs[3].before.begin(), runs[3].before.end()), Bytes{0x11});
  EXPECT_EQ(Bytes(runs[3].after.begin(), runs[3].after.end()), Bytes{3});
  EXPECT_EQ(change.changedBytes(), 4u);
  EXPECT_TRUE(change.Touches(0x40100, 0x40102));
  EXPECT_FALSE(change.Touches(0x40102, 0x40200));

  const Bytes after = Image(document);
  document.Undo(change);
  EXPECT_EQ(Image(document), before);
  document.Redo(change);
  EXPECT_EQ(Image(document), after);
  EXPECT_EQ(change.Inverse().Inverse(), change);

  // A store that writes what is there already makes no change.
  EXPECT_TRUE(document.Apply([](const RomView& rom) { rom.SetByte(0x100, 0x11); }).empty());
  EXPECT_EQ(ByteChange::Between(before, before), ByteChange());
  EXPECT_EQ(ByteChange::Between(before, after), change);
}

TEST(ByteChange, ThenJoinsTwoEditsAsOne) {
  Bytes bytes(64, 0);
  const Bytes start = bytes;
  auto edit = [&bytes](std::initializer_list<std::pair<int, uint8_t>> writes) {
    const Bytes before = bytes;
    for (auto [at, value] : writes)
      bytes[at] = value;
    return ByteChange::Between(before, bytes);
  };
  const ByteChange first = edit({{1, 5}, {2, 6}, {10, 1}});
  const ByteChange second = edit({{2, 7}, {3, 8}, {10, 0}});  // byte 10 ends as it began
  const ByteChange joined = first.Then(second);
  EXPECT_EQ(joined, ByteChange::Between(start, bytes));
  EXPECT_EQ(joined.runCount(), 1u);
  joined.Undo(bytes);
  EXPECT_EQ(bytes, start);
}

// Random edits, undos, redos and joins on a random image, against replaying
// the edits that are done on a copy of the image as plain writes.
TEST(ByteChange, RandomHistoriesMatchAPlainReplay) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 40; ++round) {
    Bytes original(0x400 + random() % 0x400);
    for (uint8_t& b : original)
      b = static_cast<uint8_t>(random() % 4);  // few values: many writes change nothing
    RomDocument document = Held(original);
    using Writes = std::vector<std::pair<std::size_t, uint8_t>>;
    std::vector<std::pair<ByteChange, std::vector<Writes>>> steps;  // a step may hold joined edits
    std::size_t done = 0;
    for (int op = 0; op < 200; ++op) {
      const unsigned what = random() % 10;
      if (what < 5) {
        Writes writes(1 + random() % 6);
        for (auto& [at, value] : writes) {
          at = random() % (original.size() + 8);  // some past the end
          value = static_cast<uint8_t>(random() % 4);
        }
        const ByteChange change = document.Apply([&](const RomView& rom) {
          for (auto [at, value] : writes)
            rom.Unshifted().SetByte(at, value);
        });
        if (change.empty())
          continue;  // no step
        steps.resize(done);
        if (what == 0 && done > 0) {
          steps[done - 1].first = steps[done - 1].first.Then(change);
          steps[done - 1].second.push_back(writes);
        } else {
          steps.push_back({change, {writes}});
          ++done;
        }
      } else if (what < 8 && done > 0) {
        document.Undo(steps[--done].first);
      } else if (done < steps.size()) {
        document.Redo(steps[done++].first);
      }
      Bytes replay = original;
      for (std::size_t s = 0; s < done; ++s) {
        for (const Writes& writes : steps[s].second) {
          for (auto [at, value] : writes) {
            if (at < replay.size())
              replay[at] = value;
          }
        }
      }
      ASSERT_EQ(Image(document), replay) << "round " << round << " op " << op;
    }
  }
}

}  // namespace
}  // namespace kivo
