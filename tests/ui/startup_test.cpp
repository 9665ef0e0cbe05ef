#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "base/messages.h"
#include "ui/folder_browser.h"
#include "ui/preview_image.h"
#include "ui/run_window.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

using StartupTest = UiTest;

TEST_F(StartupTest, WindowStandsAsStartUpLeavesIt) {
  EXPECT_TRUE(dialogs.shown.empty());
  for (const char* hidden : {"Command2", "Command5", "Text5", "File1", "Text1"})
    EXPECT_TRUE(find(hidden)->isHidden()) << hidden;
  for (const char* shown : {"Command3", "Drive1", "Dir1", "Text2", "Text3", "Text4", "Check1",
                            "Check2", "Image3", "Image1", "Image2", "Label1", "Label2", "Label3",
                            "Label4", "Shape1", "Shape2", "Shape3", "Shape4"})
    EXPECT_TRUE(find(shown)->isVisible()) << shown;
  EXPECT_TRUE(find<PreviewImage>("Image3")->image().isNull());
  EXPECT_EQ(text("Text2"), "");
  EXPECT_EQ(text("Text3"), "index.html");
  EXPECT_EQ(text("Text4"), "");
  EXPECT_EQ(text("Text5"), "");
  EXPECT_EQ(text("Text1").toStdString(),
            std::string(msg::kInstruction1) + "\n" + msg::kInstruction2);
  EXPECT_EQ(find<QCheckBox>("Check1")->checkState(), Qt::Unchecked);
  EXPECT_EQ(find<QCheckBox>("Check2")->checkState(), Qt::Unchecked);
  EXPECT_EQ(form->job().state.src_dir, "");
  EXPECT_EQ(form->job().state.frame_style, 0);  // line nine of the standard list
  EXPECT_FLOAT_EQ(form->job().state.frame_scale, 10.0f);
  EXPECT_EQ(form->job().state.button_img[1], "buttons/b1.gif");
}

TEST_F(StartupTest, MenuItemsCarryTheirCaptionsAndMarks) {
  struct Item {
    const char* name;
    const char* caption;
    int mark;  // -1: not checkable
  };
  const Item items[] = {
      {"deck_open", "スライド資料を開く...", -1},
      {"slide_html", "Zorvo スライドショー閲覧用HTMLを作成する", -1},
      {"gomi", "PowerPointのHTMLエキスポートが作成したゴミファイルを消しちゃえ！", -1},
      {"end_syori", "終了", -1},
      {"pp_button_on", "ボタンを付ける", 0},
      {"pp_button_off", "ボタンを付けない", 1},
      {"down_file", "ボタンを付ける（ファイルを指定）", 0},
      {"down_off", "ボタンを付けない", 1},
      {"set_frame", "フレーム形式", -1},
      {"icon_server", "サーバーの標準品を使う", 1},
      {"icon_custom", "本スライド専用に作成する", 0},
      {"mott_option", "もっとこだわりのオプション", -1},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(item.name);
    QAction* a = action(item.name);
    EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
    EXPECT_TRUE(a->isEnabled() && a->isVisible());
    EXPECT_TRUE(a->shortcut().isEmpty());
    EXPECT_EQ(a->isCheckable(), item.mark >= 0);
    if (item.mark >= 0) {
      EXPECT_EQ(a->isChecked(), item.mark == 1);
    }
  }
  const std::pair<const char*, const char*> menus[] = {{"f_open", "ファイル"},
                                                       {"option_sel", "オプション"},
                                                       {"pp_button", "PowerPointAnimationPlayer"},
                                                       {"down_button", "ダウンロード"},
                                                       {"button_icon", "ボタンアイコン"}};
  for (const auto& [name, title] : menus)
    EXPECT_EQ(find<QMenu>(name)->title(), QString::fromUtf8(title)) << name;
}

TEST_F(StartupTest, ClientAreaColoursAndCentring) {
  EXPECT_EQ(form->centralWidget()->size(), QSize(523, 316));
  EXPECT_EQ(find("Image3")->size(), QSize(177, 137));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // never resized
  EXPECT_EQ(form->centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 128));
  for (const char* panel : {"Shape1", "Shape2", "Shape3", "Shape4", "Check1", "Check2"})
    EXPECT_EQ(find(panel)->palette().color(QPalette::Window), QColor(192, 192, 255)) << panel;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->x(), screen.x() + (screen.width() - form->width()) / 2);
  EXPECT_EQ(form->y(), screen.y() + (screen.height() - form->height()) / 2);
}

TEST_F(StartupTest, FolderBrowserShowsTheWorkingFolderWithoutDetection) {
  QStringList rows = dir_rows();
  ASSERT_GE(rows.size(), 3);
  EXPECT_EQ(rows.first(), "/");
  EXPECT_EQ(rows.mid(rows.size() - 2), (QStringList{"empty", "sample"}));
  const QString base = QString::fromStdString(work.path()).section('/', -1);
  EXPECT_EQ(rows[rows.size() - 3], base);
  EXPECT_EQ(find<QComboBox>("Drive1")->currentText(), "/");
  EXPECT_EQ(form->browser().path(), work.path());
  EXPECT_EQ(text("Text2"), "");  // nothing detected yet
}

TEST_F(StartupTest, MenuCommandsWorkBeforeAnyFolderIsChosen) {
  action("slide_html")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], info_box(msg::kCreateTitle, msg::kNoSource));

  action("mott_option")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].title, msg::kMottTitle);
  EXPECT_EQ(dialogs.shown[1].buttons, BoxButtons::Ok);
  EXPECT_TRUE(dialogs.shown[1].text.ends_with("\r\n\nその他にも注文あればお寄せください。"));
}

TEST(WindowArguments, TheFirstArgumentThatIsNoOptionIsTheFolder) {
  struct Case {
    std::vector<std::string> args;
    std::string folder;
  } cases[] = {
      {{}, ""},
      {{"show"}, "show"},
      {{"--verbose", "show", "other"}, "show"},
      {{"-x"}, ""},
      {{"--", "-odd name"}, "-odd name"},
      {{"-a", "--", "--", "x"}, "--"},
  };
  for (const Case& c : cases) EXPECT_EQ(window_folder_argument(c.args), c.folder);
}

class MissingIconListTest : public UiTest {
 protected:
  void SetUp() override {
    start_later = true;
    UiTest::SetUp();
  }
};

TEST_F(MissingIconListTest, StartUpReportsAnUnreadableStandardListAndStillOpens) {
  std::remove((program.path() + "/VellumetDefault.ini").c_str());
  start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, msg::kIconTitle);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->job().state.frame_style, 0);
}

}  // namespace
}  // namespace vellumet::ui::testing
