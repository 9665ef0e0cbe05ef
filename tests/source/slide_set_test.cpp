#include "source/slide_set.h"

#include <gtest/gtest.h>

#include "job_fixture.h"

namespace vellumet {
namespace {

using testing::JobFixture;

struct DetectCase {
  std::vector<std::string> files;
  int img_type;
  std::string preview;  // file name loaded, "" when none
  std::string count;
  int check1;
};

TEST(SlideSet, DetectionTable) {
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
      EXPECT_EQ(set->extension, c.preview.substr(c.preview.size() - 3) == "jpg" ? "jpg" : "gif");
      EXPECT_EQ(set->img_type, c.img_type);
      EXPECT_EQ(std::to_string(set->count), c.count);
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
  dir_set(f.job, "/", "img001.gif", listing);
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
