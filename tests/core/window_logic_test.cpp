#include "state/window_logic.h"

#include <gtest/gtest.h>

#include "fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;

TEST(WindowLogic, StartUpState) {
  JobFixture f;
  testing::write_bytes(f.program.file("VellumetDefault.ini"),
                       "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n2\r\n");
  f.job.state = JobState{};
  form_load(f.job);
  EXPECT_FALSE(f.window.visible(Control::Command2));
  EXPECT_FALSE(f.window.visible(Control::Command5));
  EXPECT_EQ(f.job.state.frame_style, 2);
  EXPECT_EQ(f.job.state.button_img[8], "8");
  EXPECT_FLOAT_EQ(f.job.state.frame_scale, 10.0f);
  EXPECT_EQ(f.job.state.first_file[3], "sld001.gif");
  EXPECT_EQ(
      f.job.state.cr_char + f.job.state.lf_char + f.job.state.tab_char + f.job.state.quote_char,
      "\r\n\t\"");
  EXPECT_EQ(f.window.text(TextField::Text2), "");
  EXPECT_EQ(
      f.window.text(TextField::Text1),
      "ここには、PowerPointでHTMLエキスポートされたGIFファイルなどの収納されたディレクトリ名を"
      "記述して下さい \r\n(上の参照ボタンをクリックすれば探しにいけます）");
  EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(WindowLogic, PlayerOptionMenusAndBoxStayInStep) {
  JobFixture f;
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

TEST(WindowLogic, DownloadOptionOpensTheDialogOnlyWhenTurnedOn) {
  JobFixture f;
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

TEST(WindowLogic, ExitQuestionAndPlannedFeatures) {
  JobFixture f;
  f.dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(end_syori_click(f.job));
  EXPECT_TRUE(end_syori_click(f.job));
  EXPECT_EQ(f.dialogs.shown[0], question_box("プログラム終了", "終了しますか。"));
  mott_option_click(f.job);
  EXPECT_EQ(f.dialogs.shown[2],
            info_box("もっとこだわりたい...",
                     "以下の機能を考えていますが、まだ実装できていません。\r\n\n"
                     "\t１．ボタンのイメージファイルを任意に指定できるようにする\r\n"
                     "\t２．サーバーへの ftp 転送\r\n"
                     "\t３．HTML作成後にブラウザの自動立ち上げ\r\n"
                     "\t４．テンプレートファイルのカプセル化または保護\r\n\n"
                     "その他にも注文あればお寄せください。"));
}

}  // namespace
}  // namespace vellumet
