#include "source/listing.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

TEST(Listing, NormalFilesOnlyInFoldedNameOrder) {
  TempDir dir;
  for (const char* n : {"b.GIF", "A.gif", "a.gif", ".hidden.gif", "img 10.gif", "Z", "\xff.gif"}) {
    testing::write_bytes(dir.file(n), "x");
  }
  ::mkdir(dir.file("folder.gif").c_str(), 0755);
  ::mkfifo(dir.file("pipe.gif").c_str(), 0644);
  ASSERT_EQ(::symlink("A.gif", dir.file("link.gif").c_str()), 0);
  ASSERT_EQ(::symlink("gone", dir.file("dangling.gif").c_str()), 0);
  ASSERT_EQ(::symlink("folder.gif", dir.file("dirlink.gif").c_str()), 0);

  Listing l = list_normal_files(dir.path());
  EXPECT_TRUE(l.read.ok);
  EXPECT_EQ(l.names.strings(), (std::vector<std::string>{"A.gif", "a.gif", "b.GIF", "img 10.gif",
                                                         "link.gif", "Z", "\xff.gif"}));
  EXPECT_EQ(
      filter_extension(l, "gif"),
      (std::vector<std::string>{"A.gif", "a.gif", "b.GIF", "img 10.gif", "link.gif", "\xff.gif"}));
  EXPECT_EQ(filter_extension(l, ""), l.names.strings());
  // The folder list's listing of the same folder: folders and links to one.
  EXPECT_EQ(sub_folders(dir.path()), (std::vector<std::string>{"dirlink.gif", "folder.gif"}));
}

TEST(Listing, UnreadableFolderGivesAnErrorAndNoNames) {
  TempDir dir;
  Listing l = list_normal_files(dir.file("missing"));
  EXPECT_FALSE(l.read.ok);
  EXPECT_EQ(l.read.step, FileStep::List);
  EXPECT_EQ(l.read.file, dir.file("missing"));
  EXPECT_EQ(l.read.error, ENOENT);
  EXPECT_TRUE(l.names.empty());
}

TEST(MatchesExtension, CaseInsensitiveAfterTheLastDot) {
  struct Case {
    const char* name;
    const char* ext;
    bool want;
  } cases[] = {
      {"img001.gif", "gif", true},  {"IMG007.GIF", "gif", true}, {"a.b.gif", "gif", true},
      {"gif", "gif", false},        {"xgif", "gif", false},      {"a.gifs", "gif", false},
      {"photo.jpeg", "jpg", false}, {"noext", "", true},         {"s.PpZ", "ppz", true},
  };
  for (const auto& c : cases) EXPECT_EQ(matches_extension(c.name, c.ext), c.want) << c.name;
}

}  // namespace
}  // namespace vellumet
