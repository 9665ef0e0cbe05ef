#include "source/leftovers.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;

const char* kExport[] = {"img001.gif",  "sld001.gif",  "sld001.htm",  "sld002.htm",
                         "tsld001.htm", "navbtn1.htm", "navbtn2.htm", "index.htm",
                         "index.html",  "pres0.ppz",   "talk.ppt",    "next.gif"};

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
  for (const char* n : kExport) f.put(n);
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

TEST(Leftovers, CleanUpAsksDeletesAndRescans) {
  JobFixture f;
  for (const char* n : kExport) f.put(n);
  ::mkdir(f.show.file("buttons").c_str(), 0755);
  f.put(".hidden");
  f.browse_show();

  f.dialogs.answers = {Answer::No};
  gomi_click(f.job);
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0],
            question_box("余分なファイルの消去",
                         "PowerPointでエキスポートしたゴミファイルを消去しますか？"));
  EXPECT_EQ(f.job.state.gomi_count, 5);

  f.dialogs.answers = {Answer::Yes};
  gomi_click(f.job);
  EXPECT_EQ(
      testing::entries(f.show.path()),
      (std::vector<std::string>{".hidden", "buttons", "img001.gif", "index.html", "navbtn1.htm",
                                "pres0.ppz", "sld001.gif", "sld001.htm", "talk.ppt"}));
  EXPECT_EQ(f.window.text(TextField::Text4), "不要なファイルはありません");
  EXPECT_FALSE(f.window.visible(Control::Command5));
  EXPECT_EQ(f.dialogs.shown.size(), 2u);

  gomi_click(f.job);  // nothing left: no question
  EXPECT_EQ(f.dialogs.shown.size(), 2u);
}

TEST(Leftovers, EveryLeftoverIsListedBeyondFiveHundred) {
  JobFixture f;
  f.put("img001.gif");
  for (int i = 0; i < 700; ++i) f.put("page" + std::to_string(i) + ".htm");
  f.browse_show();
  EXPECT_EQ(f.job.state.gomi_files.size(), 700u);
  f.dialogs.answers = {Answer::Yes};
  gomi_click(f.job);
  EXPECT_EQ(testing::entries(f.show.path()), std::vector<std::string>{"img001.gif"});
}

TEST(Leftovers, EmptySourceNeverLooksAtTheWorkingFolder) {
  JobFixture f;
  f.put("junk.htm");
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(f.show.path().c_str()), 0);
  gomi_click(f.job);
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_TRUE(f.dialogs.shown.empty());
  EXPECT_EQ(f.job.state.gomi_count, 0);
  EXPECT_EQ(f.window.text(TextField::Text4), "不要なファイルはありません");
  EXPECT_TRUE(testing::exists(f.show.file("junk.htm")));
}

TEST(Leftovers, ChosenDownloadFileInTheShowFolderIsKept) {
  struct Case {
    int check2;
    std::string text5;  // "@" stands for the show folder
    bool kept;
  } cases[] = {
      {1, "@/slides.zip", true},
      {1, "slides.zip", true},
      {1, "@/./sub/../slides.zip", true},
      {0, "@/slides.zip", false},
      {1, "/elsewhere/slides.zip", false},
      {1, "", false},
      {1, "other.zip", false},
  };
  for (const auto& c : cases) {
    JobFixture f;
    f.put("img001.gif");
    f.put("slides.zip");
    f.put("junk.htm");
    ::mkdir(f.show.file("sub").c_str(), 0755);
    std::string text5 = c.text5;
    if (text5.starts_with('@')) text5 = f.show.path() + text5.substr(1);
    f.window.set_text(TextField::Text5, text5);
    f.dialogs.files = {text5};
    f.window.set_check(CheckBox::Check2, c.check2);
    f.browse_show();
    EXPECT_EQ(f.window.text(TextField::Text4).find("slides.zip") == std::string::npos, c.kept)
        << c.text5;
    f.dialogs.answers = {Answer::Yes};
    gomi_click(f.job);
    EXPECT_EQ(testing::exists(f.show.file("slides.zip")), c.kept) << c.text5;
    EXPECT_FALSE(testing::exists(f.show.file("junk.htm")));
  }
}

}  // namespace
}  // namespace vellumet
