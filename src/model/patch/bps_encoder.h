#pragma once
// The body of a BPS patch: magic, sizes, no metadata, and the actions that
// build the target, without the closing checksums.

#include <cstdint>
#include <span>
#include <vector>

namespace kivo {

std::vector<uint8_t> EncodeBpsActions(std::span<const uint8_t> source,
                                      std::span<const uint8_t> target);

}  // namespace kivo
