#include <QCheckBox>

#include "base/messages.h"
#include "ui/form2.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

using vellumet::testing::entries;
using vellumet::testing::exists;
using vellumet::testing::read_bytes;

using CommandsTest = UiTest;

bool contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

TEST_F(CommandsTest, CreateHtmlButtonPublishesTheSample) {
  open_dir_row("sample");
  dialogs.answers = {Answer::Yes, Answer::Yes};  // go ahead; delete the leftovers too
  click("Command2");

  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[0].title, msg::kCreateTitle);
  EXPECT_EQ(dialogs.shown[0].buttons, BoxButtons::YesNo);
  EXPECT_TRUE(contains(dialogs.shown[0].text, sample() + "/"));
  EXPECT_TRUE(contains(dialogs.shown[0].text, msg::kConfirmPlayer));
  EXPECT_EQ(dialogs.shown[1].title, msg::kGomiTitle);
  EXPECT_EQ(dialogs.shown[1].text, std::string(msg::kCleanupPrefix) + msg::kGomiQuestion);
  EXPECT_EQ(dialogs.shown[2], info_box(msg::kCreateTitle, msg::kDone));

  EXPECT_EQ(entries(sample()),
            (std::vector<std::string>{"img001.gif", "img002.gif", "img003.gif", "img004.gif",
                                      "img005.gif", "index.html", "navbtn1.htm", "pres0.ppz",
                                      "sld001.htm"}));
  const std::string index = read_bytes(sample() + "/index.html");
  EXPECT_TRUE(contains(index, "<!-- index_c_l.htm -->"));
  EXPECT_TRUE(contains(index, "var LastSlide = 5;\r\n"));
  EXPECT_TRUE(contains(index, "\"gif\""));
  EXPECT_TRUE(contains(index, "navbtn1.htm"));
  const std::string bar = read_bytes(sample() + "/navbtn1.htm");
  EXPECT_TRUE(contains(bar, "<IMG SRC=\"buttons/b1.gif\"><IMG SRC=\"buttons/b8.gif\">"));
  EXPECT_TRUE(contains(bar, "sld001.htm"));
  EXPECT_TRUE(contains(bar, "Go(5,0)"));
  EXPECT_TRUE(contains(bar, "\t<OPTION VALUE=\"5\">5\r\n</SELECT>"));
  EXPECT_FALSE(contains(bar, "DOWNLOAD_FILE"));
  EXPECT_TRUE(contains(read_bytes(sample() + "/sld001.htm"), msg::kShowTitle));

  // The run deleted the leftovers without a button check: "削除" stays until
  // pressed, which rescans, asks nothing and hides it.
  EXPECT_TRUE(find("Command5")->isVisible());
  click("Command5");
  EXPECT_EQ(dialogs.shown.size(), 3u);
  EXPECT_TRUE(find("Command5")->isHidden());
  EXPECT_EQ(text("Text4").toStdString(), msg::kNoGomi);
}

TEST_F(CommandsTest, CreateHtmlMenuUsesTheFrameStyleAndStopsOnNo) {
  open_dir_row("sample");
  form->job().state.frame_style = 3;
  dialogs.answers = {Answer::No};
  action("slide_html")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(exists(sample() + "/sld001.gif"));  // nothing renamed
  EXPECT_FALSE(exists(sample() + "/index.html"));

  dialogs.answers = {Answer::Yes, Answer::No};  // keep the leftovers this time
  action("slide_html")->trigger();
  EXPECT_TRUE(contains(read_bytes(sample() + "/index.html"), "<!-- index_r_d.htm -->"));
  EXPECT_TRUE(contains(read_bytes(sample() + "/navbtn1.htm"), "<!-- navbtn_r.htm -->"));
  EXPECT_TRUE(exists(sample() + "/tsld001.htm"));
}

TEST_F(CommandsTest, CleanUpFromButtonAndMenu) {
  open_dir_row("sample");
  const QString listed = text("Text4");

  dialogs.answers = {Answer::No};
  click("Command5");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], question_box(msg::kGomiTitle, msg::kGomiQuestion));
  EXPECT_EQ(text("Text4"), listed);
  EXPECT_TRUE(exists(sample() + "/index.htm"));
  EXPECT_TRUE(find("Command5")->isVisible());

  // From the menu, while another folder is shown: it still cleans the source.
  open_dir_row(QString::fromStdString(work.path()).section('/', -1));
  open_dir_row("empty");
  dialogs.answers = {Answer::Yes};
  action("gomi")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(entries(sample()),
            (std::vector<std::string>{"show.ppz", "sld001.gif", "sld001.htm", "sld002.gif",
                                      "sld003.gif", "sld004.gif", "sld005.gif"}));
  EXPECT_EQ(text("Text4").toStdString(), msg::kNoGomi);
  EXPECT_TRUE(find("Command5")->isHidden());

  action("gomi")->trigger();  // nothing left: no question
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(CommandsTest, ExitQuestion) {
  // No leaves everything as it was, from the button and from the menu.
  dialogs.answers = {Answer::No, Answer::No};
  click("Command3");
  action("end_syori")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0], question_box(msg::kExitTitle, msg::kExitQuestion));
  EXPECT_EQ(dialogs.shown[0].default_answer, Answer::No);
  EXPECT_TRUE(form->isVisible());

  // Yes with the frame style dialog open closes both; its choice is not applied.
  action("set_frame")->trigger();
  ASSERT_NE(form->form2(), nullptr);
  QWidget* form2 = form->form2();
  form2->findChild<QWidget*>("Option1_2")->setProperty("checked", true);
  dialogs.answers = {Answer::Yes};
  click("Command3");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form2->isVisible());
  settle();
  EXPECT_EQ(form->form2(), nullptr);
  EXPECT_EQ(form->job().state.frame_style, 0);
}

}  // namespace
}  // namespace vellumet::ui::testing
