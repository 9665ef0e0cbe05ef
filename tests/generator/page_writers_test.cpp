#include "generator/page_writers.h"

#include <gtest/gtest.h>

#include "job_fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;
using testing::read_bytes;

class PageWriters : public ::testing::Test {
 protected:
  void SetUp() override {
    f.job.state.src_dir = f.show_dir();
    f.job.state.app_dir = f.program.path();
    f.job.state.last_slide[1] = 12;
    f.job.state.img_type = 3;
  }
  std::string page(const std::string& name) { return read_bytes(f.show.file(name)); }
  JobFixture f;
};

TEST_F(PageWriters, IndexPageFillsItsThreeMarkers) {
  f.put_template("index_c_l.htm",
                 "<FRAMESET>\r\n"
                 "    var LastSlide = 99; // old\r\n"
                 "var LastSlide=5;\r\n"
                 "\tvar LastSlide = 7;\r\n"
                 "ext GIF and GIF, GIFT\r\n"
                 "<FRAME SRC=\"navbtn0.htm\"> navbtn0");
  ASSERT_TRUE(make_index_html(f.job, 1).ok);
  EXPECT_EQ(page("index.html"),
            "<FRAMESET>\r\n"
            "var LastSlide = 12;\r\n"
            "var LastSlide=5;\r\n"
            "\tvar LastSlide = 7;\r\n"
            "ext gif and GIF, GIFT\r\n"
            "<FRAME SRC=\"navbtn1.htm\"> navbtn0\r\n");
}

TEST_F(PageWriters, IndexTemplateFollowsFrameStyleAndPageFollowsText3) {
  const char* names[] = {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"};
  for (const char* n : names) f.put_template(n, n);
  f.window.set_text(TextField::Text3, "top.htm");
  for (int style = 0; style < 4; ++style) {
    f.job.state.frame_style = style;
    ASSERT_TRUE(make_index_html(f.job, 1).ok);
    EXPECT_EQ(page("top.htm"), std::string(names[style]) + "\r\n");
  }
  f.job.state.frame_style = 4;
  FileResult r = make_index_html(f.job, 1);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.step, FileStep::Read);
}

TEST_F(PageWriters, IndexCountAndExtensionForms) {
  f.put_template("index_c_l.htm", "var LastSlide = 0;\r\nGIF");
  struct Case {
    double count;
    int img_type;
    std::string want;
  } cases[] = {
      {12, 1, "var LastSlide = 12;\r\ngif\r\n"},
      {-3, 2, "var LastSlide =-3;\r\njpg\r\n"},
      {2.5, 0, "var LastSlide = 2.5;\r\njpg\r\n"},
      {0, 4, "var LastSlide = 0;\r\njpg\r\n"},
  };
  for (const auto& c : cases) {
    f.job.state.last_slide[1] = c.count;
    f.job.state.img_type = static_cast<std::int16_t>(c.img_type);
    ASSERT_TRUE(make_index_html(f.job, 1).ok);
    EXPECT_EQ(page("index.html"), c.want);
  }
}

TEST_F(PageWriters, NavigationBarMarkersInOrder) {
  f.put_template("navbtn_c.htm",
                 "T_BUTTON F_BUTTON T_BUTTON\r\n"
                 "P_BUTTON N_BUTTON L_BUTTON M_BUTTON D_BUTTON S_BUTTON\r\n"
                 "<A HREF=\"sld000.htm\">S</A>\r\n"
                 "go(0,0)\r\n"
                 "<A HREF=\"DOWNLOAD_FILE\">D</A>\r\n"
                 "<SELECT>\r\n"
                 "</SELECT></SELECT>\r\n"
                 "end");
  for (int j = 1; j <= 8; ++j) f.job.state.button_img[j] = "b" + std::to_string(j);
  f.job.state.button_img[2] = "x N_BUTTON";  // a later marker inside a value is replaced too
  f.job.state.last_slide[1] = 3;
  f.job.state.down_file_name[1] = "/home/u/slides.zip";
  f.window.set_check(CheckBox::Check1, kChecked);
  f.window.set_check(CheckBox::Check2, kChecked);
  ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
  EXPECT_EQ(page("navbtn1.htm"),
            "b1 x b4 T_BUTTON\r\n"
            "b3 b4 b5 b6 b7 b8\r\n"
            "<A HREF=\"sld001.htm\">S</A>\r\n"
            "go(3,0)\r\n"
            "<A HREF=\"/home/u/slides.zip\">D</A>\r\n"
            "<SELECT>\r\n"
            "\t<OPTION VALUE=\"1\">1\r\n"
            "\t<OPTION VALUE=\"2\">2\r\n"
            "\t<OPTION VALUE=\"3\">3\r\n"
            "</SELECT></SELECT>\r\n"
            "end\r\n");
}

TEST_F(PageWriters, NavigationBarBlanksOptionalLinesAndSkipsTheirMarkers) {
  f.put_template("navbtn_r.htm",
                 "a sld000 (0,0)\r\n"
                 "b DOWNLOAD_FILE </SELECT>\r\n"
                 "(0,0)\r\n"
                 "</SELECT>\r\n");
  f.job.state.frame_style = 3;
  f.window.set_check(CheckBox::Check1, kGrayed);  // greyed counts as off
  for (double count : {0.0, -3.0}) {
    f.job.state.last_slide[1] = count;
    ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
    std::string c = count < 0 ? "-3" : "0";
    EXPECT_EQ(page("navbtn1.htm"), "\r\n\r\n(" + c + ",0)\r\n</SELECT>\r\n");
  }
  f.job.state.last_slide[1] = 12;
  ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
  std::string p = page("navbtn1.htm");
  EXPECT_NE(p.find("\t<OPTION VALUE=\"10\">10\r\n\t<OPTION VALUE=\"11\">11\r\n\t<OPTION "
                   "VALUE=\"12\">12\r\n</SELECT>"),
            std::string::npos);
  EXPECT_EQ(p.find("VALUE=\"13\""), std::string::npos);
}

// The download link names the file and nothing else: it cannot end its
// attribute, and no byte of the name reads as a URL's own sign.
TEST_F(PageWriters, DownloadLinkNamesExactlyTheFile) {
  f.put_template("navbtn_c.htm", "<A HREF=\"DOWNLOAD_FILE\">\r\n");
  f.window.set_check(CheckBox::Check2, kChecked);
  const std::pair<std::string, std::string> cases[] = {
      {"a\"><script>x&y</script>.zip", "a&quot;&gt;&lt;script&gt;x&amp;y&lt;/script&gt;.zip"},
      {"a#b%c.zip", "a%23b%25c.zip"},
      {"why?.zip", "why%3F.zip"},
      {" two  blanks \t.zip", "%20two%20%20blanks%20%09.zip"},
      {"a:b.zip", "a%3Ab.zip"},
      {"/srv/a:b/c:d.zip", "/srv/a:b/c:d.zip"},
      {"sub/a:b.zip", "sub/a:b.zip"},
      {"back\\slash.zip", "back%5Cslash.zip"},
      {"資料 1.zip", "資料%201.zip"},
      {"\xff\xfe.zip", "%FF%FE.zip"},
  };
  for (const auto& [name, href] : cases) {
    f.job.state.down_file_name[1] = name;
    ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
    EXPECT_EQ(page("navbtn1.htm"), "<A HREF=\"" + href + "\">\r\n") << name;
  }
}

TEST_F(PageWriters, SlidePageTitleAndPath) {
  f.put_template("sld000.htm",
                 "<HTML>\r\n"
                 "    <TITLE>old title</TITLE><BODY>\r\n"
                 "<title>lower</title>\r\n"
                 "a /img0/ b /img0/\r\n"
                 "<TITLE>x /img0/");
  f.job.state.show_title[1] = "Zorvo スライドショー(by Y.Korrin)";
  ASSERT_TRUE(make_slide_html(f.job, 1).ok);
  EXPECT_EQ(page("sld001.htm"),
            "<HTML>\r\n"
            "<TITLE>Zorvo スライドショー(by Y.Korrin)</TITLE>\r\n"
            "<title>lower</title>\r\n"
            "a /img1/ b /img0/\r\n"
            "<TITLE>Zorvo スライドショー(by Y.Korrin)</TITLE>\r\n");
}

TEST_F(PageWriters, LineEndsAreNormalisedToCrLf) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a\r\nb", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\nGIF\n", "a\ngif\n\r\n"},
      {"", ""},
      {"\r\n", "\r\n"},
  };
  for (const auto& c : cases) {
    f.put_template("index_c_l.htm", c.in);
    ASSERT_TRUE(make_index_html(f.job, 1).ok);
    EXPECT_EQ(page("index.html"), c.out);
  }
}

TEST_F(PageWriters, ShiftJisSecondByteGIsNoMarkerAndInvalidBytesSurvive) {
  JobFixture sj("CP932");
  sj.job.state.src_dir = sj.show_dir();
  sj.job.state.app_dir = sj.program.path();
  sj.job.state.img_type = 1;
  sj.job.state.last_slide[1] = 2;
  sj.put_template("index_c_l.htm",
                  "\x83\x47IF\r\n"         // katakana + "IF": no marker
                  "\x83\x47IF GIF\r\n"     // the real GIF after it is replaced
                  "\xff\x80 GIF \xfd\r\n"  // bytes invalid in the code page
                  "\x93\xfa\x96\x7b\r\n");
  ASSERT_TRUE(make_index_html(sj.job, 1).ok);
  EXPECT_EQ(read_bytes(sj.show.file("index.html")),
            "\x83\x47IF\r\n\x83\x47IF gif\r\n\xff\x80 gif \xfd\r\n\x93\xfa\x96\x7b\r\n");
}

// Outside UTF-8 the templates' declaration of UTF-8 would misname the bytes:
// inserted text comes as character references, file references percent-encoded
// with the bytes of the name on disk.
TEST(PageWritersCodePage, InsertedValuesAreAsciiOutsideUtf8) {
  struct Case {
    const char* codeset;
    std::string download, download_href, icon, icon_src;
  } cases[] = {
      {"CP932", "\x8e\x91\x97\xbf \"1\".zip", "%8E%91%97%BF%20&quot;1&quot;.zip", "b/\x95\x5c.gif",
       "b/%95%5C.gif"},
      // A name that looks like percent-encoding is not the file it would encode.
      {"CP932", "%8E%91.zip", "%258E%2591.zip", "b.gif", "b.gif"},
      {"EUC-JP", "/srv/\xbb\xf1\xce\xc1.zip", "/srv/%BB%F1%CE%C1.zip", "\xc9\xbd.gif",
       "%C9%BD.gif"},
      {"ISO-8859-1", "caf\xe9.zip", "caf%E9.zip", "\xff.gif", "%FF.gif"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codeset);
    JobFixture f(c.codeset);
    f.job.state.src_dir = f.show_dir();
    f.job.state.app_dir = f.program.path();
    f.put_template("sld000.htm", "<TITLE>x\r\n");
    f.job.state.show_title[1] = "Zorvo スライドショー(by Y.Korrin)";
    ASSERT_TRUE(make_slide_html(f.job, 1).ok);
    EXPECT_EQ(read_bytes(f.show.file("sld001.htm")),
              "<TITLE>Zorvo &#x30B9;&#x30E9;&#x30A4;&#x30C9;&#x30B7;&#x30E7;&#x30FC;(by "
              "Y.Korrin)</TITLE>\r\n");

    f.put_template("navbtn_c.htm", "<IMG SRC=\"T_BUTTON\"><A HREF=\"DOWNLOAD_FILE\">\r\n");
    f.job.state.button_img[1] = c.icon;
    f.job.state.down_file_name[1] = c.download;
    f.window.set_check(CheckBox::Check2, kChecked);
    ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
    EXPECT_EQ(read_bytes(f.show.file("navbtn1.htm")),
              "<IMG SRC=\"" + c.icon_src + "\"><A HREF=\"" + c.download_href + "\">\r\n");
  }
}

// A show made from a deck: its title on the entry and slide pages, the
// first slide's text as its name without script, every slide's title and
// text for the script, each title after its number in the slide list; all
// of it escaped, and ASCII outside UTF-8. A show whose slides hold no text
// keeps the template's lines.
TEST(PageWritersText, SlidesWordsReachThePagesEscaped) {
  struct Case {
    const char* codeset;
    std::string title;
    std::vector<std::string> texts;
    std::string entry, bar, slide;
  } cases[] = {
      {"UTF-8",
       "Deck & \"港\"",
       {"港 <b>&\"x\"</b>\nline two", "", "</script>y"},
       "<TITLE>Deck &amp; &quot;港&quot;</TITLE>\r\n"
       "<img src=\"img001.gif\" alt=\"港 &lt;b&gt;&amp;&quot;x&quot;&lt;/b&gt;&#10;line two\">\r\n"
       R"(var SlideText = [["港 \u003Cb\u003E&\"x\"\u003C/b\u003E","港 \u003Cb\u003E&\"x\"\u003C/b\u003E\nline two"],["",""],["\u003C/script\u003Ey","\u003C/script\u003Ey"]];)"
       "\r\n",
       "\t<OPTION VALUE=\"1\">1 港 &lt;b&gt;&amp;&quot;x&quot;&lt;/b&gt;\r\n"
       "\t<OPTION VALUE=\"2\">2\r\n"
       "\t<OPTION VALUE=\"3\">3 &lt;/script&gt;y\r\n",
       "<TITLE>Deck &amp; &quot;港&quot;</TITLE>\r\n"},
      {"CP932",
       "港 😀",
       {"港\xff", "", ""},
       "<TITLE>&#x6E2F; &#x1F600;</TITLE>\r\n"
       "<img src=\"img001.gif\" alt=\"&#x6E2F;&#xFFFD;\">\r\n"
       R"(var SlideText = [["\u6E2F\uFFFD","\u6E2F\uFFFD"],["",""],["",""]];)"
       "\r\n",
       "\t<OPTION VALUE=\"1\">1 &#x6E2F;&#xFFFD;\r\n"
       "\t<OPTION VALUE=\"2\">2\r\n"
       "\t<OPTION VALUE=\"3\">3\r\n",
       "<TITLE>&#x6E2F; &#x1F600;</TITLE>\r\n"},
      {"UTF-8",
       "",
       {"", " \n", ""},
       "<TITLE>old</TITLE>\r\n"
       "<img src=\"img001.gif\" alt=\"&#x30B9;&#x30E9;&#x30A4;&#x30C9; 1\">\r\n"
       "var SlideText = null;\r\n",
       "\t<OPTION VALUE=\"1\">1\r\n\t<OPTION VALUE=\"2\">2\r\n\t<OPTION VALUE=\"3\">3\r\n",
       "<TITLE>Zorvo</TITLE>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.codeset) + " " + c.title);
    JobFixture f(c.codeset);
    JobState& s = f.job.state;
    s.src_dir = f.show_dir();
    s.app_dir = f.program.path();
    s.img_type = 1;
    s.last_slide[1] = 3;
    s.deck_title = c.title;
    s.show_title[1] = c.title.empty() ? "Zorvo" : c.title;
    s.slide_texts = c.texts;
    f.put_template("index_c_l.htm",
                   "<TITLE>old</TITLE>\r\n"
                   "<img src=\"img001.GIF\" alt=\"&#x30B9;&#x30E9;&#x30A4;&#x30C9; 1\">\r\n"
                   "var SlideText = null;\r\n");
    f.put_template("navbtn_c.htm", "</SELECT>\r\n");
    f.put_template("sld000.htm", "<TITLE>x\r\n");
    ASSERT_TRUE(make_index_html(f.job, 1).ok);
    ASSERT_TRUE(make_navbtn_html(f.job, 1).ok);
    ASSERT_TRUE(make_slide_html(f.job, 1).ok);
    EXPECT_EQ(read_bytes(f.show.file("index.html")), c.entry);
    EXPECT_EQ(read_bytes(f.show.file("navbtn1.htm")), c.bar + "</SELECT>\r\n");
    EXPECT_EQ(read_bytes(f.show.file("sld001.htm")), c.slide);
  }
}

TEST_F(PageWriters, Utf8TemplateWithInvalidBytesIsCopiedByteForByte) {
  std::string tmpl = "\xc3\x28 caf\xc3\xa9 \xe6\x97\xa5\r\n\xff GIF \xfe\r\n";
  f.put_template("index_c_l.htm", tmpl);
  ASSERT_TRUE(make_index_html(f.job, 1).ok);
  EXPECT_EQ(page("index.html"), "\xc3\x28 caf\xc3\xa9 \xe6\x97\xa5\r\n\xff gif \xfe\r\n");
}

TEST_F(PageWriters, FailureLeavesTheExistingPageAndNoTemporaryFile) {
  f.put("index.html", "keep me");
  FileResult r = make_index_html(f.job, 1);  // no template
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.step, FileStep::Read);
  EXPECT_EQ(r.file, f.program.path() + "/Template/index_c_l.htm");
  EXPECT_EQ(page("index.html"), "keep me");
  EXPECT_EQ(testing::entries(f.show.path()), std::vector<std::string>{"index.html"});

  f.put_template("index_c_l.htm", "x");
  f.job.state.src_dir = f.show.file("gone/");
  r = make_index_html(f.job, 1);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.step, FileStep::Write);
  EXPECT_EQ(r.file, f.show.file("gone/index.html"));
}

}  // namespace
}  // namespace vellumet
