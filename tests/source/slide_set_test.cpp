#include "source/slide_set.h"

#include <gtest/gtest.h>

#include "job_fixture.h"
#include "source/file_names.h"

namespace vellumet {
namespace {

using testing::JobFixture;

struct DetectCase {
  std::vector<std::string> files;
  int img_type;
  std::string preview;  // file name loaded, "" when none
  std::string count;
  int check1;
  std::vector<std::string> series = {};   // a numbered series' images in number order
  std::vector<std::string> refusal = {};  // the findings a box lists, when one is shown
};

// `n` names: prefix + number (from `first`, padded to `width`) + suffix.
std::vector<std::string> numbered(const std::string& prefix, int first, int n,
                                  const std::string& suffix, int width = 0) {
  std::vector<std::string> names;
  for (int i = first; i < first + n; ++i) {
    std::string digits = std::to_string(i);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    names.push_back(prefix + digits + suffix);
  }
  return names;
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(SlideSet, DetectionTable) {
  const auto slides = numbered("Slide", 1, 12, ".PNG");
  const auto shifted = numbered("img", 0, 12, ".png", 3);
  const DetectCase cases[] = {
      {{"sld001.jpg", "sld002.jpg"}, 4, "sld001.jpg", "2", 0},
      {{"img001.gif", "img001.jpg", "img002.jpg"}, 1, "img001.gif", "1", 0},
      {{"IMG001.GIF", "IMG002.GIF", "img003.gif"}, 1, "IMG001.GIF", "3", 0},
      {{"img001.gif"}, 1, "img001.gif", "1", 0},
      {{"img001.gif", "movie.ppz"}, 1, "img001.gif", "1", 1},
      {{"sld001.gif", "img002.gif", "imgfoo.gif", "other.gif", "sld002.jpg"},
       3,
       "sld001.gif",
       "3",
       0},
      {{"img01.gif", "a.txt"}, 0, "", "0", 0},
      // An export's first slide image decides, whatever numbered images lie beside it.
      {with({"img001.gif", "img002.gif"}, slides), 1, "img001.gif", "2", 0},
      // Numbered series: in number order (10 after 9), padded or not, from 0 or 1.
      {with(slides, {"show.ppz", "notes.txt"}), 5, "Slide1.PNG", "12", 1, slides},
      {numbered("スライド", 1, 3, ".png"), 5, "スライド1.png", "3", 0,
       numbered("スライド", 1, 3, ".png")},
      {numbered("Harbour.", 1, 10, ".webp", 3), 6, "Harbour.001.webp", "10", 0,
       numbered("Harbour.", 1, 10, ".webp", 3)},
      {numbered("page-", 1, 11, ".jpeg", 2), 2, "page-01.jpeg", "11", 0,
       numbered("page-", 1, 11, ".jpeg", 2)},
      {numbered("img", 0, 11, ".png"), 5, "img0.png", "11", 0, numbered("img", 0, 11, ".png")},
      {shifted, 5, "img000.png", "12", 0, shifted},
      {{"Slide1.gif", "slide2.GIF"}, 1, "Slide1.gif", "2", 0, {"Slide1.gif", "slide2.GIF"}},
      {{"Slide1.jpg", "Slide2.jpeg"}, 2, "Slide1.jpg", "2", 0, {"Slide1.jpg", "Slide2.jpeg"}},
      // One image is a series when it is named as a slide; other numbered images are no series.
      {{"IMG001.webp", "Slide7.png"}, 6, "IMG001.webp", "1", 0, {"IMG001.webp"}},
      {{"Slide1.png", "img1.png", "logo2.png", "logo3.png", "DSC_0412.JPG", "page-01.bmp"},
       0,
       "",
       "0",
       0},
      // What keeps numbered images from being the slides is said, and nothing is set.
      {{"Slide1.png", "Slide2.png", "Slide4.png", "Slide7.png"},
       0,
       "",
       "0",
       0,
       {},
       {"Slide1.png ～ Slide7.png: 番号 3、5、6 の画像がありません。"}},
      {{"Slide1.png", "Slide2.PNG", "Slide3.jpg", "Slide3.png"},
       0,
       "",
       "0",
       0,
       {},
       {"Slide1.png ～ Slide3.png: 画像の種類が混ざっています（jpg 1 枚、png 3 枚）。",
        "Slide1.png ～ Slide3.png: 番号 3 の画像が複数あります。"}},
      {{"page-1.png", "page-01.png", "page-2.png"},
       0,
       "",
       "0",
       0,
       {},
       {"page-01.png ～ page-2.png: 番号 1 の画像が複数あります。"}},
      {with(slides, numbered("thumb", 0, 2, ".png")),
       0,
       "",
       "0",
       0,
       {},
       {"番号付きの画像が 2 組あります（Slide1.PNG ～ Slide12.PNG、thumb0.png ～ thumb1.png）。"
        "どの組がスライドか決められません。"}},
      {with(numbered("p", 1, 40, ".png"), {"p99.png"}),
       0,
       "",
       "0",
       0,
       {},
       {"p1.png ～ p99.png: 番号 41、42、43、44、45、46、47、48、49、50… の画像がありません。"}},
  };
  for (const auto& c : cases) {
    JobFixture f;
    for (const auto& n : c.files) f.put(n);
    const std::optional<SlideSet> set = preview_pic(f.job, f.show.path());
    SCOPED_TRACE(c.files.front());
    EXPECT_EQ(f.window.text(TextField::Text2), c.count);
    EXPECT_EQ(f.window.check(CheckBox::Check1), c.check1);
    EXPECT_EQ(set.has_value(), c.img_type != 0);
    if (set) {
      EXPECT_EQ(set->folder, f.show.path());
      EXPECT_EQ(set->first_image, c.preview);
      EXPECT_EQ(set->extension, image_extension(c.img_type));
      EXPECT_EQ(set->img_type, c.img_type);
      EXPECT_EQ(std::to_string(set->count), c.count);
      EXPECT_EQ(set->kind, c.series.empty() ? SetKind::Export : SetKind::Numbered);
      EXPECT_EQ(set->images, c.series);
    }
    if (c.img_type == 0) {
      EXPECT_EQ(f.job.state.src_dir, "");
      EXPECT_FALSE(f.window.visible(Control::Image3));
      EXPECT_FALSE(f.window.visible(Control::Command2));
    } else {
      EXPECT_EQ(f.job.state.img_type, c.img_type);
      EXPECT_EQ(f.job.state.src_dir, f.show_dir());
      EXPECT_EQ(f.window.text(TextField::Text1), f.show_dir());
      EXPECT_EQ(f.window.preview_path(), f.show.file(c.preview));
      EXPECT_TRUE(f.window.visible(Control::Image3));
      EXPECT_TRUE(f.window.visible(Control::Command2));
    }
    if (c.refusal.empty()) {
      EXPECT_EQ(testing::box_log(f.dialogs), "");
    } else {
      std::string items;
      for (const auto& line : c.refusal) items += (items.empty() ? "\t" : "\r\n\t") + line;
      EXPECT_EQ(testing::box_log(f.dialogs),
                "[フォルダを開く] フォルダ " + f.show.path() +
                    " の番号付きの画像は、次の理由でスライドとして使えません。\r\n\n" + items +
                    "\r\n\n何も変更しません。スライドの画像を一組だけにし、番号を 0 か 1 "
                    "から抜けなく付けて下さい。\n");
    }
  }
}

TEST(SlideSet, LeavingTheSlideFolderKeepsTheSource) {
  JobFixture f;
  f.put("sld001.gif");
  f.put("talk.ppz");
  f.put("index.htm");
  f.browse_show();
  testing::TempDir other;
  testing::write_bytes(other.file("notes.txt"), "x");
  preview_pic(f.job, other.path());
  EXPECT_FALSE(f.window.visible(Control::Image3));
  EXPECT_EQ(f.window.text(TextField::Text1), "");
  EXPECT_EQ(f.window.text(TextField::Text2), "0");
  EXPECT_EQ(f.job.state.slide_count, 0);
  EXPECT_EQ(f.window.check(CheckBox::Check1), 0);
  EXPECT_EQ(f.job.state.src_dir, f.show_dir());
  EXPECT_EQ(f.job.state.img_type, 3);
  EXPECT_EQ(f.window.text(TextField::Text4), "index.htm\r\n");
  EXPECT_TRUE(f.window.visible(Control::Command2));
}

TEST(SlideSet, RootFolderGetsADoubleSeparatorAndUnreadableFolderIsNoSlideSet) {
  JobFixture f;
  Listing listing;
  listing.names.push_back("img001.gif");
  dir_set(f.job, SlideSet{"/", "img001.gif", "gif", 1, 1, SetKind::Export, {}}, listing);
  EXPECT_EQ(f.job.state.src_dir, "//");
  preview_pic(f.job, f.show.file("missing"));
  EXPECT_EQ(f.window.text(TextField::Text2), "0");
}

TEST(SlideSet, CountStopsAt32767) {
  Listing listing;
  for (int i = 0; i < 33000; ++i) listing.names.push_back("img" + std::to_string(i) + ".gif");
  EXPECT_EQ(count_slides(listing, "gif"), 32767);
}

}  // namespace
}  // namespace vellumet
