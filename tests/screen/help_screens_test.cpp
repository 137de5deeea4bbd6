// The key lists of the help boxes and how long lines are set into the box.
#include <gtest/gtest.h>

#include "screen/help_screens.h"

namespace {

using namespace vormel;

TEST(HelpScreens, KeyListsAndWrapping) {
  EXPECT_EQ(screen::HELPGER_LINES().size(), 16u);
  EXPECT_EQ(screen::HELPFUN_LINES().size(), 34u);

  auto wrapped = screen::wrap_box_lines({"abc defg hij", "short", "abcdefghijklmno"}, 8, 2);
  const std::vector<std::string> want{"abc defg", "  hij", "short", "abcdefgh", "  ijklmn", "  o"};
  EXPECT_EQ(wrapped, want);
  for (const auto& l : screen::wrap_box_lines(screen::HELPGER_LINES(), 76, 7)) EXPECT_LE(l.size(), 76u) << l;
}

}  // namespace
