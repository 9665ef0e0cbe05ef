// The real program on copies of the sample export. run_program gives it no
// display, so any path that made a Qt application object would fail here.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/messages.h"
#include "confirmation.h"
#include "run_program.h"
#include "temp_dir.h"

namespace vellumet::cli {
namespace {

using testing::entries;
using testing::printed_box;
using testing::ProgramRun;
using testing::TempDir;
using testing::tree_bytes;

// No file below `folder` differs from `before`.
void expect_unchanged(const std::string& folder, const std::map<std::string, std::string>& before) {
  EXPECT_EQ(testing::differing_files(before, tree_bytes(folder)), std::vector<std::string>{});
}
using Args = std::vector<std::string>;

class CommandLine : public ::testing::Test {
 protected:
  // A copy of the sample export named `name` in the working folder; its path.
  std::string sample(const std::string& name = "sample") {
    std::filesystem::copy(VELLUMET_SAMPLE_DIR, work.file(name));
    return work.file(name);
  }
  ProgramRun vellumet(const Args& args, bool terminal = false, const std::string& input = "") {
    return testing::run_program(VELLUMET_PROGRAM, args, work.path(), terminal, input);
  }
  std::string confirm(const std::string& folder) {
    return testing::confirmation_text(folder + "/", "index.html", true);
  }
  TempDir work;
};

const Args kPublished = {"img001.gif", "img002.gif",  "img003.gif", "img004.gif", "img005.gif",
                         "index.html", "navbtn1.htm", "pres0.ppz",  "sld001.htm"};

TEST_F(CommandLine, YesPublishesAndShowsEveryBox) {
  const std::string folder = sample();
  ProgramRun r = vellumet({"--create", "--yes", "--clean", "sample/"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            printed_box(msg::kCreateTitle, confirm(folder), "はい（--yes）") +
                printed_box(msg::kGomiTitle, std::string(msg::kCleanupPrefix) + msg::kGomiQuestion,
                            "はい（--clean）") +
                printed_box(msg::kCreateTitle, msg::kDone));
  EXPECT_EQ(entries(folder), kPublished);
}

TEST_F(CommandLine, WithoutTerminalOrYesStopsAtTheConfirmation) {
  const std::string folder = sample();
  const auto before = tree_bytes(folder);
  ProgramRun r = vellumet({"--create", folder});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, printed_box(msg::kCreateTitle, confirm(folder), "いいえ（端末がないため）"));
  expect_unchanged(folder, before);
}

TEST_F(CommandLine, DryRunPrintsThePlanAndChangesNoByte) {
  const std::string folder = sample();
  const auto before = tree_bytes(folder);
  ProgramRun r = vellumet({"--create", "--dry-run", "--icons", "custom", folder});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  expect_unchanged(folder, before);

  std::string plan = folder + "/（--dry-run: 何も変更しません）\nチャート枚数 5、gif\n";
  plan += "名前を変更するファイル:\n";
  for (int i = 1; i <= 5; ++i) {
    plan += "\tsld00" + std::to_string(i) + ".gif → img00" + std::to_string(i) + ".gif\n";
  }
  plan += "\tshow.ppz → pres0.ppz\n書き込むファイル:\n\tindex.html\n";
  const std::string program = std::filesystem::path(VELLUMET_PROGRAM).parent_path();
  for (const auto& b : entries(program + "/buttons")) plan += "\tbuttons/" + b + "\n";
  plan +=
      "\tnavbtn1.htm\n\tsld001.htm（上書き）\n消去を確認するファイル（--no-clean: "
      "消去しません）:\n";
  for (const char* left : {"first.gif", "index.htm", "next.gif", "prev.gif", "sld002.htm",
                           "tsld001.htm", "tsld002.htm"}) {
    plan += std::string("\t") + left + "\n";
  }
  EXPECT_EQ(r.out, plan + "\n");

  // A rename onto a name already taken is marked: the run will ask.
  const std::string clash = sample("clash");
  testing::write_bytes(clash + "/img002.gif", "another image");
  r = vellumet({"--create", "--dry-run", clash, folder});
  EXPECT_NE(
      r.out.find("\tsld002.gif → img002.gif（img002.gif は既にあります。続けるか尋ねます）\n"),
      std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("確認のみ: " + clash + "\n確認のみ: " + folder + "\n")) << r.out;
  EXPECT_EQ(r.status, 0);
}

TEST_F(CommandLine, BrokenFoldersFailAloneAndTheSummaryEndsTheRun) {
  const std::string a = sample("a"), c = sample("c");
  const std::string plain = work.file("plain");
  std::filesystem::create_directory(plain);
  testing::write_bytes(plain + "/notes.txt", "no slides here");
  ProgramRun r = vellumet({"--create", "--yes", "--clean", "a", "plain", "missing", "c"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "完了: " + a + "\n失敗: " + plain + "\n失敗: " + work.file("missing") +
                       "\n完了: " + c + "\n");
  EXPECT_NE(r.err.find(printed_box(msg::kCreateTitle, msg::fill(msg::kCliNotSlideSet, {plain}))),
            std::string::npos);
  EXPECT_NE(r.err.find(printed_box(msg::kCreateTitle,
                                   msg::fill(msg::kCliFolderMissing, {work.file("missing")}))),
            std::string::npos);
  EXPECT_EQ(entries(plain), Args{"notes.txt"});
  EXPECT_EQ(entries(a), kPublished);
  EXPECT_EQ(entries(c), kPublished);
}

TEST_F(CommandLine, UsageErrorsChangeNothing) {
  const std::string folder = sample();
  const auto before = tree_bytes(folder);
  // Each message is checked where the arguments are read; here the exit.
  const std::pair<Args, std::string> cases[] = {
      {{"--create", "--yes", "--style", "7", folder}, msg::fill(msg::kCliBadStyle, {"7"})},
      {{"--create", "--yes"}, msg::kCliNoFolder},
  };
  for (const auto& [args, error] : cases) {
    ProgramRun r = vellumet(args);
    EXPECT_EQ(r.status, 2) << error;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, error + "\n" + msg::kCliUsageHint + "\n");
  }
  expect_unchanged(folder, before);
}

TEST_F(CommandLine, HelpAndVersion) {
  ProgramRun help = vellumet({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.substr(0, help.out.find('\n')), msg::kCliHelp[0]);
  ProgramRun version = vellumet({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("vellumet ") + VELLUMET_VERSION + "\n");
}

TEST_F(CommandLine, QuestionsOnATerminal) {
  const std::string prompt = "はい/いいえ [y/N]: ";
  struct Case {
    Args folders;
    std::string input;
    int status;
    int prompts;
    Args summary;  // how each folder ended, when there are several
  };
  const Case cases[] = {
      {{"t1"}, "\n", 1, 1, {}},          // Enter: the box's default, No
      {{"t2"}, "maybe\ny\n", 0, 2, {}},  // asked again until understood
      // One confirmation per folder, with progress and a summary.
      {{"t3", "t4"}, "yes\nはい\n", 0, 2, {"完了", "完了"}},
      {{"t5", "t6"}, "n\ny\n", 1, 2, {"中止", "完了"}},
  };
  for (const Case& c : cases) {
    Args args = {"--create"};
    for (const auto& f : c.folders) args.push_back(sample(f));
    ProgramRun r = vellumet(args, true, c.input);
    EXPECT_EQ(r.status, c.status) << c.input << r.out;
    std::size_t prompts = 0;
    for (std::size_t at = r.out.find(prompt); at != std::string::npos;
         at = r.out.find(prompt, at + 1))
      ++prompts;
    EXPECT_EQ(prompts, static_cast<std::size_t>(c.prompts)) << r.out;
    const bool progress =
        r.out.find("[2/2] " + work.file(c.folders.back()) + "\n") != std::string::npos;
    EXPECT_EQ(progress, c.folders.size() == 2) << r.out;
    std::string summary;
    for (std::size_t i = 0; i < c.summary.size(); ++i)
      summary += c.summary[i] + ": " + work.file(c.folders[i]) + "\n";
    EXPECT_TRUE(r.out.ends_with(summary)) << r.out;
    EXPECT_EQ(testing::exists(work.file(c.folders[0]) + "/index.html"), c.status == 0);
  }
}

}  // namespace
}  // namespace vellumet::cli
