#include "commands/create_html.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "command_fixture.h"
#include "commands/options.h"
#include "confirmation.h"
#include "generator/icon_list.h"
#include "source/show_manifest.h"

namespace vellumet {
namespace {

using testing::CommandFixture;
using testing::read_bytes;

const std::string kData = std::string(VELLUMET_TEST_DATA) + "/typical";
const char* kGoOn = "\r\n\n無視して処理を続けますか？";

class CreateHtml : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* t : {"index_c_l.htm", "navbtn_c.htm", "sld000.htm"}) {
      f.put_template(t, read_bytes(kData + "/Template/" + t));
    }
    testing::write_bytes(f.program.file("VellumetDefault.ini"),
                         read_bytes(kData + "/VellumetDefault.ini"));
    read_button_ini(f.job);
  }
  void slides(int n, const std::string& prefix = "sld", const std::string& ext = "gif") {
    for (int i = 1; i <= n; ++i) f.put(prefix + three(i) + "." + ext, "slide " + std::to_string(i));
  }
  static std::string three(int i) {
    std::string s = std::to_string(i);
    return std::string(s.size() < 3 ? 3 - s.size() : 0, '0') + s;
  }
  std::string confirm(bool player, bool download = false) {
    return testing::confirmation_text(f.show_dir(), f.window.text(TextField::Text3), player,
                                      download);
  }
  std::vector<BoxKind> kinds() const {
    std::vector<BoxKind> k;
    for (const MessageBox& b : f.dialogs.shown) k.push_back(b.kind);
    return k;
  }
  CommandFixture f;
};

TEST_F(CreateHtml, TypicalRun) {
  slides(12);
  f.put("show.ppz", "player data");
  for (const char* n : {"sld001.htm", "sld002.htm", "tsld001.htm", "navbtn1.htm", "navbtn2.htm",
                        "index.htm", "next.gif", "outline.htm"}) {
    f.put(n, "export page");
  }
  f.browse_show();
  EXPECT_EQ(f.job.state.img_type, 3);
  EXPECT_EQ(f.window.text(TextField::Text2), "12");
  EXPECT_EQ(f.window.check(CheckBox::Check1), kChecked);

  f.dialogs.answers = {Answer::Yes, Answer::Yes};
  EXPECT_EQ(slide_html_click(f.job).ending, Ending::Done);

  ASSERT_EQ(f.dialogs.shown.size(), 3u) << testing::box_log(f.dialogs);
  EXPECT_EQ(kinds(),
            (std::vector<BoxKind>{BoxKind::Question, BoxKind::CleanUpOffer, BoxKind::Report}));
  EXPECT_EQ(f.dialogs.shown[0], question_box("HTMLの作成", confirm(true)));
  EXPECT_EQ(f.dialogs.shown[1],
            question_box("余分なファイルの消去",
                         "ついでに PowerPointでエキスポートしたゴミファイルを消去しますか？"));
  EXPECT_EQ(f.dialogs.shown[2],
            info_box("HTMLの作成", "Zorvo スライドショー閲覧用HTMLを作成しました。"));

  std::vector<std::string> want;
  for (int i = 1; i <= 12; ++i) want.push_back("img" + three(i) + ".gif");
  for (const char* n : {"index.html", "navbtn1.htm", "pres0.ppz", "sld001.htm"}) want.push_back(n);
  EXPECT_EQ(testing::entries(f.show.path()), want);
  EXPECT_EQ(read_bytes(f.show.file("img007.gif")), "slide 7");
  EXPECT_EQ(read_bytes(f.show.file("pres0.ppz")), "player data");
  for (const char* page : {"index.html", "navbtn1.htm", "sld001.htm"}) {
    EXPECT_EQ(read_bytes(f.show.file(page)), read_bytes(kData + "/expected/" + page)) << page;
  }
  EXPECT_EQ(f.job.state.app_dir, f.program.path());
  EXPECT_DOUBLE_EQ(f.job.state.last_slide[1], 12);
}

// A numbered series becomes img001.EXT... in the order of its numbers, the
// extension lower case and "jpeg" written "jpg"; the viewer gets that
// extension, and the series' images are never offered for deletion.
TEST_F(CreateHtml, NumberedSeriesIsRenamedInNumberOrder) {
  struct Case {
    std::string prefix;
    int first;
    int width;
    std::string ext;
    std::string slide_ext;
  } cases[] = {
      {"Slide", 1, 0, "PNG", "png"},      {"img", 0, 3, "png", "png"},  // all shift up by one
      {"スライド", 1, 0, "webp", "webp"}, {"page-", 1, 2, "jpeg", "jpg"},
      {"img", 1, 3, "png", "png"},  // named as the slides already
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prefix + c.ext);
    CommandFixture g;
    for (const char* t : {"index_c_l.htm", "navbtn_c.htm", "sld000.htm"})
      g.put_template(t, read_bytes(kData + "/Template/" + t));
    for (int i = 0; i < 12; ++i) {
      std::string n = std::to_string(c.first + i);
      n.insert(0, n.size() < static_cast<std::size_t>(c.width) ? c.width - n.size() : 0, '0');
      g.put(c.prefix + n + "." + c.ext, "slide " + std::to_string(i + 1));
    }
    g.put("notes.txt");
    g.browse_show();
    g.dialogs.default_answer = Answer::Yes;
    EXPECT_EQ(slide_html_click(g.job).ending, Ending::Done) << testing::box_log(g.dialogs);
    std::vector<std::string> want;
    for (int i = 1; i <= 12; ++i) {
      want.push_back("img" + three(i) + "." + c.slide_ext);
      EXPECT_EQ(read_bytes(g.show.file(want.back())), "slide " + std::to_string(i));
    }
    for (const char* n : {"index.html", "navbtn1.htm"}) want.push_back(n);
    EXPECT_EQ(testing::entries(g.show.path()), want);
    EXPECT_NE(read_bytes(g.show.file("index.html")).find("var Ext = \"" + c.slide_ext + "\";"),
              std::string::npos);
    EXPECT_EQ(g.dialogs.shown.size(), 3u);  // confirmation, clean-up offer (notes.txt), done
  }
}

// A show made from a deck: the slide page gets the deck's title and the list
// each slide's title. Texts kept for another number of slides than the
// folder holds are left out, the title stays.
TEST_F(CreateHtml, ShowFromADeckGetsItsTitleAndTheTextsThatFit) {
  for (const long pages : {3L, 4L}) {
    SCOPED_TRACE(pages);
    CommandFixture g;
    for (const char* t : {"index_c_l.htm", "navbtn_c.htm", "sld000.htm"})
      g.put_template(t, read_bytes(kData + "/Template/" + t));
    for (int i = 1; i <= 3; ++i) g.put("img" + three(i) + ".jpg");
    g.put("show.ppz");  // the player option writes the slide page
    Manifest m;
    m.title = "港の計画";
    m.image = "jpg";
    for (long i = 1; i <= pages; ++i) m.texts.push_back("Page " + std::to_string(i) + "\nbody");
    ASSERT_TRUE(write_manifest(g.show.path(), m).ok);
    g.browse_show();
    g.dialogs.default_answer = Answer::Yes;
    EXPECT_EQ(slide_html_click(g.job).ending, Ending::Done) << testing::box_log(g.dialogs);
    EXPECT_NE(read_bytes(g.show.file("sld001.htm")).find("<TITLE>港の計画</TITLE>"),
              std::string::npos);
    const std::string bar = read_bytes(g.show.file("navbtn1.htm"));
    const bool fits = pages == 3;
    EXPECT_EQ(bar.find("\"3\">3 Page 3\r\n") != std::string::npos, fits);
    EXPECT_EQ(bar.find("\"3\">3\r\n") != std::string::npos, !fits);
  }
}

// The folder is listed again when the renames are planned: numbered images
// that can no longer be the slides, or a slide name another file holds (a
// folder too), stop the command before anything changes.
TEST_F(CreateHtml, SeriesThatCannotBeRenamedWhollyIsRefusedBeforeAnyRename) {
  struct Case {
    const char* added;  // after detection
    bool folder;
    std::string file;  // the failure's
    std::string text;
  } cases[] = {
      {"Slide4.png", false, "", "Slide1.png ～ Slide4.png: 番号 3 の画像がありません。"},
      {"img002.png", false, "img002.png",
       "Slide2.png を img002.png に名前を変更できません。img002.png は既にあります。\r\n\n"
       "番号付きの画像の名前はどれも変更しません。既にあるファイルの名前を変えるか、別のフォルダに"
       "移して下さい。"},
      {"IMG002.PNG", false, "img002.png", "Slide2.png を img002.png に名前を変更できません。"},
      {"img002.png", true, "img002.png", "Slide2.png を img002.png に名前を変更できません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.added);
    CommandFixture g;
    for (const char* n : {"Slide1.png", "Slide2.png", "show.ppz"}) g.put(n);
    g.browse_show();
    if (c.folder) {
      std::filesystem::create_directory(g.show.file(c.added));
    } else {
      g.put(c.added);
    }
    const auto before = testing::tree_bytes(g.show.path());
    g.dialogs.default_answer = Answer::Yes;
    const CommandResult r = slide_html_click(g.job);
    EXPECT_EQ(r.ending, Ending::Failed);
    EXPECT_EQ(r.failure.step, FileStep::Check);
    EXPECT_EQ(r.failure.file, g.show_dir() + c.file);
    ASSERT_EQ(g.dialogs.shown.size(), 2u);
    EXPECT_EQ(g.dialogs.shown[1].title, "HTMLの作成");
    EXPECT_NE(g.dialogs.shown[1].text.find(c.text), std::string::npos) << g.dialogs.shown[1].text;
    EXPECT_EQ(testing::tree_bytes(g.show.path()), before);
  }
}

TEST_F(CreateHtml, NoSourceOnlyReports) {
  f.window.set_text(TextField::Text3, "");  // not even looked at
  const CommandResult r = slide_html_click(f.job);
  EXPECT_EQ(r.ending, Ending::Failed);
  EXPECT_EQ(r.failure.step, FileStep::Check);
  EXPECT_EQ(kinds(), std::vector<BoxKind>{BoxKind::Error});
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0], info_box("HTMLの作成",
                                         "スライドのネタ（PowerPointのHTMLエキスポートデータ）が指"
                                         "定されていないので、何もしません。"));
  EXPECT_EQ(f.job.state.app_dir, f.program.path());
}

TEST_F(CreateHtml, EntryPageMustBeAPlainFileName) {
  slides(2);
  f.browse_show();
  for (const char* bad : {"", ".", "..", "sub/index.html", "/tmp/x.html"}) {
    f.dialogs.shown.clear();
    f.window.set_text(TextField::Text3, bad);
    slide_html_click(f.job);
    ASSERT_EQ(f.dialogs.shown.size(), 1u) << bad;
    EXPECT_EQ(f.dialogs.shown[0].title, "HTMLの作成");
    EXPECT_NE(f.dialogs.shown[0].text.find(std::string("「") + bad + "」"), std::string::npos);
    EXPECT_TRUE(testing::exists(f.show.file("sld001.gif"))) << "nothing renamed";
  }
}

TEST_F(CreateHtml, EntryPageThatWouldReplaceAnotherFileIsRefusedBeforeAnyRename) {
  slides(2);
  for (const char* n : {"talk.ppt", "notes.txt", ".profile", "notes.html", "index.htm"})
    f.put(n, n);
  ::mkdir(f.show.file("pages.htm").c_str(), 0755);
  ::link(f.show.file("notes.html").c_str(), f.show.file("same.htm").c_str());
  f.browse_show();
  f.dialogs.files = {f.show.file("notes.html")};
  down_file_click(f.job);
  const std::string taken =
      "」は使えません。スライドの画像やダウンロードファイルなど、フォルダ内の他のファイルを上書きし"
      "てしまいます。.htm か .html で終わる別のファイル名を指定して下さい。";
  const std::string folder =
      " という名前のフォルダがあるため、ページを書き込めません。そのフォルダの名前を変えてから、"
      "もう一度作成して下さい。";
  struct Case {
    const char* page;
    std::string refusal;  // "" when the page may be written
  } cases[] = {
      {"img001.gif", "「img001.gif" + taken},
      {"SLD002.GIF", "「SLD002.GIF" + taken},
      {"img7.JPG", "「img7.JPG" + taken},
      {"pres0.ppz", "「pres0.ppz" + taken},
      {"other.PPZ", "「other.PPZ" + taken},
      {"talk.ppt", "「talk.ppt" + taken},
      {"new.ppt", "「new.ppt" + taken},
      {"navbtn1.htm", "「navbtn1.htm" + taken},
      {"Sld001.htm", "「Sld001.htm" + taken},
      {"NOTES.HTML", "「NOTES.HTML" + taken},
      {"notes.txt", "「notes.txt" + taken},
      {".profile", "「.profile" + taken},
      {"pages.htm", "フォルダ内に pages.htm" + folder},
      {"same.htm", "「same.htm" + taken},  // the download file under another name
      {"index.htm", ""},
      {"INDEX.HTML", ""},
      {"view.html", ""},
      {"new.txt", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    f.dialogs.shown.clear();
    f.dialogs.answers = {Answer::No};  // the confirmation, when it comes
    f.window.set_text(TextField::Text3, c.page);
    const CommandResult r = slide_html_click(f.job);
    const bool refused = !c.refusal.empty();
    EXPECT_EQ(r.ending, refused ? Ending::Failed : Ending::Stopped);
    if (refused) {
      EXPECT_EQ(r.failure.file, f.show_dir() + c.page);
    }
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const std::string text =
        c.refusal.starts_with("「") ? "閲覧用HTMLのファイル名" + c.refusal : c.refusal;
    EXPECT_EQ(f.dialogs.shown[0] == info_box("HTMLの作成", text), refused);
    EXPECT_TRUE(testing::exists(f.show.file("sld001.gif"))) << "nothing renamed";
  }
  // Nor may a folder stand where the bar page goes.
  ::mkdir(f.show.file("navbtn1.htm").c_str(), 0755);
  f.dialogs.shown.clear();
  f.window.set_text(TextField::Text3, "index.htm");
  EXPECT_EQ(slide_html_click(f.job).failure.file, f.show_dir() + "navbtn1.htm");
  EXPECT_EQ(f.dialogs.shown,
            std::vector<MessageBox>{info_box("HTMLの作成", "フォルダ内に navbtn1.htm" + folder)});
}

TEST_F(CreateHtml, ZeroSlidesAskFirstAndBothOptionsAreListed) {
  f.put("img001.gif");
  f.browse_show();
  f.window.set_text(TextField::Text2, "3");
  f.job.state.slide_count = 0;
  f.window.set_check(CheckBox::Check1, kChecked);
  f.dialogs.files = {std::string("/srv/slides.zip")};
  f.window.set_check(CheckBox::Check2, kChecked);
  f.dialogs.answers = {Answer::Yes, Answer::No};
  slide_html_click(f.job);
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[0],
            question_box("GIFファイル数の確認",
                         std::string(" チャート枚数を指定してありません。") + kGoOn));
  EXPECT_EQ(f.dialogs.shown[1], question_box("HTMLの作成", confirm(true, true)));
  EXPECT_FALSE(testing::exists(f.show.file("index.html")));
}

TEST_F(CreateHtml, RenamingNeverReplacesAFile) {
  slides(3);
  f.put("img001.gif", "the other one");
  f.browse_show();
  f.dialogs.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(slide_html_click(f.job).ending, Ending::Stopped);
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[1],
            question_box(
                "HTMLの作成",
                "sld001.gif を img001.gif に名前を変更できません。img001.gif は既にあります。\r\n\n"
                "このファイルをそのままにして処理を続けますか？"));
  EXPECT_EQ(read_bytes(f.show.file("img001.gif")), "the other one");
  EXPECT_EQ(read_bytes(f.show.file("sld001.gif")), "slide 1");
  EXPECT_TRUE(testing::exists(f.show.file("sld002.gif"))) << "No ends the command";
  EXPECT_FALSE(testing::exists(f.show.file("index.html")));

  // Four slides were counted (the twin too), so img004.gif is missing as well.
  f.dialogs.shown.clear();
  f.dialogs.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  EXPECT_EQ(slide_html_click(f.job).ending, Ending::Done);
  EXPECT_EQ(read_bytes(f.show.file("img001.gif")), "the other one");
  EXPECT_EQ(read_bytes(f.show.file("sld001.gif")), "slide 1");
  EXPECT_EQ(read_bytes(f.show.file("img003.gif")), "slide 3");
  EXPECT_TRUE(testing::exists(f.show.file("index.html"))) << testing::box_log(f.dialogs);
}

TEST_F(CreateHtml, PlayerFileTwinIsNotReplaced) {
  slides(1);
  f.put("a.ppz", "a");
  f.put("pres0.ppz", "original");
  f.browse_show();
  f.dialogs.answers = {Answer::Yes, Answer::No};
  slide_html_click(f.job);
  EXPECT_NE(f.dialogs.shown.back().text.find("a.ppz を pres0.ppz"), std::string::npos);
  EXPECT_EQ(read_bytes(f.show.file("pres0.ppz")), "original");
  EXPECT_EQ(read_bytes(f.show.file("a.ppz")), "a");
}

TEST_F(CreateHtml, MissingImagesAskOneByOne) {
  f.put("img001.jpg");
  f.put("img003.jpg");
  f.browse_show();
  f.job.state.slide_count = 4;
  f.dialogs.answers = {Answer::Yes, Answer::Yes, Answer::No};
  slide_html_click(f.job);
  ASSERT_EQ(f.dialogs.shown.size(), 3u);
  EXPECT_EQ(f.dialogs.shown[1], question_box("GIFファイルの確認",
                                             std::string("img002.jpg が見つかりません。") + kGoOn));
  EXPECT_EQ(f.dialogs.shown[2], question_box("GIFファイルの確認",
                                             std::string("img004.jpg が見つかりません。") + kGoOn));
  EXPECT_FALSE(testing::exists(f.show.file("index.html")));
}

TEST_F(CreateHtml, SlidesFromOneThousandKeepAllTheirDigits) {
  slides(1000, "img");
  f.browse_show();
  EXPECT_EQ(f.job.state.slide_count, 1000);
  f.dialogs.default_answer = Answer::Yes;
  slide_html_click(f.job);
  for (const auto& b : f.dialogs.shown) EXPECT_NE(b.title, "GIFファイルの確認") << b.text;
  EXPECT_TRUE(testing::exists(f.show.file("img1000.gif")));
}

TEST_F(CreateHtml, MissingPlayerFileAsks) {
  slides(1);
  f.browse_show();
  f.window.set_check(CheckBox::Check1, kChecked);
  f.dialogs.answers = {Answer::Yes, Answer::No};
  slide_html_click(f.job);
  EXPECT_EQ(
      f.dialogs.shown.back(),
      question_box("pres0.ppzファイルの確認", std::string("pres0.ppz が見つかりません。") + kGoOn));
}

TEST_F(CreateHtml, FailedPageKeepsTheOldOneAndNeverClaimsSuccess) {
  slides(2);
  f.put("index.html", "old viewer");
  f.browse_show();
  std::filesystem::remove(f.program.file("Template/navbtn_c.htm"));
  f.dialogs.default_answer = Answer::Yes;
  const CommandResult r = slide_html_click(f.job);
  EXPECT_EQ(r.ending, Ending::Failed);
  EXPECT_EQ(r.failure.step, FileStep::Read);
  EXPECT_EQ(r.failure.file, f.program.file("Template/navbtn_c.htm"));
  const MessageBox& last = f.dialogs.shown.back();
  EXPECT_EQ(last.title, "HTMLの作成");
  EXPECT_EQ(last.buttons, BoxButtons::Ok);
  EXPECT_EQ(last.kind, BoxKind::Error);
  EXPECT_NE(last.text.find("テンプレート " + f.program.file("Template/navbtn_c.htm")),
            std::string::npos);
  for (const auto& b : f.dialogs.shown) EXPECT_EQ(b.text.find("作成しました"), std::string::npos);
  EXPECT_FALSE(testing::exists(f.show.file("navbtn1.htm")));
  for (const auto& n : testing::entries(f.show.path())) EXPECT_NE(n[0], '.') << n;
}

TEST_F(CreateHtml, CleanUpOfferRescansAndSparesTheNewPage) {
  slides(2);
  f.put("top.htm", "export page");
  f.browse_show();
  EXPECT_EQ(f.window.text(TextField::Text4), "top.htm\r\n");
  f.window.set_text(TextField::Text3, "top.htm");
  f.dialogs.default_answer = Answer::Yes;
  slide_html_click(f.job);
  EXPECT_EQ(f.dialogs.shown.size(), 2u) << testing::box_log(f.dialogs);  // no clean-up question
  EXPECT_NE(read_bytes(f.show.file("top.htm")), "export page");
}

TEST_F(CreateHtml, UnusableSlideCountIsRefusedBeforeTheConfirmation) {
  slides(2);
  f.browse_show();
  const std::string too_large = "」が大きすぎます。32767 以下の数を指定して下さい。";
  const std::string beyond = "」は扱える数の範囲を超えています。32767 以下の数を指定して下さい。";
  const std::pair<const char*, std::string> cases[] = {
      {"1e9", too_large}, {"1e309", too_large}, {"-1e309", beyond}, {"- 1 e 4000", beyond}};
  for (const auto& [count, tail] : cases) {
    f.dialogs.shown.clear();
    f.window.set_text(TextField::Text2, count);
    slide_html_click(f.job);
    ASSERT_EQ(f.dialogs.shown.size(), 1u) << count;
    EXPECT_EQ(f.dialogs.shown[0],
              info_box("HTMLの作成", std::string("チャート枚数「") + count + tail));
    EXPECT_EQ(testing::entries(f.show.path()),
              (std::vector<std::string>{"sld001.gif", "sld002.gif"}));
  }
}

TEST_F(CreateHtml, CustomIconsCopyTheButtonFolder) {
  slides(1);
  testing::write_bytes(f.program.file("buttons/next.svg"), "<svg/>");
  testing::write_bytes(f.program.file("Vellumet.ini"), read_bytes(kData + "/VellumetDefault.ini"));
  f.browse_show();
  icon_custom_click(f.job);
  f.dialogs.default_answer = Answer::Yes;
  slide_html_click(f.job);
  EXPECT_EQ(read_bytes(f.show.file("buttons/next.svg")), "<svg/>");
  icon_server_click(f.job);
  std::filesystem::remove_all(f.show.file("buttons"));
  slide_html_click(f.job);
  EXPECT_FALSE(testing::exists(f.show.file("buttons")));
}

// The download file chosen in the show folder survives the clean-up, and
// when the run renames it the link (and Text5) name it anew.
TEST_F(CreateHtml, ChosenDownloadFileSurvivesTheCleanUpAndItsLinkFollowsIt) {
  struct Case {
    bool option;
    bool full_path;
    const char* chosen;
    const char* linked;  // its name once the run is over
  } cases[] = {
      {true, true, "slides.zip", "slides.zip"},  {true, false, "slides.zip", "slides.zip"},
      {false, true, "slides.zip", "slides.zip"}, {true, false, "show.ppz", "pres0.ppz"},
      {true, true, "sld002.gif", "img002.gif"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.chosen) + (c.full_path ? ", full path" : ""));
    CommandFixture g;
    for (const char* t : {"index_c_l.htm", "navbtn_c.htm", "sld000.htm"}) {
      g.put_template(t, read_bytes(kData + "/Template/" + t));
    }
    for (const char* n : {"sld001.gif", "sld002.gif", "sld003.gif", "show.ppz", "slides.zip",
                          "index.htm", "tsld001.htm", "next.gif"})
      g.put(n, n);
    const auto in_show = [&](const char* name) {
      return c.full_path ? g.show.file(name) : std::string(name);
    };
    g.browse_show();
    if (c.option) {
      g.dialogs.files = {in_show(c.chosen)};
      down_file_click(g.job);
    }
    g.dialogs.default_answer = Answer::Yes;
    slide_html_click(g.job);
    SCOPED_TRACE(testing::box_log(g.dialogs));
    EXPECT_EQ(testing::exists(g.show.file("slides.zip")),
              c.option && std::string_view(c.chosen) == c.linked);
    EXPECT_FALSE(testing::exists(g.show.file("index.htm")));
    std::string bar = read_bytes(g.show.file("navbtn1.htm"));
    EXPECT_EQ(bar.find("<A HREF=\"" + in_show(c.linked) + "\">") != std::string::npos, c.option);
    if (c.option) {
      EXPECT_EQ(g.window.text(TextField::Text5), in_show(c.linked));
      EXPECT_EQ(read_bytes(g.show.file(c.linked)), c.chosen);
    }
  }
}

}  // namespace
}  // namespace vellumet
