#include "commands/given_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "command_fixture.h"

namespace vellumet {
namespace {

using testing::CommandFixture;

// Paths as a command line or a drop gives them: relative ones count from the
// working folder (the export folder here); "@" stands for its full path.
TEST(GivenFolder, ReadableFoldersOpenAndAnythingElseIsReported) {
  struct Case {
    std::string path;
    std::string opened;  // relative to the export folder; "-" when reported
  } cases[] = {
      {"@/sub/", "sub"},
      {"./sub/../sub/deeper", "sub/deeper"},
      {"link", "sub/deeper"},
      {"link/..", "sub"},  // one up from where the link leads
      {"dangling/..", "-"},
      {".", ""},
      {"@/slides.zip", "-"},
      {"missing/sub", "-"},
      {"", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("path " + c.path);
    CommandFixture f;
    ::mkdir(f.show.file("sub").c_str(), 0755);
    ::mkdir(f.show.file("sub/deeper").c_str(), 0755);
    ASSERT_EQ(::symlink("sub/deeper", f.show.file("link").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere/deeper", f.show.file("dangling").c_str()), 0);
    f.put("slides.zip");
    const std::string show = std::filesystem::canonical(f.show.path()).string();
    std::string path = c.path;
    if (path.starts_with('@')) path = f.show.path() + path.substr(1);

    char old[4096];
    ASSERT_NE(::getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(::chdir(f.show.path().c_str()), 0);
    const std::string opened = given_folder(f.job, path);
    ASSERT_EQ(::chdir(old), 0);

    if (c.opened != "-") {
      EXPECT_EQ(opened, c.opened.empty() ? show : show + "/" + c.opened);
      EXPECT_TRUE(f.dialogs.shown.empty());
      continue;
    }
    EXPECT_EQ(opened, "");
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const MessageBox& box = f.dialogs.shown[0];
    EXPECT_EQ(box, info_box("フォルダを開く", box.text));  // a report with OK
    EXPECT_TRUE(
        box.text.starts_with(path + " はフォルダではないか、読み込めないので開けません。\r\n\n"))
        << box.text;
  }
}

}  // namespace
}  // namespace vellumet
