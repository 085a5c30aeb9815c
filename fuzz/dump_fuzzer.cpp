// Any bytes loaded as a dump into the demo image, with the demo tables. A
// refused load plans no edit and leaves the image as it was; a load taken
// changes the bytes it counted, all of them game data some kind covers.
// Inputs of odd length allow text to overwrite what follows it.

#include <algorithm>
#include <string_view>
#include <vector>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"
#include "model/core/rom_document.h"
#include "model/dump/dump.h"
#include "support.h"

using namespace kivo;

namespace {

// Whether each byte of the demo image is game data of some kind.
std::vector<bool> CoveredByAnyKind() {
  std::vector<bool> covered(kStandaloneSize);
  for (DumpKind kind : kDumpKinds) {
    for (const DumpSpan& span : DumpSpans(kind))
      std::fill_n(covered.begin() + static_cast<std::ptrdiff_t>(span.offset), span.length, true);
  }
  return covered;
}

}  // namespace

// A dump of every kind of the demo image is about 400 KB.
KIVO_FUZZ_MAX_LEN(1 << 19)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> image = demo::BuildDemoImage();
  static const CharTable standard = demo::DemoStandardTable();
  static const CharTable dte = demo::DemoDteTable();
  static const std::vector<bool> covered = CoveredByAnyKind();
  static RomDocument document;
  if (!document.held())
    document.Adopt(image, "demo.nes");
  const DumpContext context{&standard, &dte, nullptr};

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const DumpLoad load = PlanDumpLoad(document, text, context, size % 2 == 1);
  KIVO_FUZZ_CHECK(
      std::equal(image.begin(), image.end(), document.image().begin(), document.image().end()));
  if (!load.ok()) {
    KIVO_FUZZ_CHECK(load.edits.empty());
    return 0;
  }
  RomDocument copy;
  copy.Adopt(image, "demo.nes");
  const ByteChange change = copy.Apply([&](const RomView& rom) { load.Apply(rom); });
  KIVO_FUZZ_CHECK(change.changedBytes() == load.changedBytes);
  for (const ByteChange::Run& run : change.runs()) {
    for (std::size_t i = 0; i < run.after.size(); ++i) {
      if (run.before[i] != run.after[i])
        KIVO_FUZZ_CHECK(covered[run.offset + i]);
    }
  }
  return 0;
}
