#pragma once
// World maps for synthetic images: an encoded grid with its row pointers, a
// hand-made row anywhere, and the demo image's small archipelago.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "demo/image_builder.h"
#include "model/map/world_map.h"

namespace kivo::demo {

// Encodes `grid` and writes the row pointers and rows exactly as a save does;
// a grid too large for the map's room is not written (see the result).
WorldMapWrite PlaceWorldMap(ImageBuilder& builder, const WorldMapGrid& grid);

// Points row `row` at file offset `offset` and puts `bytes` there, for rows
// the encoder never writes (odd run lengths, missing terminators).
ImageBuilder& PlaceMapRow(ImageBuilder& builder, int row, std::size_t offset,
                          std::span<const uint8_t> bytes);
ImageBuilder& PlaceMapRow(ImageBuilder& builder, int row, std::size_t offset,
                          std::initializer_list<uint8_t> bytes);

// Metatiles of the demo map.
inline constexpr uint8_t kDemoSea = 0x00;
inline constexpr uint8_t kDemoShore = 0x01;
inline constexpr uint8_t kDemoGrass = 0x02;
inline constexpr uint8_t kDemoForest = 0x03;
inline constexpr uint8_t kDemoMountain = 0x04;
inline constexpr uint8_t kDemoTown = 0x05;

// A few islands in a sea, the same every time, well inside the map's room.
WorldMapGrid DemoWorldMap();

}  // namespace kivo::demo
