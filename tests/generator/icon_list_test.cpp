#include "generator/icon_list.h"

#include <gtest/gtest.h>

#include "job_fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;
using testing::write_bytes;

const std::string kEight =
    "t.svg\r\nf.svg\r\np.svg\r\nn.svg\r\nl.svg\r\nm.svg\r\nd.svg\r\n s.svg \r\n";

TEST(IconList, ReadsEightReferencesAsTheyStandAndTheFrameStyle) {
  JobFixture f;
  write_bytes(f.program.file("VellumetDefault.ini"), kEight + "  2 ignored\r\nmore\r\n");
  write_bytes(f.program.file("Vellumet.ini"), kEight + "3,x\r\n");
  read_button_ini(f.job);
  EXPECT_TRUE(f.dialogs.shown.empty());
  EXPECT_EQ(f.job.state.button_img[1], "t.svg");
  EXPECT_EQ(f.job.state.button_img[8], " s.svg ");
  EXPECT_EQ(f.job.state.frame_style, 2);
}

TEST(IconList, BrokenListsAreReportedAndLeaveDefaults) {
  struct Case {
    const char* content;  // nullptr: no file
    const char* message_part;
    const char* first_ref;
  } cases[] = {
      {nullptr, "を読み込めませんでした", ""},
      {"a\r\nb\r\n", "行が足りません", "a"},
      {"", "行が足りません", ""},
      {"t\r\nf\r\np\r\nn\r\nl\r\nm\r\nd\r\ns\r\nx\r\n", "9 行目", "t"},
      {"t\r\nf\r\np\r\nn\r\nl\r\nm\r\nd\r\ns\r\n4\r\n", "9 行目", "t"},
      {"t\r\nf\r\np\r\nn\r\nl\r\nm\r\nd\r\ns\r\n-1\r\n", "9 行目", "t"},
      {"t\r\nf\r\np\r\nn\r\nl\r\nm\r\nd\r\ns\r\n1.5\r\n", "9 行目", "t"},
      {"t\nf\np\nn\nl\nm\nd\ns\n1\n", "行が足りません", "t\nf\np\nn\nl\nm\nd\ns\n1\n"},
  };
  for (const auto& c : cases) {
    JobFixture f;
    if (c.content) write_bytes(f.program.file("VellumetDefault.ini"), c.content);
    f.job.state.frame_style = 2;
    read_button_ini(f.job);
    ASSERT_EQ(f.dialogs.shown.size(), 1u) << (c.content ? c.content : "missing");
    const MessageBox& box = f.dialogs.shown[0];
    EXPECT_EQ(box.title, "ボタンアイコン");
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
    EXPECT_NE(box.text.find(f.program.file("VellumetDefault.ini")), std::string::npos);
    EXPECT_NE(box.text.find(c.message_part), std::string::npos) << box.text;
    EXPECT_EQ(f.job.state.frame_style, 0);
    EXPECT_EQ(f.job.state.button_img[1], c.first_ref);
  }
}

}  // namespace
}  // namespace vellumet
