#include "base/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

TEST(SplitLines, CrAndCrLfEndLinesLoneLfDoesNot) {
  struct Case {
    std::string bytes;
    std::vector<std::string> want;
  } cases[] = {
      {"a\r\nb\rc", {"a", "b", "c"}}, {"a\nb\n", {"a\nb\n"}}, {"a\r\n", {"a"}},         {"", {}},
      {"\r\n\r\n", {"", ""}},         {"\r\r\n", {"", ""}},   {"x\n\ry", {"x\n", "y"}},
  };
  for (const auto& c : cases) {
    auto lines = split_lines(c.bytes);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.want);
  }
}

TEST(AtomicFile, ReplacesOnlyOnCommit) {
  TempDir dir;
  testing::write_bytes(dir.file("page.htm"), "old");
  {
    AtomicFile f(dir.file("page.htm"));
    ASSERT_TRUE(f.open().ok);
    ASSERT_TRUE(f.write_line("new").ok);
  }  // abandoned
  EXPECT_EQ(testing::read_bytes(dir.file("page.htm")), "old");
  EXPECT_EQ(testing::entries(dir.path()), std::vector<std::string>{"page.htm"});

  AtomicFile f(dir.file("page.htm"));
  ASSERT_TRUE(f.open().ok);
  ASSERT_TRUE(f.write_line("new").ok);
  ASSERT_TRUE(f.commit().ok);
  EXPECT_EQ(testing::read_bytes(dir.file("page.htm")), "new\r\n");
  EXPECT_EQ(testing::entries(dir.path()), std::vector<std::string>{"page.htm"});
}

TEST(AtomicFile, ReportsAFolderThatDoesNotExist) {
  TempDir dir;
  AtomicFile f(dir.file("missing/page.htm"));
  FileResult r = f.open();
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.step, FileStep::Write);
  EXPECT_EQ(r.file, dir.file("missing/page.htm"));
  EXPECT_EQ(r.error, ENOENT);
}

TEST(ReadFile, ReportsMissingFilesAndFolders) {
  TempDir dir;
  std::string bytes;
  const std::pair<std::string, int> cases[] = {{dir.file("none"), ENOENT}, {dir.path(), EISDIR}};
  for (const auto& [path, error] : cases) {
    FileResult r = read_file(path, bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.step, FileStep::Read);
    EXPECT_EQ(r.file, path);
    EXPECT_EQ(r.error, error);
  }
  testing::write_bytes(dir.file("t"), std::string("a\0b", 3));
  ASSERT_TRUE(read_file(dir.file("t"), bytes).ok);
  EXPECT_EQ(bytes, std::string("a\0b", 3));
}

}  // namespace
}  // namespace vellumet
