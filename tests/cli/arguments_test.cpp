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
  Parsed p = parse_arguments({"--create", "a", "--page", "show.html", "--count=12", "--style", "3",
                              "--player", "--no-player", "--download", "f.zip", "--icons", "custom",
                              "--clean", "--yes", "--dry-run", "--", "--b"});
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

  Parsed defaults = parse_arguments({"--create", "a"});
  ASSERT_EQ(defaults.error, "");
  EXPECT_FALSE(defaults.options.page || defaults.options.count || defaults.options.style ||
               defaults.options.player || defaults.options.download);
  EXPECT_FALSE(defaults.options.custom_icons || defaults.options.clean || defaults.options.yes ||
               defaults.options.dry_run);
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
