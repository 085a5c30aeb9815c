#pragma once
// The nine characters of the demo image: names, statistics, spells with
// their levels, weapon skills and equipment, written as the Character page
// writes them.

#include "demo/image_builder.h"
#include "model/text/char_table.h"

namespace kivo::demo {

// Writes the nine character records, their names encoded with `table` (the
// demo standard table).
void PlaceDemoCharacters(ImageBuilder& image, const CharTable& table);

}  // namespace kivo::demo
