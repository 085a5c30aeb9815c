#include "model/text/text_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "demo/demo_image.h"
#include "demo/demo_tables.h"

namespace kivo {
namespace {

TEST(TextSearch, GoesRoundEveryCategoryBothWaysInAnyCase) {
  const std::vector<uint8_t> image = demo::BuildDemoImage();
  const CharTable dte = demo::DemoDteTable();
  const KeywordNames keywords{};
  const auto text = [&](EntryAt at) {
    std::string t = ShowTextEntry(image, 0, at.category, at.row, dte, keywords).boxes.text;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
    return t;
  };
  const std::string wanted = text({3, 4});
  ASSERT_FALSE(wanted.empty());
  std::string typed = wanted;
  std::transform(typed.begin(), typed.end(), typed.begin(),
                 [](unsigned char c) { return std::toupper(c); });

  const std::optional<EntryAt> found = FindTextEntry(image, 0, {0, 0}, typed, true, dte, keywords);
  ASSERT_TRUE(found);
  EXPECT_NE(text(*found).find(wanted), std::string::npos);
  // The previous holder's next holder is this one, whichever way round it lies.
  const std::optional<EntryAt> back = FindTextEntry(image, 0, *found, typed, false, dte, keywords);
  ASSERT_TRUE(back);
  EXPECT_EQ(FindTextEntry(image, 0, *back, typed, true, dte, keywords), found);

  EXPECT_FALSE(FindTextEntry(image, 0, {0, 0}, "no entry holds this", true, dte, keywords));
  EXPECT_FALSE(FindTextEntry(image, 0, {0, 0}, "", true, dte, keywords));
}

}  // namespace
}  // namespace kivo
