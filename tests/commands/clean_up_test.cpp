#include "commands/clean_up.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "command_fixture.h"

namespace vellumet {
namespace {

using testing::CommandFixture;

TEST(CleanUp, CleanUpAsksDeletesAndRescans) {
  CommandFixture f;
  for (const char* n : testing::kExportNames) f.put(n);
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

TEST(CleanUp, EveryLeftoverIsListedBeyondFiveHundred) {
  CommandFixture f;
  f.put("img001.gif");
  for (int i = 0; i < 700; ++i) f.put("page" + std::to_string(i) + ".htm");
  f.browse_show();
  EXPECT_EQ(f.job.state.gomi_files.size(), 700u);
  f.dialogs.answers = {Answer::Yes};
  gomi_click(f.job);
  EXPECT_EQ(testing::entries(f.show.path()), std::vector<std::string>{"img001.gif"});
}

TEST(CleanUp, EmptySourceNeverLooksAtTheWorkingFolder) {
  CommandFixture f;
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

TEST(CleanUp, ChosenDownloadFileInTheShowFolderIsKept) {
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
    CommandFixture f;
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

// The list follows the option at once: it never names the file the clean-up keeps.
TEST(CleanUp, LeftoverListFollowsTheDownloadOption) {
  CommandFixture f;
  f.dialogs.files = {f.show.file("slides.zip")};
  down_file_click(f.job);  // no source folder yet: the list stays empty
  EXPECT_EQ(f.window.text(TextField::Text4), "");
  down_off_click(f.job);

  f.put("img001.gif");
  f.put("slides.zip");
  f.browse_show();
  auto listed = [&f] { return f.window.text(TextField::Text4) == "slides.zip\r\n"; };
  EXPECT_TRUE(listed());
  f.window.set_check(CheckBox::Check2, kChecked);  // the same file, chosen again
  EXPECT_EQ(f.window.text(TextField::Text4), "不要なファイルはありません");
  EXPECT_EQ(f.job.state.gomi_count, 0);
  down_off_click(f.job);
  EXPECT_TRUE(listed());
  EXPECT_EQ(f.job.state.gomi_count, 1);
}

}  // namespace
}  // namespace vellumet
