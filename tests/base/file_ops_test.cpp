#include "base/file_ops.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

TEST(RenameNoReplace, NeverOverwritesAnotherFile) {
  TempDir dir;
  testing::write_bytes(dir.file("sld001.gif"), "sld");
  testing::write_bytes(dir.file("img001.gif"), "img");
  FileResult taken = rename_no_replace(dir.file("sld001.gif"), dir.file("img001.gif"));
  EXPECT_FALSE(taken.ok);
  EXPECT_EQ(taken.error, EEXIST);
  EXPECT_EQ(testing::read_bytes(dir.file("sld001.gif")), "sld");
  EXPECT_EQ(testing::read_bytes(dir.file("img001.gif")), "img");

  EXPECT_TRUE(rename_no_replace(dir.file("sld001.gif"), dir.file("img002.gif")).ok);
  EXPECT_EQ(testing::read_bytes(dir.file("img002.gif")), "sld");
  EXPECT_FALSE(testing::exists(dir.file("sld001.gif")));

  FileResult missing = rename_no_replace(dir.file("none"), dir.file("x"));
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.step, FileStep::Rename);
  EXPECT_EQ(missing.file, dir.file("none"));
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(missing.reason, error_text(ENOENT));
}

}  // namespace
}  // namespace vellumet
