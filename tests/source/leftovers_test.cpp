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
      {"pres0.ppz", "index.html", false},  {"PRES0.PPZ", "index.html", false},
      {"SLD001.HTM", "index.html", true},  {"IMG007.JPG", "index.html", false},
      {"INDEX.HTML", "index.html", true},  {"talk.pptx", "index.html", true},
      {"photo.jpeg", "index.html", true},  {"sldxjpg", "index.html", false},
      {"ab", "index.html", true},          {"top.htm", "top.htm", false},
      {"sld", "index.html", true},         {"gif", "index.html", true},
      {"img001.png", "index.html", false}, {"SLD012.WEBP", "index.html", false},
      {"imgxwebp", "index.html", false},   {"img1.jpeg", "index.html", true},
      {"logo.png", "index.html", true},    {"Slide1.png", "index.html", true},
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

// A numbered series' images are never leftovers, before or after renaming,
// nor while the series cannot be the slides; beside an export's first slide
// image the rule is the export's alone.
TEST(Leftovers, SeriesImagesAreKept) {
  struct Case {
    std::vector<std::string> files;
    std::string gone;  // removed after the folder was accepted, "" for none
    std::string leftovers;
  } cases[] = {
      {{"Slide1.PNG", "Slide2.PNG", "logo2.png", "notes.txt"}, "", "logo2.png\r\nnotes.txt\r\n"},
      {{"img001.png", "img002.png", "index.htm"}, "", "index.htm\r\n"},
      {{"Slide1.png", "Slide2.png", "Slide3.png", "notes.txt"}, "Slide2.png", "notes.txt\r\n"},
      {{"img001.gif", "Slide1.png", "Slide2.png"}, "", "Slide1.png\r\nSlide2.png\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files.front());
    JobFixture f;
    for (const auto& n : c.files) f.put(n);
    f.browse_show();
    ASSERT_EQ(f.job.state.src_dir, f.show_dir());
    if (!c.gone.empty()) ::unlink(f.show.file(c.gone).c_str());
    search_gomi(f.job);
    EXPECT_EQ(f.window.text(TextField::Text4), c.leftovers);
  }
}

}  // namespace
}  // namespace vellumet
