#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "base/messages.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

using OptionsTest = UiTest;

struct Marks {
  bool on, off;
};

class OptionsMarks : public OptionsTest {
 protected:
  void expect_player(Qt::CheckState state, Marks m) {
    EXPECT_EQ(find<QCheckBox>("Check1")->checkState(), state);
    EXPECT_EQ(action("pp_button_on")->isChecked(), m.on);
    EXPECT_EQ(action("pp_button_off")->isChecked(), m.off);
  }
  void expect_download(Qt::CheckState state, Marks m, bool text5_shown) {
    EXPECT_EQ(find<QCheckBox>("Check2")->checkState(), state);
    EXPECT_EQ(action("down_file")->isChecked(), m.on);
    EXPECT_EQ(action("down_off")->isChecked(), m.off);
    EXPECT_EQ(find("Text5")->isVisible(), text5_shown);
  }
};

TEST_F(OptionsMarks, PlayerBoxAndMenuStayInStep) {
  struct Step {
    const char* what;  // a control to click or a menu item to choose
    Qt::CheckState state;
    Marks marks;
  };
  const Step steps[] = {
      {"Check1", Qt::Checked, {true, false}},
      {"Check1", Qt::Unchecked, {false, true}},
      {"pp_button_on", Qt::Checked, {true, false}},
      {"pp_button_on", Qt::Checked, {true, false}},
      {"pp_button_off", Qt::Unchecked, {false, true}},
      {"pp_button_off", Qt::Unchecked, {false, true}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (QString(step.what).startsWith("Check"))
      click(step.what);
    else
      action(step.what)->trigger();
    expect_player(step.state, step.marks);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsMarks, DownloadBoxAndMenuWithTheFileDialog) {
  const std::string title = msg::kDownloadDialogTitle;
  dialogs.files = {"/srv/files/slides.zip"};
  click("Check2");  // the box alone: the dialog opens, the menu marks stay
  EXPECT_EQ(dialogs.file_dialog_titles, std::vector<std::string>{title});
  EXPECT_EQ(text("Text5"), "/srv/files/slides.zip");
  expect_download(Qt::Checked, {false, true}, true);

  action("down_file")->trigger();  // already on: marks only, no dialog
  EXPECT_EQ(dialogs.file_dialog_titles.size(), 1u);
  expect_download(Qt::Checked, {true, false}, true);

  action("down_off")->trigger();  // hides the field, keeps its text
  expect_download(Qt::Unchecked, {false, true}, false);
  EXPECT_EQ(text("Text5"), "/srv/files/slides.zip");

  dialogs.files = {std::nullopt};  // cancelled: the text stays as it was
  action("down_file")->trigger();
  EXPECT_EQ(dialogs.file_dialog_titles.size(), 2u);
  expect_download(Qt::Checked, {true, false}, true);
  EXPECT_EQ(text("Text5"), "/srv/files/slides.zip");

  // The field can be edited; a later choice replaces the text.
  QTest::keyClicks(find("Text5"), "x");
  EXPECT_EQ(text("Text5"), "/srv/files/slides.zipx");
  click("Check2");
  expect_download(Qt::Unchecked, {true, false}, false);
  dialogs.files = {"/home/u/talk.pdf"};
  click("Check2");
  EXPECT_EQ(text("Text5"), "/home/u/talk.pdf");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsMarks, GreyedStateFromCodeCountsAsOff) {
  form->job().window.set_check(CheckBox::Check1, kGrayed);
  EXPECT_EQ(form->job().window.check(CheckBox::Check1), kGrayed);
  expect_player(Qt::PartiallyChecked, {false, true});
  click("Check1");  // a click leaves the greyed state for a plain one
  EXPECT_NE(find<QCheckBox>("Check1")->checkState(), Qt::PartiallyChecked);
  click("Check1");
  EXPECT_NE(find<QCheckBox>("Check1")->checkState(), Qt::PartiallyChecked);
}

// Edits of the entry page name and of the download file rebuild the list.
TEST_F(OptionsTest, LeftoverListFollowsTheEntryPageAndTheDownloadFile) {
  open_dir_row("sample");
  auto listed = [this] { return text("Text4").split('\n', Qt::SkipEmptyParts); };
  dialogs.files = {sample() + "/next.gif"};
  click("Check2");
  EXPECT_FALSE(listed().contains("next.gif"));

  auto retype = [this](const char* field, const QString& value) {
    find<QLineEdit>(field)->selectAll();
    QTest::keyClicks(find(field), value);
  };
  retype("Text5", QString::fromStdString(sample()) + "/prev.gif");
  EXPECT_TRUE(listed().contains("next.gif"));
  EXPECT_FALSE(listed().contains("prev.gif"));
  retype("Text3", "index.htm");
  EXPECT_EQ(listed(),
            (QStringList{"first.gif", "next.gif", "sld002.htm", "tsld001.htm", "tsld002.htm"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsTest, IconSourceMenusReloadTheLists) {
  action("icon_custom")->trigger();
  EXPECT_TRUE(action("icon_custom")->isChecked());
  EXPECT_FALSE(action("icon_server")->isChecked());
  EXPECT_EQ(form->job().state.frame_style, 2);
  action("icon_custom")->trigger();  // choosing it again keeps the mark
  EXPECT_TRUE(action("icon_custom")->isChecked());
  action("icon_server")->trigger();
  EXPECT_TRUE(action("icon_server")->isChecked());
  EXPECT_FALSE(action("icon_custom")->isChecked());
  EXPECT_EQ(form->job().state.frame_style, 0);
}

}  // namespace
}  // namespace vellumet::ui::testing
