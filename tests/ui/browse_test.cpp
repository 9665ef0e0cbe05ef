#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "base/messages.h"
#include "ui/folder_browser.h"
#include "ui/preview_image.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

using vellumet::testing::write_bytes;

const char* const kSampleLeftovers =
    "first.gif\nindex.htm\nnext.gif\nprev.gif\nsld002.htm\ntsld001.htm\ntsld002.htm\n";

class BrowseTest : public UiTest {
 protected:
  // Counts the detections the folder browser starts.
  void count_detections() {
    QObject::connect(&form->browser(), &FolderBrowser::dir_changed,
                     [this](const std::string& folder) { detected.push_back(folder); });
  }
  QString work_row() const { return QString::fromStdString(work.path()).section('/', -1); }

  std::vector<std::string> detected;
};

TEST_F(BrowseTest, IntoTheSampleAndOutAgain) {
  open_dir_row("sample");
  EXPECT_EQ(form->browser().path(), sample());
  EXPECT_EQ(form->job().state.src_dir, sample() + "/");
  EXPECT_EQ(text("Text1").toStdString(), sample() + "/");
  EXPECT_EQ(text("Text2"), "5");
  EXPECT_EQ(form->job().state.slide_count, 5);
  EXPECT_EQ(form->job().state.img_type, 3);
  EXPECT_EQ(find<QCheckBox>("Check1")->checkState(), Qt::Checked);  // show.ppz
  EXPECT_TRUE(action("pp_button_on")->isChecked());
  EXPECT_FALSE(action("pp_button_off")->isChecked());
  EXPECT_EQ(text("Text4"), kSampleLeftovers);
  EXPECT_TRUE(find("Image3")->isVisible());
  const QImage& preview = find<PreviewImage>("Image3")->image();
  ASSERT_FALSE(preview.isNull());
  EXPECT_EQ(preview.size(), QSize(177, 137));
  EXPECT_TRUE(find("Command2")->isVisible());
  EXPECT_TRUE(find("Command5")->isVisible());
  EXPECT_EQ(dir_rows().last(), "sample");  // no sub-folders below it

  open_dir_row(work_row());
  EXPECT_EQ(form->browser().path(), work.path());
  EXPECT_EQ(form->job().state.src_dir, sample() + "/");  // kept
  EXPECT_EQ(text("Text1"), "");
  EXPECT_EQ(text("Text2"), "0");
  EXPECT_EQ(form->job().state.slide_count, 0);
  EXPECT_EQ(find<QCheckBox>("Check1")->checkState(), Qt::Unchecked);
  EXPECT_TRUE(action("pp_button_off")->isChecked());
  EXPECT_TRUE(find("Image3")->isHidden());
  EXPECT_EQ(text("Text4"), kSampleLeftovers);  // still the source folder's list
  EXPECT_TRUE(find("Command2")->isVisible());
  EXPECT_TRUE(find("Command5")->isVisible());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BrowseTest, EveryFolderChangeRunsDetectionOnce) {
  count_detections();
  open_dir_row("sample");
  open_dir_row("sample");  // the current folder: no change
  open_dir_row(work_row());
  open_dir_row("/");
  EXPECT_EQ(detected, (std::vector<std::string>{sample(), work.path(), "/"}));
  EXPECT_EQ(dir_rows().first(), "/");
}

TEST_F(BrowseTest, DriveChangeGoesToThatDrivesCurrentFolder) {
  TempDir other;
  copy_folder(VELLUMET_SAMPLE_DIR, other.path() + "/show");
  form.reset();
  start({{"/", "/"}, {other.path(), "stick"}});
  count_detections();

  auto* drive1 = find<QComboBox>("Drive1");
  QTest::keyClick(drive1, Qt::Key_Down);  // the second volume
  ASSERT_EQ(detected, std::vector<std::string>{other.path()});
  EXPECT_EQ(dir_rows(), (QStringList{QString::fromStdString(other.path()), "show"}));
  EXPECT_EQ(text("Text2"), "0");

  open_dir_row("show");
  EXPECT_EQ(text("Text2"), "5");
  EXPECT_EQ(form->job().state.src_dir, other.path() + "/show/");

  QTest::keyClick(drive1, Qt::Key_Up);  // back to "/": its folder was remembered
  EXPECT_EQ(form->browser().path(), work.path());
  QTest::keyClick(drive1, Qt::Key_Down);  // and the stick's too
  EXPECT_EQ(form->browser().path(), other.path() + "/show");
  EXPECT_EQ(detected, (std::vector<std::string>{other.path(), other.path() + "/show", work.path(),
                                                other.path() + "/show"}));
  EXPECT_EQ(text("Text2"), "5");
}

TEST_F(BrowseTest, VanishedFoldersAndBrokenImagesAreHarmless) {
  count_detections();
  ::rmdir((work.path() + "/empty").c_str());
  open_dir_row("empty");  // removed after it was listed
  EXPECT_TRUE(detected.empty());
  EXPECT_EQ(form->browser().path(), work.path());
  EXPECT_FALSE(dir_rows().contains("empty"));

  // The first slide cannot be decoded: the folder is still a slide set.
  std::string broken = work.path() + "/broken";
  ::mkdir(broken.c_str(), 0755);
  write_bytes(broken + "/IMG001.GIF", "not an image");
  write_bytes(broken + "/img002.gif", "");
  form->browser().open_folder(broken);
  EXPECT_EQ(text("Text2"), "2");
  EXPECT_EQ(form->job().state.img_type, 1);
  EXPECT_TRUE(find<PreviewImage>("Image3")->image().isNull());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BrowseTest, FolderNamesThatAreNotValidTextStillOpen) {
  const std::string odd = work.path() + "/sl\xff" + "des";
  copy_folder(VELLUMET_SAMPLE_DIR, odd);
  form->browser().refresh();
  count_detections();
  open_dir_row(QStringLiteral("sl\uFFFDdes"));
  EXPECT_EQ(detected, std::vector<std::string>{odd});
  EXPECT_EQ(form->job().state.src_dir, odd + "/");
  EXPECT_EQ(text("Text2"), "5");
  EXPECT_FALSE(find<PreviewImage>("Image3")->image().isNull());
}

TEST_F(BrowseTest, PipeInPlaceOfASlideIsNeverWaitedOn) {
  const std::string fifo = work.path() + "/img001.gif";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Should the preview wait on the pipe, a writer comes along after a while
  // and ends the wait, so the test fails instead of hanging.
  std::atomic<bool> loaded = false, had_to_write = false;
  std::thread writer([&] {
    for (int i = 0; i < 100 && !loaded; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (loaded) return;
    had_to_write = true;
    ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
  });
  EXPECT_FALSE(find<PreviewImage>("Image3")->load(fifo));
  loaded = true;
  writer.join();
  EXPECT_FALSE(had_to_write);
}

// Every type a slide may have previews, a large photo decoded at the preview's
// size; a numbered series previews the image with the lowest number.
TEST_F(BrowseTest, SlidesOfEveryTypePreviewDecodedAtPreviewSize) {
  struct Case {
    const char* folder;
    std::vector<std::string> names;  // the first is the one previewed
    const char* format;
    int img_type;
    QSize size;
  } cases[] = {
      {"photos", {"sld001.jpg"}, "JPEG", 4, {4000, 3000}},
      {"png", {"Slide1.PNG", "Slide2.PNG"}, "PNG", 5, {800, 600}},
      {"webp", {"ページ-00.webp", "ページ-01.webp"}, "WEBP", 6, {800, 600}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const std::string folder = work.path() + "/" + c.folder;
    ::mkdir(folder.c_str(), 0755);
    QImage photo(c.size, QImage::Format_RGB32);
    for (const auto& name : c.names) {
      photo.fill(name == c.names.front() ? QColor(200, 40, 40) : QColor(40, 40, 200));
      ASSERT_TRUE(photo.save(QString::fromStdString(folder + "/" + name), c.format, 50));
    }
    form->browser().refresh();  // as when the user comes back to the window
    open_dir_row(c.folder);
    EXPECT_EQ(form->job().state.img_type, c.img_type);
    const QImage& preview = find<PreviewImage>("Image3")->image();
    ASSERT_EQ(preview.size(), QSize(177, 137));
    EXPECT_NEAR(QColor(preview.pixel(88, 68)).red(), 200, 24);
    open_dir_row(work_row());
  }
}

// A folder from the command line or a drop opens as if chosen in the folder
// list, with detection once, also when it is the folder already shown; one on
// another volume switches the drive. Anything else changes nothing.
TEST_F(BrowseTest, GivenFolderOpensWithDetectionOnce) {
  TempDir other;
  copy_folder(VELLUMET_SAMPLE_DIR, other.path() + "/show");
  form.reset();
  start({{"/", "/"}, {other.path(), "stick"}});
  count_detections();
  form->open_given_folder(work.path() + "/missing");
  form->open_given_folder(work.path());
  form->open_given_folder(sample() + "/../sample/");
  EXPECT_EQ(text("Text2"), "5");
  form->open_given_folder(other.path() + "/show");
  EXPECT_EQ(find<QComboBox>("Drive1")->currentText(), "stick");
  EXPECT_EQ(detected, (std::vector<std::string>{work.path(), sample(), other.path() + "/show"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, msg::kOpenFolderTitle);
}

TEST_F(BrowseTest, DroppedFolderOpensLikeAGivenOne) {
  count_detections();
  write_bytes(work.path() + "/notes.txt", "x");
  const QString folder = QString::fromStdString(work.path());
  EXPECT_FALSE(drop_onto(form.get(), {folder + "/notes.txt"}));  // other files are not taken
  EXPECT_FALSE(drop_onto(form.get(), {folder + "/sample", folder + "/empty"}));  // nor several
  EXPECT_TRUE(drop_onto(form.get(), {folder + "/sample"}));
  EXPECT_EQ(text("Text2"), "5");
  // Over a text field the folder opens too, and the field's text stays.
  EXPECT_TRUE(drop_onto(find("Text3"), {folder + "/empty"}));
  EXPECT_EQ(text("Text3"), "index.html");
  EXPECT_EQ(detected, (std::vector<std::string>{sample(), work.path() + "/empty"}));
}

}  // namespace
}  // namespace vellumet::ui::testing
