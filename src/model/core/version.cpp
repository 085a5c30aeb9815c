#include "model/core/version.h"

#include <algorithm>
#include <string_view>

#include "model/core/rom_document.h"
#include "model/core/rom_view.h"

namespace kivo {
namespace {

ReleaseSignature Signature(uint8_t prgBanks, uint8_t flags, std::string_view extra,
                           std::string_view title) {
  ReleaseSignature s{};
  const uint8_t magic[] = {0x4E, 0x45, 0x53, 0x1A};
  std::copy(std::begin(magic), std::end(magic), s.begin());
  s[4] = prgBanks;
  s[5] = 0x00;
  s[6] = flags;
  std::copy(extra.begin(), extra.end(), s.begin() + 7);  // bytes 7..15, zero when empty
  std::copy(title.begin(), title.end(), s.begin() + 16);
  return s;
}

constexpr std::string_view kNoExtra{};
using namespace std::string_view_literals;

const std::array<ReleaseSignature, kReleaseCount> kSignatures = {
    Signature(0x10, 0x12, kNoExtra, " FINAL FANTASY 2"),
    Signature(0x10, 0x23, "vaskworks", "FF2eBeta03-07-97"),
    Signature(0x10, 0x23, kNoExtra, "FF2eBETAv93-Vask"),
    Signature(0x10, 0x12, kNoExtra, " F2eBETAv93-Vask"),
    Signature(0x10, 0x13, kNoExtra, "\0\0\0FINAL FANTASY"sv),
    Signature(0x10, 0x23, kNoExtra, " F2e 1.00 - Vask"),
    Signature(0x10, 0x13, kNoExtra, " FINAL FANTASY 2"),
    Signature(0x10, 0x12, kNoExtra, " F2eBETAv93-Brel"),
    Signature(0x20, 0x13, kNoExtra, "FINAL FANTASY1/2"),
};

Message ReleaseMessage(int release, uint32_t baseShift) {
  switch (release) {
    case 0:
      return {
          "This looks like the Original Japanese version.\n\nIt is recommended that you "
          "update your ROM with the IPS file included.",
          MessageIcon::Warning};
    case 1:
      return {
          "This looks like Vask's incomplete translation.\n\nThe editor doesn't support the "
          "text used in this version.\n\nIt is recommended you update your ROM with the .IPS "
          "file included.",
          MessageIcon::Warning};
    case 2:
      return {
          "This looks like Vask's translation, v.93.\n\nEverything is supported for this "
          "version.",
          MessageIcon::None};
    case 3:
      return {
          "This looks like Vask's translation, v1.03.\n\nEverything is supported for this "
          "version.",
          MessageIcon::None};
    case 4:
      return {
          "This looks like Final Fantasy 1. Kivo cannot edit FF1 to the extent that "
          "Runewright can yet. It is best that you continue hacking with Runewright for now.",
          MessageIcon::Warning, "Better off using Runewright"};
    case 5:
      return {
          "This looks like Vask's translation, v1.0.\n\nEverything is supported for this "
          "version.",
          MessageIcon::None};
    case 6:
      if (baseShift == 0) {
        return {"This looks like the prototype cart. Everything is supported for this version.",
                MessageIcon::None};
      }
      return {
          "This looks like the Final Fantasy 1 + Final Fantasy 2 combo cart.\n\nONLY the Final "
          "Fantasy 2 portion of this cart is supported.\n\nThis instance is also the "
          "Prototype.",
          MessageIcon::Warning};
    case 7:
      return {
          "This looks like Vask's translation, v1.03, with Brelmo's title screen "
          "fix.\n\nEverything is supported for this version.",
          MessageIcon::None};
    case 8:
      return {
          "This looks like the Final Fantasy 1 + Final Fantasy 2 combo cart.\n\nONLY the Final "
          "Fantasy 2 portion of this cart is supported.\n\nThis instance is also some version "
          "of Vask's translation.",
          MessageIcon::None};
    default:
      return {"Well, whatever you loaded isn't FF2.\n\nSAVE AT YOUR OWN RISK!",
              MessageIcon::Warning};
  }
}

}  // namespace

const std::array<ReleaseSignature, kReleaseCount>& ReleaseSignatures() {
  return kSignatures;
}

std::optional<int> MatchRelease(std::span<const uint8_t> image, uint32_t baseShift) {
  const ConstRomView header(image, 0);
  const ConstRomView game(image, baseShift);
  // Bytes outside the image never match: a short image matches nothing.
  if (!header.Contains(0, kHeaderSize) || !game.Contains(kTitleOffset, kTitleSize)) {
    return std::nullopt;
  }
  for (int row = 0; row < kReleaseCount; ++row) {
    const ReleaseSignature& s = kSignatures[row];
    if (std::equal(s.begin(), s.begin() + 16, image.begin()) &&
        std::equal(s.begin() + 16, s.end(), image.begin() + baseShift + kTitleOffset)) {
      return row;
    }
  }
  return std::nullopt;
}

std::optional<Message> IdentifyVersion(std::span<const uint8_t> image, uint32_t baseShift) {
  if (image.size() > kCombinationSize) {
    if (image.size() != kGbaSize) {
      return Message{"Well, whatever you loaded isn't bFF2.\n\nSAVE AT YOUR OWN RISK!",
                     MessageIcon::Warning};
    }
    const std::string_view gba(kGbaSignature);
    if (std::equal(gba.begin(), gba.end(), image.begin() + kGbaSignatureOffset,
                   [](char c, uint8_t b) { return b == static_cast<uint8_t>(c); })) {
      return Message{
          "Ahhh, I see you have loaded Final Fantasy 1 & 2: Dawn of Souls. It's too bad "
          "nothing is supported for this yet. :(\n\nGood thing this is 16 megs, any "
          "bigger and you could have trouble...",
          MessageIcon::None, "Give it time... it'll happen"};
    }
    return std::nullopt;
  }
  return ReleaseMessage(MatchRelease(image, baseShift).value_or(-1), baseShift);
}

}  // namespace kivo
