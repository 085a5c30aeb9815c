#include "model/core/field_place.h"

#include <cstdio>

namespace kivo {

std::string DescribePlace(const FieldPlace& place, std::size_t baseShift) {
  char offset[24];
  std::snprintf(offset, sizeof offset, "0x%zX", place.offset + baseShift);
  std::string text;
  if (place.part == FieldPlace::Part::HighNibble)
    text = "high 4 bits of ";
  else if (place.part == FieldPlace::Part::LowNibble)
    text = "low 4 bits of ";
  text += std::to_string(place.size) + (place.size == 1 ? " byte at " : " bytes at ") + offset;
  if (!place.what.empty())
    text += " (" + place.what + ")";
  return text;
}

}  // namespace kivo
