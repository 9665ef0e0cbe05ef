#include "source/slide_words.h"

#include <gtest/gtest.h>

namespace vellumet {
namespace {

using namespace std::string_literals;

TEST(ShownText, KeepsWordsAndLineEndsOnly) {
  const std::pair<std::string, std::u32string> cases[] = {
      {"a\r\nb\rc\nd", U"a\nb\nc\nd"},
      {"tab\there", U"tab here"},
      {"nul\0bel\a del\x7f c1\xc2\x85."s, U"nulbel del c1."},
      {"bad \xff\xfe byte", U"bad \uFFFD\uFFFD byte"},
      {"para\xe2\x80\xa9next", U"para\nnext"},
      {"港の計画 😀", U"港の計画 😀"},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(shown_text(in), want) << in;
}

TEST(SlideTitle, FirstLineWithWordsShortened) {
  const std::u32string long_line(50, U'あ');
  const std::pair<std::u32string, std::u32string> cases[] = {
      {U"", U""},
      {U"  \n\u3000\n  Harbour   plan \u3000 2024  \nbody", U"Harbour plan 2024"},
      {long_line, std::u32string(kTitleLength - 1, U'あ') + U"…"},
      {std::u32string(kTitleLength, U'x'), std::u32string(kTitleLength, U'x')},
      // No blank stays before the ellipsis.
      {std::u32string(kTitleLength - 2, U'x') + U" yz",
       std::u32string(kTitleLength - 2, U'x') + U"…"},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(slide_title(text), want);
}

}  // namespace
}  // namespace vellumet
