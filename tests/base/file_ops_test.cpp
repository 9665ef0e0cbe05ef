#include "base/file_ops.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

TEST(RenameNoReplace, NeverOverwritesAnotherFile) {
  TempDir dir;
  testing::write_bytes(dir.file("sld001.gif"), "sld");
  testing::write_bytes(dir.file("img001.gif"), "img");
  EXPECT_EQ(rename_no_replace(dir.file("sld001.gif"), dir.file("img001.gif")).outcome,
            RenameOutcome::TargetExists);
  EXPECT_EQ(testing::read_bytes(dir.file("sld001.gif")), "sld");
  EXPECT_EQ(testing::read_bytes(dir.file("img001.gif")), "img");

  EXPECT_EQ(rename_no_replace(dir.file("sld001.gif"), dir.file("img002.gif")).outcome,
            RenameOutcome::Renamed);
  EXPECT_EQ(testing::read_bytes(dir.file("img002.gif")), "sld");
  EXPECT_FALSE(testing::exists(dir.file("sld001.gif")));

  RenameResult missing = rename_no_replace(dir.file("none"), dir.file("x"));
  EXPECT_EQ(missing.outcome, RenameOutcome::Failed);
  EXPECT_FALSE(missing.reason.empty());
}

}  // namespace
}  // namespace vellumet
