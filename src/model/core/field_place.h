#pragma once
// Where in the file a value a page shows lives, so a field can say so.

#include <cstddef>
#include <string>

namespace kivo {

struct FieldPlace {
  enum class Part { Whole, HighNibble, LowNibble };
  std::size_t offset = 0;  // of the game data, as the model's constants give it
  int size = 1;            // bytes
  std::string what;        // the entry or record it belongs to: "HP/MP value 9"
  Part part = Part::Whole;
};

// "2 bytes at 0x30CE5 (HP/MP value 9)", "high 4 bits of 1 byte at 0x2CBB4
// (quantity set 1)": the offset in the file, the base shift added.
std::string DescribePlace(const FieldPlace& place, std::size_t baseShift);

}  // namespace kivo
