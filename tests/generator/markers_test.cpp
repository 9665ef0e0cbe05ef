#include "generator/markers.h"

#include <gtest/gtest.h>

namespace vellumet {
namespace {

TEST(FindStr, PositionsAreOneBasedAndExact) {
  struct Case {
    std::u32string text, marker;
    std::size_t want;
  } cases[] = {
      {U"navbtn0.htm", U"navbtn0", 1},
      {U"a GIF and a GIF", U"GIF", 3},
      {U"img.gif", U"GIF", 0},
      {U"", U"x", 0},
      {U"abc", U"", 1},
      {U"", U"", 1},
      {U"ab", U"abc", 0},
      {U"表GIF", U"GIF", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(find_str(c.text, c.marker), c.want);
}

TEST(ReplaceFirst, ChangesOnlyTheFirstOccurrence) {
  std::u32string line = U"T_BUTTON x T_BUTTON";
  EXPECT_TRUE(replace_first(line, U"T_BUTTON", U"a.svg"));
  EXPECT_EQ(line, U"a.svg x T_BUTTON");
  std::u32string none = U"nothing";
  EXPECT_FALSE(replace_first(none, U"GIF", U"gif"));
  EXPECT_EQ(none, U"nothing");
  std::u32string gift = U"GIFT";
  replace_first(gift, U"GIF", U"jpg");
  EXPECT_EQ(gift, U"jpgT");
}

TEST(StartsWithMarker, SkipsBlanksButNotTabs) {
  EXPECT_TRUE(starts_with_marker(U"    <TITLE>old</TITLE>", U"<TITLE>"));
  EXPECT_TRUE(starts_with_marker(U"<TITLE>", U"<TITLE>"));
  EXPECT_FALSE(starts_with_marker(U"\t<TITLE>old", U"<TITLE>"));
  EXPECT_FALSE(starts_with_marker(U"<title>old", U"<TITLE>"));
  EXPECT_FALSE(starts_with_marker(U"x <TITLE>", U"<TITLE>"));
  EXPECT_FALSE(starts_with_marker(U"   ", U"<TITLE>"));
}

}  // namespace
}  // namespace vellumet
