#include <gtest/gtest.h>

#include <random>

#include "model/core/crc32.h"
#include "model/patch/patch.h"

namespace kivo {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Assembles a BPS patch by hand, from the format's description.
struct BpsBuilder {
  Bytes out = Text("BPS1");
  void Number(uint64_t n) {
    for (;;) {
      uint8_t x = n & 0x7F;
      n >>= 7;
      if (n == 0) {
        out.push_back(0x80 | x);
        return;
      }
      out.push_back(x);
      n -= 1;
    }
  }
  void Action(uint64_t length, int kind) { Number(((length - 1) << 2) | kind); }
  void Crc(uint32_t crc) {
    for (int i = 0; i < 4; ++i)
      out.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  }
  Bytes Finish(const Bytes& source, const Bytes& target) {
    Crc(Crc32(source));
    Crc(Crc32(target));
    Crc(Crc32(out));
    return out;
  }
};

Bytes RandomImage(std::mt19937& rng, std::size_t size) {
  Bytes b(size);
  for (auto& x : b)
    x = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : 0);
  return b;
}

void ExpectRoundTrip(const Bytes& source, const Bytes& target, const char* what) {
  for (PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
    SCOPED_TRACE(std::string(what) + " " + std::string(PatchFormatName(format)));
    const auto patch = CreatePatch(format, source, target);
    ASSERT_TRUE(patch) << patch.error;
    const auto applied = ApplyPatch(source, patch.value);
    ASSERT_TRUE(applied) << applied.error;
    EXPECT_TRUE(applied.value == target);
  }
}

TEST(Patch, RandomEditsGrowthAndTruncationRoundTripThroughBothFormats) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    const Bytes source = RandomImage(rng, 1 + rng() % 5000);
    Bytes target = source;
    for (int edits = rng() % 40; edits > 0; --edits) {
      const std::size_t at = rng() % target.size();
      const std::size_t n = std::min<std::size_t>(1 + rng() % 300, target.size() - at);
      const uint8_t fill = static_cast<uint8_t>(rng());
      for (std::size_t i = at; i < at + n; ++i)
        target[i] = rng() % 2 ? fill : static_cast<uint8_t>(rng());
    }
    if (round % 3 == 1)
      target.resize(target.size() + rng() % 200, 0);  // grown with zeros at the end
    if (round % 3 == 2)
      target.resize(rng() % target.size());
    ExpectRoundTrip(source, target, "random");
  }
}

TEST(Patch, MovedBlocksRunsAndTheEofOffsetCostLittle) {
  std::mt19937 rng(3);
  Bytes source(0x80010);
  for (auto& x : source)
    x = static_cast<uint8_t>(rng());
  Bytes target = source;
  std::copy_n(source.begin() + 0x1000, 4096, target.begin() + 0x40000);
  std::fill_n(target.begin() + 0x60000, 1000, 0xAA);
  ExpectRoundTrip(source, target, "moved");
  EXPECT_LT(CreateBps(source, target).size(), 120u);
  EXPECT_LT(CreateIps(source, target).value.size(), 4096u + 40u);  // IPS has no copies

  // A run is one record in IPS.
  Bytes runs = source;
  std::fill_n(runs.begin() + 0x100, 1000, 0xAA);
  EXPECT_LT(CreateIps(source, runs).value.size(), 30u);

  // No IPS record may start at 0x454F46, whose offset bytes read "EOF".
  Bytes big(0x454F80, 0x11);
  for (std::size_t at : {0x454F46u, 0x454F40u}) {
    Bytes changed = big;
    std::fill_n(changed.begin() + at, at == 0x454F40u ? 40 : 1, 0x22);
    changed[0x454F46 + 20] = 0x33;
    ExpectRoundTrip(big, changed, "eof");
  }
  EXPECT_FALSE(CreateIps(Bytes{}, Bytes(0x1000000)));
}

TEST(Patch, HandMadePatchesApplyAndDescribeThemselves) {
  const Bytes source = Text("ABCDEFGHIJ");
  // IPS: a literal at 1, a run of four 'z' at 6, then a cut to 8 bytes.
  Bytes ips = Text("PATCH");
  ips.insert(ips.end(), {0, 0, 1, 0, 2, 'x', 'y', 0, 0, 6, 0, 0, 0, 4, 'z', 'E', 'O', 'F', 0, 0, 8});
  auto applied = ApplyPatch(source, ips);
  ASSERT_TRUE(applied) << applied.error;
  EXPECT_EQ(applied.value, Text("AxyDEFzz"));
  auto info = ReadPatchInfo(ips);
  EXPECT_EQ(info.value.records, 2u);
  EXPECT_EQ(info.value.targetSize, 8u);
  EXPECT_FALSE(info.value.sourceCrc32);

  // BPS: SourceRead 2, TargetRead "xy", SourceCopy backwards, TargetCopy
  // overlapping to repeat the last byte, with metadata kept.
  const Bytes target = Text("ABxyBCDDDD");
  BpsBuilder b;
  b.Number(source.size());
  b.Number(target.size());
  b.Number(4);
  for (char c : std::string("meta"))
    b.out.push_back(static_cast<uint8_t>(c));
  b.Action(2, 0);
  b.Action(2, 1);
  b.out.push_back('x');
  b.out.push_back('y');
  b.Action(3, 2);
  b.Number(1 << 1);  // source cursor 0 -> 1: "BCD"
  b.Action(3, 3);
  b.Number(6 << 1);  // target cursor 0 -> 6: the 'D' just written, repeated
  const Bytes bps = b.Finish(source, target);
  applied = ApplyPatch(source, bps);
  ASSERT_TRUE(applied) << applied.error;
  EXPECT_EQ(applied.value, target);
  info = ReadPatchInfo(bps);
  EXPECT_EQ(info.value.metadata, "meta");
  EXPECT_EQ(info.value.records, 4u);
  EXPECT_EQ(info.value.sourceCrc32, Crc32(source));
  EXPECT_EQ(info.value.patchCrc32Ok, true);
}

TEST(Patch, EveryFailureGivesItsReasonAndNoImage) {
  const Bytes source = Text("ABCDEFGHIJ");
  Bytes other = source;
  other[0] = 'Z';
  const Bytes target = Text("ABCDEFGHIX");
  const Bytes bps = CreateBps(source, target);

  auto expectError = [&](const Bytes& on, const Bytes& patch, std::string_view part) {
    const auto r = ApplyPatch(on, patch);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.value.empty());
    EXPECT_NE(r.error.find(part), std::string::npos) << r.error;
  };
  expectError(other, bps,
              "This patch was made for another ROM: it expects CRC32 " +
                  Crc32Text(Crc32(source)) + ", this file has " + Crc32Text(Crc32(other)) + ".");
  EXPECT_TRUE(ApplyPatch(other, bps, true));  // --ignore-checksums
  expectError(source, Text("JUNK and more bytes"), "not an IPS or BPS patch");
  expectError(source, Bytes(bps.begin(), bps.end() - 1), "damaged");
  Bytes flipped = bps;
  flipped[6] ^= 1;
  expectError(source, flipped, "its CRC32");
  using namespace std::literals;
  expectError(source, Text("PATCH\0\0\1\0\5ab"sv), "cut short");

  // An action past its buffer, and a result that is not the target.
  BpsBuilder reads;
  reads.Number(source.size());
  reads.Number(20);
  reads.Number(0);
  reads.Action(20, 0);
  expectError(source, reads.Finish(source, Bytes(20)), "outside its file");
  BpsBuilder copies;
  copies.Number(source.size());
  copies.Number(2);
  copies.Number(0);
  copies.Action(2, 3);
  copies.Number(0);
  expectError(source, copies.Finish(source, Bytes(2)), "outside its file");
  BpsBuilder wrong;
  wrong.Number(source.size());
  wrong.Number(source.size());
  wrong.Number(0);
  wrong.Action(source.size(), 0);
  expectError(source, wrong.Finish(source, target), "its CRC32 is");
}

}  // namespace
}  // namespace kivo
