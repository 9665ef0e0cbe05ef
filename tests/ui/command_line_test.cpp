// The command line against the window: the same folder, converted once by
// pressing "HTML作成" in Form1 and once by the program's --create, must end
// byte for byte the same, after the same boxes.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "base/messages.h"
#include "run_program.h"
#include "ui/form2.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

namespace fs = std::filesystem;
using vellumet::testing::printed_box;
using vellumet::testing::tree_bytes;

class CommandLineTest : public UiTest {
 protected:
  void SetUp() override {
    start_later = true;
    UiTest::SetUp();
    // The window reads the same data the program finds beside itself.
    const fs::path data = fs::path(VELLUMET_PROGRAM).parent_path();
    for (const char* item : {"Template", "buttons", "Vellumet.ini", "VellumetDefault.ini"}) {
      fs::remove_all(program.file(item));
      fs::copy(data / item, program.file(item), fs::copy_options::recursive);
    }
    start();
  }
  // A fresh copy of the sample at the same path, with `extra` files added.
  void fresh_sample(const std::vector<std::string>& extra) {
    fs::remove_all(sample());
    copy_folder(VELLUMET_SAMPLE_DIR, sample());
    for (const auto& name : extra) vellumet::testing::write_bytes(sample() + "/" + name, name);
  }
};

struct Case {
  const char* what;
  std::vector<std::string> extra_files;
  std::function<void()> choose;      // the choices made in the window
  bool clean;                        // the answer to the clean-up offer
  std::vector<std::string> options;  // the same choices on the command line
};

TEST_F(CommandLineTest, CreateGivesTheWindowsFolderByteForByte) {
  const Case cases[] = {
      {"defaults", {}, [] {}, false, {}},
      {"every option",
       {"slides.zip"},
       [this] {
         action("icon_custom")->trigger();
         action("set_frame")->trigger();
         Form2* dialog = form->form2();
         QTest::mouseClick(dialog->findChild<QRadioButton*>("Option1_3"), Qt::LeftButton);
         QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
         click("Check1");  // ticked by detection: the player button off
         dialogs.files = {"slides.zip"};
         click("Check2");
         find<QLineEdit>("Text3")->setText("show.html");
         find<QLineEdit>("Text2")->setText("4");
       },
       true,
       {"--icons", "custom", "--style", "3", "--no-player", "--download", "sample/slides.zip",
        "--page", "show.html", "--count", "4", "--clean"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh_sample(c.extra_files);
    open_dir_row("sample");
    c.choose();
    dialogs.shown.clear();
    dialogs.answers = {Answer::Yes, c.clean ? Answer::Yes : Answer::No};
    click("Command2");
    const auto by_window = tree_bytes(sample());
    std::string boxes;
    for (const MessageBox& box : dialogs.shown) {
      std::string answer;
      if (box.title == msg::kGomiTitle)
        answer = c.clean ? "はい（--clean）" : "いいえ（--no-clean）";
      else if (box.buttons == BoxButtons::YesNo)
        answer = "はい（--yes）";
      boxes += printed_box(box.title, box.text, answer);
    }
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back(), info_box(msg::kCreateTitle, msg::kDone));
    // Back to the working folder, so the next case opens the sample anew.
    open_dir_row(QString::fromStdString(work.path()).section('/', -1));

    fresh_sample(c.extra_files);
    std::vector<std::string> args = {"--create", "--yes"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(sample());
    auto run = vellumet::testing::run_program(VELLUMET_PROGRAM, args, work.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, boxes);
    const auto by_command_line = tree_bytes(sample());
    EXPECT_EQ(vellumet::testing::differing_files(by_window, by_command_line),
              std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace vellumet::ui::testing
