#include "source/show_manifest.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace vellumet {
namespace {

Manifest sample() {
  Manifest m;
  m.title = "港の計画 \\ 2024";
  m.source = "-港 deck.pptx";
  m.download = "-港 deck.pdf";
  m.image = "webp";
  m.width = 1920;
  m.texts = {"Slide 1\nline two\r\n\tindented \\n not a line end", "", std::string("nul\0end", 7)};
  return m;
}

TEST(Manifest, KeepsEveryTextThroughItsFile) {
  testing::TempDir dir;
  ASSERT_TRUE(write_manifest(dir.path(), sample()).ok);
  Manifest read;
  ASSERT_TRUE(read_manifest(dir.path(), read));
  Manifest want = sample();
  EXPECT_EQ(read.title, want.title);
  EXPECT_EQ(read.source, want.source);
  EXPECT_EQ(read.download, want.download);
  EXPECT_EQ(read.image, want.image);
  EXPECT_EQ(read.width, want.width);
  EXPECT_EQ(read.texts, want.texts);
  // One line per field and per slide: escapes keep every value on its line.
  std::string bytes = testing::read_bytes(dir.file(kManifestName));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 7 + 3);
}

TEST(Manifest, RefusesWhatItDidNotWrite) {
  std::string good = manifest_bytes(sample());
  auto replaced = [&good](std::string_view from, std::string_view to) {
    std::string bytes = good;
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
  };
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"another first line", replaced("vellumet-show 1", "vellumet-show 2")},
      {"a key missing", replaced("width 1920\n", "")},
      {"a key twice", replaced("width 1920\n", "width 1920\nwidth 1920\n")},
      {"an unknown key", replaced("width 1920\n", "width 1920\ncolour red\n")},
      {"fewer texts than pages", replaced("pages 3", "pages 4")},
      {"a width that is no number", replaced("width 1920", "width wide")},
      {"a bad escape", replaced("\\\\ 2024", "\\q 2024")},
      {"no line end at the end", good.substr(0, good.size() - 1)},
      {"nothing", ""},
  };
  for (const auto& [what, bytes] : cases) {
    Manifest m;
    EXPECT_FALSE(parse_manifest(bytes, m)) << what;
  }
  Manifest m;
  EXPECT_TRUE(parse_manifest(good, m));
}

}  // namespace
}  // namespace vellumet
