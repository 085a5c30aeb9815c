#pragma once
// Which release of the game an image is, from its header and title bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "model/core/message.h"

namespace kivo {

// A release signature: the 16 header bytes, then the 16 title bytes.
using ReleaseSignature = std::array<uint8_t, 32>;

inline constexpr int kReleaseCount = 9;
const std::array<ReleaseSignature, kReleaseCount>& ReleaseSignatures();

// The Game Boy Advance compilation's title and game code at 0xA0..0xAF.
inline constexpr std::size_t kGbaSignatureOffset = 0xA0;
inline constexpr const char* kGbaSignature = "FF1&2DAWNOFSBFFE";

// The first release whose 32 bytes all match, or none.
std::optional<int> MatchRelease(std::span<const uint8_t> image, uint32_t baseShift);

// The Check Version outcome: the one message to show, or none (a 16 MB image
// that is not the Game Boy Advance compilation).
std::optional<Message> IdentifyVersion(std::span<const uint8_t> image, uint32_t baseShift);

}  // namespace kivo
