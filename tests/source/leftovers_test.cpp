#include "source/leftovers.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "job_fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;

TEST(Leftovers, RuleTable) {
  struct Case {
    const char* name;
    const char* page;
    bool leftover;
  } cases[] = {
      {"pres0.ppz", "index.html", false}, {"PRES0.PPZ", "index.html", false},
      {"SLD001.HTM", "index.html", true}, {"IMG007.JPG", "index.html", false},
      {"INDEX.HTML", "index.html", true}, {"talk.pptx", "index.html", true},
      {"photo.jpeg", "index.html", true}, {"sldxjpg", "index.html", false},
      {"ab", "index.html", true},         {"top.htm", "top.htm", false},
      {"sld", "index.html", true},        {"gif", "index.html", true},
  };
  for (const auto& c : cases) EXPECT_EQ(is_leftover(c.name, c.page, ""), c.leftover) << c.name;
}

TEST(Leftovers, ScanListsLeftoversInListingOrder) {
  JobFixture f;
  for (const char* n : testing::kExportNames) f.put(n);
  f.browse_show();
  EXPECT_EQ(f.window.text(TextField::Text4),
            "index.htm\r\nnavbtn2.htm\r\nnext.gif\r\nsld002.htm\r\ntsld001.htm\r\n");
  EXPECT_EQ(f.job.state.gomi_count, 5);
  EXPECT_TRUE(f.window.visible(Control::Command5));

  f.window.set_text(TextField::Text3, "index.htm");
  search_gomi(f.job);
  EXPECT_EQ(f.window.text(TextField::Text4),
            "index.html\r\nnavbtn2.htm\r\nnext.gif\r\nsld002.htm\r\ntsld001.htm\r\n");
}

}  // namespace
}  // namespace vellumet
