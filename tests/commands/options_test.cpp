#include "commands/options.h"

#include <gtest/gtest.h>

#include "command_fixture.h"
#include "source/slide_set.h"

namespace vellumet {
namespace {

using testing::CommandFixture;

TEST(Options, PlayerOptionMenusAndBoxStayInStep) {
  CommandFixture f;
  pp_button_on_click(f.job);
  EXPECT_EQ(f.window.check(CheckBox::Check1), kChecked);
  EXPECT_TRUE(f.window.menu_checked(MenuMark::pp_button_on));
  EXPECT_FALSE(f.window.menu_checked(MenuMark::pp_button_off));
  pp_button_on_click(f.job);  // already on: marks only
  EXPECT_TRUE(f.window.menu_checked(MenuMark::pp_button_on));
  f.window.set_check(CheckBox::Check1, kUnchecked);  // as a click would
  EXPECT_FALSE(f.window.menu_checked(MenuMark::pp_button_on));
  EXPECT_TRUE(f.window.menu_checked(MenuMark::pp_button_off));
  pp_button_on_click(f.job);
  pp_button_off_click(f.job);
  EXPECT_EQ(f.window.check(CheckBox::Check1), kUnchecked);
  EXPECT_TRUE(f.window.menu_checked(MenuMark::pp_button_off));
}

TEST(Options, DownloadOptionOpensTheDialogOnlyWhenTurnedOn) {
  CommandFixture f;
  f.dialogs.files = {std::string("/data/slides.zip")};
  down_file_click(f.job);
  EXPECT_EQ(f.dialogs.file_dialog_titles,
            std::vector<std::string>{"ダウンロード指定ファイルを選択して下さい。"});
  EXPECT_EQ(f.window.text(TextField::Text5), "/data/slides.zip");
  EXPECT_TRUE(f.window.visible(Control::Text5));
  EXPECT_TRUE(f.window.menu_checked(MenuMark::down_file));
  down_file_click(f.job);  // already on: no second dialog
  EXPECT_EQ(f.dialogs.file_dialog_titles.size(), 1u);

  down_off_click(f.job);
  EXPECT_FALSE(f.window.visible(Control::Text5));
  EXPECT_EQ(f.window.text(TextField::Text5), "/data/slides.zip");
  EXPECT_TRUE(f.window.menu_checked(MenuMark::down_off));

  f.window.set_check(CheckBox::Check2, kChecked);  // ticked directly, then cancelled
  EXPECT_EQ(f.dialogs.file_dialog_titles.size(), 2u);
  EXPECT_EQ(f.window.text(TextField::Text5), "/data/slides.zip");
  EXPECT_TRUE(f.window.visible(Control::Text5));
  EXPECT_TRUE(f.window.menu_checked(MenuMark::down_off));  // a direct tick moves no marks
}

TEST(Options, IconMenusReadTheListTheyChoose) {
  CommandFixture f;
  const std::string refs = "t\r\nf\r\np\r\nn\r\nl\r\nm\r\nd\r\ns\r\n";
  testing::write_bytes(f.program.file("VellumetDefault.ini"), refs + "2\r\n");
  testing::write_bytes(f.program.file("Vellumet.ini"), refs + "3,x\r\n");
  f.job.state.frame_style = 1;  // as the frame style dialog would
  icon_custom_click(f.job);
  EXPECT_EQ(f.job.state.frame_style, 3);
  EXPECT_TRUE(f.window.menu_checked(MenuMark::icon_custom));
  EXPECT_FALSE(f.window.menu_checked(MenuMark::icon_server));
  icon_server_click(f.job);
  EXPECT_EQ(f.job.state.frame_style, 2);
  EXPECT_TRUE(f.window.menu_checked(MenuMark::icon_server));
  EXPECT_FALSE(f.window.menu_checked(MenuMark::icon_custom));
  EXPECT_TRUE(f.dialogs.shown.empty());
}

// Detection ticks or clears Check1; its reaction moves the player marks.
TEST(Options, DetectionMovesThePlayerMarks) {
  for (bool ppz : {false, true}) {
    CommandFixture f;
    f.put("img001.gif");
    if (ppz) f.put("movie.ppz");
    f.browse_show();
    EXPECT_EQ(f.window.menu_checked(MenuMark::pp_button_on), ppz);
    testing::TempDir other;
    preview_pic(f.job, other.path());
    EXPECT_TRUE(f.window.menu_checked(MenuMark::pp_button_off));
  }
}

}  // namespace
}  // namespace vellumet
