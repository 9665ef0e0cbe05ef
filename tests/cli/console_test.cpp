#include "cli/console.h"

#include <gtest/gtest.h>

namespace vellumet::cli {
namespace {

TEST(QuotedName, PrintableNamesStayAndOthersAreQuotedAsLsQuotesThem) {
  struct Case {
    const char* codeset;
    std::string name, shown;
  } cases[] = {
      {"UTF-8", "plain name.htm", "plain name.htm"},
      {"UTF-8", "it's \\ 資料.htm", "it's \\ 資料.htm"},
      {"UTF-8", "\x1b]0;pwned\a.htm", "$'\\033]0;pwned\\a.htm'"},
      {"UTF-8", "a\nb\tc\r.htm", "$'a\\nb\\tc\\r.htm'"},
      {"UTF-8", "\xff\xfe.htm", "$'\\377\\376.htm'"},
      {"UTF-8", "it's\x01 \\資料", "$'it\\'s\\001 \\\\資料'"},
      {"UTF-8",
       "\xc2\x9b"
       "31m",
       "$'\\302\\23331m'"},  // a C1 control
      {"UTF-8",
       "txt.\xe2\x80\xae"
       "exe",
       "$'txt.\\342\\200\\256exe'"},  // text turned around
      {"UTF-8", "\x7f", "$'\\177'"},
      {"CP932", "\x8e\x91\x97\xbf.zip", "\x8e\x91\x97\xbf.zip"},
      {"CP932", "\x8e\x91\a\x80.zip", "$'\x8e\x91\\a\\200.zip'"},
  };
  for (const Case& c : cases) {
    const Codec codec(c.codeset);
    EXPECT_EQ(quoted_name(c.name, codec), c.shown) << c.shown;
  }
}

}  // namespace
}  // namespace vellumet::cli
