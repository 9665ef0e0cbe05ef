#include "commands/start_up.h"

#include <gtest/gtest.h>

#include "command_fixture.h"

namespace vellumet {
namespace {

using testing::CommandFixture;

TEST(StartUp, StartUpState) {
  CommandFixture f;
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

}  // namespace
}  // namespace vellumet
