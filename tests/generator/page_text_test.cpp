#include "generator/page_text.h"

#include <gtest/gtest.h>

namespace vellumet {
namespace {

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
