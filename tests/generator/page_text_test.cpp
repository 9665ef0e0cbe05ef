#include "generator/page_text.h"

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

// Nothing in a slide's words can end the script string or the script block.
TEST(ScriptString, NothingEndsTheStringOrTheScript) {
  struct Case {
    const char* codeset;
    std::u32string text, want;
  } cases[] = {
      {"UTF-8", U"say \"hi\" \\ ok", U"\"say \\\"hi\\\" \\\\ ok\""},
      {"UTF-8", U"</script><!--x-->", U"\"\\u003C/script\\u003E\\u003C!--x--\\u003E\""},
      {"UTF-8", U"a\nb\u2028c\x01", U"\"a\\nb\\u2028c\\u0001\""},
      {"UTF-8", U"港😀\xDCFF", U"\"港😀\\uFFFD\""},
      {"CP932", U"港😀 ok", U"\"\\u6E2F\\uD83D\\uDE00 ok\""},
  };
  for (const auto& c : cases) {
    const Codec codec(c.codeset);
    EXPECT_EQ(script_string(codec, c.text), c.want) << c.codeset;
  }
}

}  // namespace
}  // namespace vellumet
