// The real program on copies of the sample export. run_program gives it no
// display, so any path that made a Qt application object would fail here.

#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/messages.h"
#include "confirmation.h"
#include "program_folder.h"
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
  ProgramRun vellumet(const Args& args, bool terminal = false, const std::string& input = "",
                      const std::string& out_file = "") {
    return testing::run_program(VELLUMET_PROGRAM, args, work.path(), terminal, input, out_file);
  }
  std::string confirm(const std::string& folder) {
    return testing::confirmation_text(folder + "/", "index.html", true);
  }
  // A PDF deck `name` in the working folder, written by vellumet_make_deck
  // with `args`; its path.
  std::string deck(const std::string& name, const Args& args = {}) {
    Args all = {work.file(name)};
    all.insert(all.end(), args.begin(), args.end());
    const ProgramRun made = testing::run_program(VELLUMET_MAKE_DECK, all, work.path());
    EXPECT_EQ(made.status, 0) << made.err;
    return work.file(name);
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

  // A numbered series shifted up by one is renamed from the top down, so no
  // name is taken when its turn comes.
  const std::string series = work.file("series");
  std::filesystem::create_directory(series);
  for (const char* n : {"img000.png", "img001.png", "img002.png", "notes.txt"})
    testing::write_bytes(series + "/" + n, n);
  const auto series_before = tree_bytes(series);
  r = vellumet({"--create", "--dry-run", series});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, series +
                       "/（--dry-run: 何も変更しません）\nチャート枚数 3、png\n"
                       "名前を変更するファイル:\n\timg002.png → img003.png\n"
                       "\timg001.png → img002.png\n\timg000.png → img001.png\n"
                       "書き込むファイル:\n\tindex.html\n\tnavbtn1.htm\n"
                       "消去を確認するファイル（--no-clean: 消去しません）:\n\tnotes.txt\n\n");
  expect_unchanged(series, series_before);
}

// Whatever the real run refuses before changing anything, the dry run
// refuses too: the same exit status, and the refusal in the plan's place.
TEST_F(CommandLine, DryRunRefusesWhatTheRunRefuses) {
  struct Case {
    Args options;
    std::string refusal;
    const char* folder_inside = nullptr;  // a folder made in the show folder first
  } cases[] = {
      {{"--page", "img001.gif"}, msg::fill(msg::kPageNameTaken, {"img001.gif"})},
      {{"--page", "../x.html"}, msg::fill(msg::kBadPageName, {"../x.html"})},
      {{"--page", "sub"}, msg::fill(msg::kPageNameTaken, {"sub"}), "sub"},
      {{"--count", "40000"}, msg::fill(msg::kTooManySlides, {"40000"})},
      {{}, msg::fill(msg::kPageIsFolder, {"index.html"}), "index.html"},
      // The download file, given from the working folder, is the export's index.htm.
      {{"--page", "index.htm", "--download", "s6/index.htm"},
       msg::fill(msg::kPageNameTaken, {"index.htm"})},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    const std::string folder = sample("s" + std::to_string(++n));
    if (c.folder_inside) std::filesystem::create_directory(folder + "/" + c.folder_inside);
    const auto before = tree_bytes(folder);
    Args dry = {"--create", "--dry-run"}, real = {"--create", "--yes"};
    for (Args* a : {&dry, &real}) {
      a->insert(a->end(), c.options.begin(), c.options.end());
      a->push_back(folder);
    }
    const ProgramRun planned = vellumet(dry), done = vellumet(real);
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(done.err, printed_box(msg::kCreateTitle, c.refusal));
    EXPECT_EQ(planned.status, done.status);
    EXPECT_EQ(planned.out, msg::fill(msg::kCliPlanHead, {folder + "/"}) + "\n" +
                               msg::kCliPlanRefused + "\n\t" + c.refusal + "\n\n");
    expect_unchanged(folder, before);
  }
}

TEST_F(CommandLine, FoldersResolveAsTheSystemResolvesThemAndBrokenOnesFailAlone) {
  const std::string a = sample("a"), c = sample("c");
  const std::string plain = work.file("plain"), gap = work.file("gap");
  std::filesystem::create_directory(plain);
  testing::write_bytes(plain + "/notes.txt", "no slides here");
  std::filesystem::create_directory(gap);
  for (const char* n : {"Slide1.png", "Slide3.png", "notes.txt"})
    testing::write_bytes(gap + "/" + n, n);
  const auto gap_before = tree_bytes(gap);
  const std::string gap_box = printed_box(
      msg::kOpenFolderTitle,
      msg::paragraphs({msg::fill(msg::kSeriesHead, {gap}),
                       msg::indented({"Slide1.png ～ Slide3.png: 番号 2 の画像がありません。"}),
                       msg::kSeriesTail}));
  ProgramRun dry = vellumet({"--create", "--dry-run", "gap"});
  EXPECT_EQ(dry.status, 1);
  EXPECT_EQ(dry.err, gap_box);
  // "link/.." is where the link leads, one up: deep, not the working folder,
  // which holds a slide set of its own here.
  const std::string deep = sample("deep");
  std::filesystem::create_directory(deep + "/inner");
  std::filesystem::create_directory_symlink("deep/inner", work.file("link"));
  std::filesystem::create_directory_symlink("nowhere/inner", work.file("dangling"));
  testing::write_bytes(work.file("sld001.gif"), "the working folder's own");
  testing::write_bytes(work.file("author.txt"), "the working folder's own");
  ProgramRun r = vellumet({"--create", "--yes", "--clean", "a", "plain", "missing", "gap",
                           "link/..", "dangling/..", "c"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "完了: " + a + "\n失敗: " + plain + "\n失敗: " + work.file("missing") +
                       "\n失敗: " + gap + "\n完了: " + deep +
                       "\n失敗: " + work.file("dangling/..") + "\n完了: " + c + "\n");
  EXPECT_NE(r.err.find(gap_box), std::string::npos) << r.err;
  expect_unchanged(gap, gap_before);
  EXPECT_NE(r.err.find(printed_box(msg::kCreateTitle, msg::fill(msg::kCliNotSlideSet, {plain}))),
            std::string::npos);
  for (const char* missing : {"missing", "dangling/.."}) {
    EXPECT_NE(r.err.find(printed_box(msg::kCreateTitle,
                                     msg::fill(msg::kCliFolderMissing, {work.file(missing)}))),
              std::string::npos);
  }
  EXPECT_EQ(entries(plain), Args{"notes.txt"});
  EXPECT_EQ(entries(a), kPublished);
  EXPECT_EQ(entries(c), kPublished);
  EXPECT_EQ(entries(deep),
            (Args{"img001.gif", "img002.gif", "img003.gif", "img004.gif", "img005.gif",
                  "index.html", "inner", "navbtn1.htm", "pres0.ppz", "sld001.htm"}));
  EXPECT_EQ(entries(work.path()), (Args{"a", "author.txt", "c", "dangling", "deep", "gap", "link",
                                        "plain", "sld001.gif"}));
}

// A name with control characters, or bytes that are no text, reaches the
// terminal quoted, in the plan and in the boxes, and is handled by its bytes.
TEST_F(CommandLine, OddNamesReachTheTerminalQuoted) {
  const std::string folder = sample("odd\x1b]0;pwned\a");
  const std::string shown = "$'" + work.path() + "/odd\\033]0;pwned\\a";
  testing::write_bytes(folder + "/\x1b]0;pwned\a.htm", "leftover");
  testing::write_bytes(folder + "/\xff\xfe.htm", "leftover");
  const ProgramRun plan = vellumet({"--create", "--dry-run", folder});
  EXPECT_TRUE(plan.out.starts_with(shown + "/'（--dry-run")) << plan.out;
  for (const char* line : {"\t$'\\033]0;pwned\\a.htm'\n", "\t$'\\377\\376.htm'\n"})
    EXPECT_NE(plan.out.find(line), std::string::npos) << line;

  // Numbered images that cannot be the slides are named quoted too.
  const std::string series = work.file("series");
  std::filesystem::create_directory(series);
  for (const char* n : {"/\x1b]0;pwned\a1.png", "/\x1b]0;pwned\a3.png"})
    testing::write_bytes(series + n, "slide");
  const ProgramRun gap = vellumet({"--create", "--dry-run", series});
  EXPECT_EQ(gap.status, 1);
  EXPECT_NE(gap.err.find("$'\\033]0;pwned\\a1.png' ～ $'\\033]0;pwned\\a3.png'"), std::string::npos)
      << gap.err;

  const ProgramRun run = vellumet({"--create", "--yes", "--clean", folder, sample("plain")});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("スライドのネタには、" + shown + "/' を使います。"), std::string::npos);
  EXPECT_TRUE(run.out.starts_with("完了: " + shown + "'\n")) << run.out;
  for (const std::string* printed : {&plan.out, &plan.err, &gap.err, &run.out, &run.err})
    EXPECT_EQ(printed->find_first_of("\x1b\a\xff"), std::string::npos) << *printed;
  EXPECT_EQ(entries(folder), kPublished);  // both leftovers deleted, by their bytes
}

TEST_F(CommandLine, UsageErrorsChangeNothing) {
  const std::string folder = sample();
  testing::write_bytes(work.file("handout.zip"), "beside the show folder");
  const auto before = tree_bytes(folder);
  // Each message is checked where the arguments are read; here the exit.
  const std::pair<Args, std::string> cases[] = {
      {{"--create", "--yes", "--style", "7", folder}, msg::fill(msg::kCliBadStyle, {"7"})},
      {{"--create", "--yes"}, msg::kCliNoFolder},
      // An option of the command line alone: no window, for it has no display.
      {{"--yes", folder}, msg::kCliNoCreate},
      // The download file counts from the working folder and lies in the show folder.
      {{"--create", "--download", "handout.zip", folder},
       msg::fill(msg::kCliDownloadOutside, {"handout.zip", folder})},
      {{"--create", "--download", "sample/none.zip", folder},
       msg::fill(msg::kCliDownloadMissing, {"sample/none.zip"}) + "\n" + std::strerror(ENOENT)},
      // A deck has no player file; --out names the show folder of one deck;
      // two decks are never made into one folder.
      {{"--create", "--player", folder, "talk.pdf"},
       msg::fill(msg::kCliPlayerWithDeck, {"talk.pdf"})},
      {{"--create", "--out", "shows", "a.pdf", "b.pptx"}, msg::kCliOutOneDeck},
      {{"--create", "--out", "shows", folder}, msg::kCliOutOneDeck},
      {{"--create", "talk.pdf", "talk.odp"},
       msg::fill(msg::kCliSameShow, {"talk.pdf", "talk.odp", work.file("talk")})},
  };
  const Args files = entries(work.path());
  for (const auto& [args, error] : cases) {
    ProgramRun r = vellumet(args);
    EXPECT_EQ(r.status, 2) << error;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, error + "\n" + msg::kCliUsageHint + "\n");
  }
  expect_unchanged(folder, before);
  EXPECT_EQ(entries(work.path()), files);
}

// --download counts from the working folder, like the folders; the link
// counts from the show folder.
TEST_F(CommandLine, DownloadFileCountsFromTheWorkingFolder) {
  const std::string folder = sample();
  std::filesystem::create_directory(folder + "/sub");
  testing::write_bytes(folder + "/sub/handout.zip", "handout");
  ProgramRun r =
      vellumet({"--create", "--yes", "--download", "sample/sub/../sub/handout.zip", "sample"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(testing::read_bytes(folder + "/navbtn1.htm").find("\"sub/handout.zip\""),
            std::string::npos);
}

// A copy of the program in `dir`, beside data whose entry-page template makes
// a page of 256 MB: long enough a write for a run to be caught in it.
std::string slow_program(const TempDir& dir) {
  testing::make_program_folder(dir.path());
  std::filesystem::copy_file(VELLUMET_PROGRAM, dir.file("vellumet"));
  std::ofstream page(dir.file("Template/index_c_l.htm"), std::ios::app | std::ios::binary);
  const std::string line = "<!-- " + std::string(1018, '-') + " -->\r\n";
  for (int i = 0; i < 256 * 1024; ++i) page << line;
  return dir.file("vellumet");
}

// The temporary files in `folder` and in its buttons/.
Args temporaries(const std::string& folder) {
  Args found;
  for (const std::string& sub : {std::string(), std::string("buttons/")}) {
    if (!testing::exists(folder + "/" + sub)) continue;
    for (const auto& name : entries(folder + "/" + sub))
      if (name.starts_with(".vellumet-")) found.push_back(sub + name);
  }
  return found;
}

// Ctrl-C, a kill or a closed terminal while a page is being written: the
// half-written file goes, the old page stays, and the status tells the signal.
TEST_F(CommandLine, RunEndedBySignalLeavesNoTemporaryFile) {
  TempDir memory(TempDir::InMemory{});
  const std::string program = slow_program(memory);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    const std::string folder = sample("signal" + std::to_string(signal_number));
    testing::write_bytes(folder + "/index.html", "the old page");
    bool hit = false;
    const ProgramRun r = testing::run_program(program, {"--create", "--yes", folder}, work.path(),
                                              {folder, ".vellumet-", signal_number, {}}, hit);
    ASSERT_TRUE(hit);
    EXPECT_EQ(r.status, 128 + signal_number);
    EXPECT_EQ(temporaries(folder), Args{});
    EXPECT_EQ(testing::read_bytes(folder + "/index.html"), "the old page");
  }
}

// A run killed outright (kill -9) leaves its temporary file; the next run in
// that folder removes it, and buttons/'s too, but never the file another run,
// alive though stopped, is writing at that moment.
TEST_F(CommandLine, NextRunRemovesWhatAKilledRunLeftButNotALiveRunsFile) {
  TempDir memory(TempDir::InMemory{});
  const std::string program = slow_program(memory);
  const std::string folder = sample();
  std::filesystem::create_directory(folder + "/buttons");
  bool stopped = false, killed = false;
  ProgramRun dead, next;
  const ProgramRun live = testing::run_program(
      program, {"--create", "--yes", folder}, work.path(),
      {folder, ".vellumet-", SIGSTOP,
       [&] {
         const Args writing = temporaries(folder);
         ASSERT_EQ(writing.size(), 1u);
         dead = testing::run_program(program, {"--create", "--yes", folder}, work.path(),
                                     {folder, ".vellumet-", SIGKILL, {}}, killed);
         testing::write_bytes(folder + "/buttons/.vellumet-Dead01", "left by a dead run");
         EXPECT_EQ(temporaries(folder).size(), 3u);
         next = vellumet({"--create", "--yes", folder});
         EXPECT_EQ(temporaries(folder), writing);
       }},
      stopped);
  ASSERT_TRUE(stopped && killed);
  EXPECT_EQ(dead.signal, SIGKILL);
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_EQ(live.status, 0) << live.err;
  EXPECT_EQ(temporaries(folder), Args{});
  EXPECT_GT(std::filesystem::file_size(folder + "/index.html"), 256u << 20);  // the live run's
}

// The width of a PNG image, from its header.
unsigned png_width(const std::string& path) {
  const std::string bytes = testing::read_bytes(path);
  unsigned width = 0;
  for (std::size_t i = 16; i < 20; ++i)
    width = width * 256 + static_cast<unsigned char>(bytes.at(i));
  return width;
}

TEST_F(CommandLine, DeckBecomesAShowBesideItAndIsUpdatedInPlace) {
  const std::string pdf = deck("港の 計画.pdf");
  const std::string show = work.file("港の 計画");
  const std::string bytes = testing::read_bytes(pdf);

  const ProgramRun plan = vellumet({"--create", "--dry-run", "港の 計画.pdf"});
  EXPECT_EQ(plan.status, 0) << plan.err;
  EXPECT_TRUE(plan.out.starts_with(
      msg::fill(msg::kCliPlanHead, {pdf}) + "\n" +
      msg::fill(msg::kCliPlanDeckCreate,
                {show, msg::fill(msg::kCliPlanDeckPages, {"3"}), "JPEG", "1920"}) +
      "\n" + msg::fill(msg::kCliPlanDeckDownload, {"港の 計画.pdf"}) + "\n\n" +
      msg::fill(msg::kCliPlanHead, {show + "/"}) + "\nチャート枚数 3、jpg\n"))
      << plan.out;
  EXPECT_FALSE(testing::exists(show));

  ProgramRun r = vellumet({"--create", "--yes", "港の 計画.pdf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, printed_box(msg::kCreateTitle,
                               testing::confirmation_text(show + "/", "index.html", false, true),
                               "はい（--yes）") +
                       printed_box(msg::kCreateTitle, msg::kDone));
  EXPECT_EQ(entries(show), (Args{".vellumet-show", "img001.jpg", "img002.jpg", "img003.jpg",
                                 "index.html", "navbtn1.htm", "港の 計画.pdf"}));
  EXPECT_NE(testing::read_bytes(show + "/navbtn1.htm").find("href=\"港の%20計画.pdf\""),
            std::string::npos);

  // Again, with the author's own file in the show: the options reach the
  // images, the old images go, the author's file stays.
  testing::write_bytes(show + "/notes.txt", "the author's");
  const Args again = {"--image",       "png",    "--width", "320",
                      "--no-download", "--jobs", "1",       "港の 計画.pdf"};
  // The dry run plans the show as it will be: the old images gone, so the
  // leftovers are the author's file and, not offered, the PDF.
  Args args = {"--create", "--dry-run"};
  args.insert(args.end(), again.begin(), again.end());
  const auto shown = tree_bytes(show);
  const ProgramRun update = vellumet(args);
  EXPECT_EQ(update.status, 0) << update.err;
  EXPECT_NE(
      update.out.find(msg::fill(msg::kCliPlanDeckUpdate,
                                {show, msg::fill(msg::kCliPlanDeckPages, {"3"}), "PNG", "320"}) +
                      "\n" + msg::fill(msg::kCliPlanDeckDownload, {msg::kCliPlanNone}) + "\n\n" +
                      msg::fill(msg::kCliPlanHead, {show + "/"}) + "\nチャート枚数 3、png\n"),
      std::string::npos)
      << update.out;
  EXPECT_TRUE(update.out.ends_with("\n\tnotes.txt\n\t港の 計画.pdf\n\n")) << update.out;
  expect_unchanged(show, shown);
  args = {"--create", "--yes"};
  args.insert(args.end(), again.begin(), again.end());
  r = vellumet(args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(entries(show), (Args{".vellumet-show", "img001.png", "img002.png", "img003.png",
                                 "index.html", "navbtn1.htm", "notes.txt", "港の 計画.pdf"}));
  EXPECT_EQ(png_width(show + "/img003.png"), 320u);
  EXPECT_EQ(testing::read_bytes(show + "/navbtn1.htm").find("計画.pdf"), std::string::npos);
  EXPECT_EQ(testing::read_bytes(show + "/notes.txt"), "the author's");
  EXPECT_EQ(testing::read_bytes(pdf), bytes);

  // A name that starts with '-', after "--"; its show where --out says.
  std::filesystem::copy_file(pdf, work.file("-draft.pdf"));
  r = vellumet({"--create", "--yes", "--out", "published", "--", "-draft.pdf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(testing::exists(work.file("published/-draft.pdf")));
  EXPECT_TRUE(testing::exists(work.file("published/index.html")));
  EXPECT_FALSE(testing::exists(work.file("-draft")));
}

// Decks and folders in one run: each ends on its own, in the order given.
TEST_F(CommandLine, DecksAndFoldersInOneRun) {
  deck("one.pdf", {"--pages", "4"});
  deck("two.pdf", {"--pages", "2"});
  const std::string folder = sample();
  testing::write_bytes(work.file("broken.pdf"), "%PDF-1.4\nnot a PDF\n%%EOF\n");
  const ProgramRun r =
      vellumet({"--create", "--yes", "--jobs", "2", "one.pdf", "broken.pdf", "sample", "two.pdf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "完了: " + work.file("one.pdf") + "\n失敗: " + work.file("broken.pdf") +
                       "\n完了: " + folder + "\n完了: " + work.file("two.pdf") + "\n");
  EXPECT_TRUE(testing::exists(work.file("one/img004.jpg")));
  EXPECT_TRUE(testing::exists(work.file("two/img002.jpg")));
  EXPECT_FALSE(testing::exists(work.file("two/img003.jpg")));
  EXPECT_FALSE(testing::exists(work.file("broken")));
  for (const char* show : {"one", "two", "sample"})
    EXPECT_TRUE(testing::exists(work.file(show) + "/index.html")) << show;
}

// A deck that cannot be made, or whose viewer Create HTML would refuse, ends
// with a box saying why and exit 1, before anything is made; the dry run
// ends the same way. No file anywhere changes.
TEST_F(CommandLine, DeckThatCannotBeMadeChangesNothing) {
  const std::string talk = deck("talk.pdf");
  testing::write_bytes(work.file("cut.pdf"), testing::read_bytes(talk).substr(0, 4000));
  testing::write_bytes(work.file("notes.txt"), "no deck");
  testing::write_bytes(work.file("plan.odp"), "PK");
  std::filesystem::create_directory(work.file("taken"));
  testing::write_bytes(work.file("taken/mine.txt"), "not a show");
  std::filesystem::copy_file(talk, work.file("taken.pdf"));
  struct Case {
    Args args;
    const char* title;
    std::string text;
    const char* path = nullptr;  // PATH for the run
  };
  const Case cases[] = {
      {{"cut.pdf"}, msg::kDeckTitle, msg::fill(msg::kDeckCorrupt, {work.file("cut.pdf")})},
      {{"none.pdf"}, msg::kDeckTitle, msg::fill(msg::kDeckNotFound, {work.file("none.pdf")})},
      {{"notes.txt"}, msg::kDeckTitle, msg::fill(msg::kDeckNotDeck, {work.file("notes.txt")})},
      {{"taken.pdf"}, msg::kDeckTitle, msg::fill(msg::kDeckForeign, {work.file("taken")})},
      {{"plan.odp"},
       msg::kDeckTitle,
       msg::fill(msg::kDeckNoOffice, {work.file("plan.odp")}),
       "/nonexistent"},
      {{"--page", "img001.jpg", "talk.pdf"},
       msg::kCreateTitle,
       msg::fill(msg::kPageNameTaken, {"img001.jpg"})},
  };
  const auto before = tree_bytes(work.path());
  const std::string path = std::getenv("PATH");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Args real = {"--create", "--yes"}, dry = {"--create", "--dry-run"};
    for (Args* a : {&real, &dry}) a->insert(a->end(), c.args.begin(), c.args.end());
    if (c.path) ::setenv("PATH", c.path, 1);
    const ProgramRun done = vellumet(real), planned = vellumet(dry);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(done.err, printed_box(c.title, c.text));
    EXPECT_EQ(planned.status, 1);
    // The deck's own failures are boxes in the dry run too; Create HTML's
    // refusals stand in the plan, as for a folder.
    if (c.title == std::string(msg::kDeckTitle)) {
      EXPECT_EQ(planned.err, done.err);
    } else {
      EXPECT_EQ(planned.out, msg::fill(msg::kCliPlanHead, {talk}) + "\n" + msg::kCliPlanRefused +
                                 "\n\t" + c.text + "\n\n");
    }
    EXPECT_EQ(testing::differing_files(before, tree_bytes(work.path())), Args{});
  }
}

// Ctrl-C, a kill or a closed terminal while a deck's pages are rendered: a
// new show goes, an old one stays as it was, and the status tells the signal.
TEST_F(CommandLine, DeckEndedBySignalLeavesNothing) {
  const std::string pdf = deck("long.pdf", {"--pages", "60"});
  const std::string show = work.file("long");
  const std::string cancelled = printed_box(msg::kDeckTitle, msg::fill(msg::kDeckCancelled, {pdf}));
  bool hit = false;
  ProgramRun r = testing::run_program(VELLUMET_PROGRAM, {"--create", "--yes", "long.pdf"},
                                      work.path(), {work.path(), "long", SIGINT, {}, true}, hit);
  ASSERT_TRUE(hit);
  EXPECT_EQ(r.status, 128 + SIGINT);
  EXPECT_EQ(r.err, cancelled);
  EXPECT_EQ(entries(work.path()), Args{"long.pdf"});

  ASSERT_EQ(vellumet({"--create", "--yes", "--width", "64", "long.pdf"}).status, 0);
  const auto before = tree_bytes(show);
  r = testing::run_program(VELLUMET_PROGRAM, {"--create", "--yes", "long.pdf"}, work.path(),
                           {show, ".vellumet-new-", SIGTERM, {}, true}, hit);
  ASSERT_TRUE(hit);
  EXPECT_EQ(r.status, 128 + SIGTERM);
  EXPECT_EQ(r.err, cancelled);
  expect_unchanged(show, before);
  EXPECT_EQ(entries(show).size(), before.size());
}

TEST_F(CommandLine, HelpAndVersion) {
  ProgramRun help = vellumet({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.substr(0, help.out.find('\n')), msg::kCliHelp[0]);
  ProgramRun version = vellumet({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("vellumet ") + VELLUMET_VERSION + "\n");
}

// Standard output on a full disk: what was to be printed is lost, and the
// program says so instead of succeeding.
TEST_F(CommandLine, OutputThatCannotBeWrittenIsAnError) {
  const std::string folder = sample();
  const std::string lost = std::string(msg::kCliOutputFailed) + "\n" + std::strerror(ENOSPC) + "\n";
  for (const Args& args :
       {Args{"--help"}, Args{"--version"}, Args{"--create", "--dry-run", folder}}) {
    ProgramRun r = vellumet(args, false, "", "/dev/full");
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err, lost) << args[0];
  }
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
