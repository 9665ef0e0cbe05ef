#include "cli/arguments.h"

#include <gtest/gtest.h>

#include "base/messages.h"

namespace vellumet::cli {
namespace {

using Args = std::vector<std::string>;

TEST(Arguments, CommandLineOrWindow) {
  const std::pair<Args, bool> cases[] = {
      {{}, false},
      {{"/some/folder"}, false},
      {{"--page=x.html", "f"}, true},  // an option of the command line, without --create
      {{"--yes", "f"}, true},
      {{"--style", "fusion", "f"}, false},  // Qt's own option as well
      {{"--create", "f"}, true},
      {{"f", "--help"}, true},
      {{"--version"}, true},
      {{"--", "--create"}, false},  // after "--" it is a folder name
  };
  for (const auto& [args, cli] : cases) EXPECT_EQ(wants_command_line(args), cli) << args.size();
}

TEST(Arguments, EveryOptionReachesItsField) {
  Parsed p = parse_arguments({"--create",  "a",       "--page",   "show.html",    "--count=12",
                              "--style",   "3",       "--player", "--no-player",  "--download",
                              "f.zip",     "--icons", "custom",   "--clean",      "--yes",
                              "--dry-run", "--width", "800",      "--image=WebP", "--out",
                              "shows",     "--jobs",  "3",        "--",           "--b"});
  ASSERT_EQ(p.error, "");
  const Options& o = p.options;
  EXPECT_EQ(o.action, Options::Action::Create);
  EXPECT_EQ(o.folders, (Args{"a", "--b"}));
  EXPECT_EQ(o.page, "show.html");
  EXPECT_EQ(o.count, "12");
  EXPECT_EQ(o.style, 3);
  EXPECT_EQ(o.player, false);  // the last of the pair wins
  EXPECT_EQ(o.download, "f.zip");
  EXPECT_TRUE(o.custom_icons && o.clean && o.yes && o.dry_run);
  EXPECT_EQ(o.width, 800);
  EXPECT_EQ(o.image, deck::ImageFormat::Webp);
  EXPECT_EQ(o.out, "shows");
  EXPECT_EQ(o.jobs, 3);

  // --no-download and --download: the last one wins.
  EXPECT_TRUE(
      parse_arguments({"--create", "--download", "f", "--no-download", "a"}).options.no_download);
  Parsed download = parse_arguments({"--create", "--no-download", "--download", "f", "a"});
  EXPECT_FALSE(download.options.no_download);
  EXPECT_EQ(download.options.download, "f");

  Parsed defaults = parse_arguments({"--create", "a"});
  ASSERT_EQ(defaults.error, "");
  EXPECT_FALSE(defaults.options.page || defaults.options.count || defaults.options.style ||
               defaults.options.player || defaults.options.download);
  EXPECT_FALSE(defaults.options.custom_icons || defaults.options.clean || defaults.options.yes ||
               defaults.options.dry_run || defaults.options.no_download);
  EXPECT_FALSE(defaults.options.width || defaults.options.image || defaults.options.out ||
               defaults.options.jobs);
}

TEST(Arguments, UsageErrors) {
  const std::pair<Args, std::string> cases[] = {
      {{"--create", "--bogus", "a"}, msg::fill(msg::kCliUnknownOption, {"--bogus"})},
      {{"--create", "-y", "a"}, msg::fill(msg::kCliUnknownOption, {"-y"})},
      {{"--create", "--style", "7", "a"}, msg::fill(msg::kCliBadStyle, {"7"})},
      {{"--create", "--style=", "a"}, msg::fill(msg::kCliBadStyle, {""})},
      {{"--create", "--count", "12a", "a"}, msg::fill(msg::kCliBadCount, {"12a"})},
      {{"--create", "--count", "-1", "a"}, msg::fill(msg::kCliBadCount, {"-1"})},
      {{"--create", "--icons", "fancy", "a"}, msg::fill(msg::kCliBadIcons, {"fancy"})},
      {{"--create", "--yes=1", "a"}, msg::fill(msg::kCliNoValue, {"--yes"})},
      {{"--create", "a", "--page"}, msg::fill(msg::kCliMissingValue, {"--page"})},
      {{"--create", "--width", "15", "a"}, msg::fill(msg::kCliBadWidth, {"16", "8192", "15"})},
      {{"--create", "--width", "8193", "a"}, msg::fill(msg::kCliBadWidth, {"16", "8192", "8193"})},
      {{"--create", "--width", "1e3", "a"}, msg::fill(msg::kCliBadWidth, {"16", "8192", "1e3"})},
      {{"--create", "--image", "gif", "a"}, msg::fill(msg::kCliBadImage, {"gif"})},
      {{"--create", "--jobs", "0", "a"}, msg::fill(msg::kCliBadJobs, {"256", "0"})},
      {{"--create", "--jobs", "99999999999", "a"},
       msg::fill(msg::kCliBadJobs, {"256", "99999999999"})},
      {{"--create", "--out=", "a"}, msg::fill(msg::kCliMissingValue, {"--out"})},
      {{"--create"}, msg::kCliNoFolder},
      {{"--dry-run", "a"}, msg::kCliNoCreate},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(parse_arguments(args).error, error) << args[1];

  // --help and --version win over anything wrong beside them.
  EXPECT_EQ(parse_arguments({"--bogus", "--help"}).options.action, Options::Action::Help);
  EXPECT_EQ(parse_arguments({"--style", "9", "--version"}).options.action,
            Options::Action::Version);
}

}  // namespace
}  // namespace vellumet::cli
