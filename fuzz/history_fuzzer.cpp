// Edits, undos, redos and edits joined into the step before, in any order,
// on a small image: after every operation the image is what replaying the
// edits of the steps done gives, written as plain bytes.
//
// The input is a list of operations, each a byte and its operands:
//   0..3  an edit: a byte n, then n times two bytes of offset and one of value
//   4     the same edit, joined into the step before (one field typed again)
//   5     undo         6     redo         7     an edit that writes nothing new

#include <vector>

#include "model/core/byte_change.h"
#include "model/core/rom_document.h"
#include "support.h"

using namespace kivo;

namespace {

// Offsets reach a little past the end, where writes are dropped.
constexpr std::size_t kImageSize = 0x300;
constexpr std::size_t kMaxWrites = 8;

using Writes = std::vector<std::pair<std::size_t, uint8_t>>;

struct Step {
  ByteChange change;
  std::vector<Writes> edits;  // joined edits, in order
};

}  // namespace

KIVO_FUZZ_MAX_LEN(512)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> original(kImageSize);
  for (std::size_t i = 0; i < kImageSize; ++i)
    original[i] = static_cast<uint8_t>(i * 7 % 5);  // few values: many writes change nothing
  RomDocument document;
  document.Adopt(original, "history.nes");
  std::vector<Step> steps;
  std::size_t done = 0;

  std::size_t at = 0;
  auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
  while (at < size) {
    const uint8_t op = next() % 8;
    if (op == 5) {
      if (done > 0)
        document.Undo(steps[--done].change);
    } else if (op == 6) {
      if (done < steps.size())
        document.Redo(steps[done++].change);
    } else {
      Writes writes(next() % (kMaxWrites + 1));
      for (auto& [offset, value] : writes) {
        offset = (next() << 8 | next()) % (kImageSize + 16);
        value = next() % 5;
      }
      if (op == 7) {
        for (auto& write : writes) {
          if (write.first < kImageSize)
            write.second = document.image()[write.first];
        }
      }
      const ByteChange change = document.Apply([&](const RomView& rom) {
        for (const auto& [offset, value] : writes)
          rom.Unshifted().SetByte(offset, value);
      });
      KIVO_FUZZ_CHECK(op != 7 || change.empty());
      if (!change.empty()) {
        steps.resize(done);
        if (op == 4 && done > 0) {
          steps[done - 1].change = steps[done - 1].change.Then(change);
          steps[done - 1].edits.push_back(writes);
        } else {
          steps.push_back({change, {writes}});
          ++done;
        }
      }
    }
    std::vector<uint8_t> replay = original;
    for (std::size_t s = 0; s < done; ++s) {
      for (const Writes& edit : steps[s].edits) {
        for (const auto& [offset, value] : edit) {
          if (offset < replay.size())
            replay[offset] = value;
        }
      }
    }
    KIVO_FUZZ_CHECK(std::equal(replay.begin(), replay.end(), document.image().begin(),
                               document.image().end()));
  }
  return 0;
}
