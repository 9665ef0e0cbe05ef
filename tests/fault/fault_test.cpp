// Faults on real folders. Permission faults run in a child process that has
// become nobody, so they hold when the suite runs as root. Each case checks
// the exact boxes the user sees and that no existing file lost a byte.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_ops.h"
#include "commands/clean_up.h"
#include "commands/create_html.h"
#include "fault_support.h"
#include "generator/icon_list.h"
#include "source/slide_set.h"

namespace vellumet::fault {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::ScriptedDialogs;
using testing::TempDir;
using testing::write_bytes;

const char* const kCreate = "HTMLの作成";
const char* const kDone = "Zorvo スライドショー閲覧用HTMLを作成しました。";

MessageBox question(const std::string& title, const std::string& text) {
  return question_box(title, text);
}
MessageBox info(const std::string& title, const std::string& text) {
  return info_box(title, text);
}

// Writes each file with its own name as contents, so every byte can be traced.
void fill_folder(const std::string& dir, const std::vector<std::string>& names) {
  fs::create_directories(dir);
  for (const auto& n : names) write_bytes(dir + "/" + n, "bytes of " + n);
}

bool has_temp_file(const std::string& dir) {
  for (const auto& n : testing::entries(dir)) {
    if (n.rfind(".vellumet-", 0) == 0) return true;
  }
  return false;
}

void expect_dropped(const ChildReport& r) {
  EXPECT_EQ(r.failure, "");
  if (::geteuid() == 0) {
    EXPECT_TRUE(r.dropped) << "the child kept root's rights";
  }
}

// Runs detection and Create-HTML on `dir` in a child.
ChildReport create_html_in_child(const std::string& program, const std::string& dir,
                                 std::deque<Answer> answers, ChildOptions options = {}) {
  ScriptedDialogs d;
  d.answers = std::move(answers);
  return run_in_child(d, options, [&](ScriptedDialogs& dialogs, auto& values) {
    Session s(dialogs, program);
    preview_pic(s.job, dir);
    const CommandResult result = slide_html_click(s.job);
    values["Text4"] = s.window.text(TextField::Text4);
    values["ending"] = std::to_string(static_cast<int>(result.ending));
    values["step"] = std::to_string(static_cast<int>(result.failure.step));
    values["file"] = result.failure.file;
  });
}

struct ReadOnlyCase {
  const char* label;
  std::vector<std::string> files;
  bool player;
  std::string (*expected)(const std::string& dir);
  FileStep step;
  const char* failed_file;
};

TEST(FaultTest, ReadOnlyExportFolderStopsAtTheFirstChangeAndLosesNothing) {
  const ReadOnlyCase cases[] = {
      {"rename refused",
       {"sld001.gif", "sld002.gif", "show.ppz", "index.htm"},
       true,
       [](const std::string&) {
         return std::string("sld001.gif を img001.gif に名前を変更できませんでした。\r\n\n") +
                error_text(EACCES);
       },
       FileStep::Rename,
       "sld001.gif"},
      {"page cannot be created",
       {"img001.gif", "img002.gif", "index.html", "navbtn1.htm"},
       false,
       [](const std::string& dir) {
         return dir + "/index.html を書き込めませんでした。\r\n\n" + error_text(EACCES);
       },
       FileStep::Write,
       "index.html"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir tmp;
    const std::string program = make_program(tmp);
    const std::string dir = tmp.file("show");
    fill_folder(dir, c.files);
    ::chmod(dir.c_str(), 0555);
    const Snapshot before = snapshot(tmp.path());

    const ChildReport r = create_html_in_child(program, dir, {Answer::Yes});
    expect_dropped(r);
    const std::vector<MessageBox> expected = {
        question(kCreate, testing::confirmation_text(dir + "/", "index.html", c.player, false)),
        info(kCreate, c.expected(dir)),
    };
    EXPECT_EQ(r.boxes, expected);
    EXPECT_EQ(r.values.at("ending"), std::to_string(static_cast<int>(Ending::Failed)));
    EXPECT_EQ(r.values.at("step"), std::to_string(static_cast<int>(c.step)));
    EXPECT_EQ(r.values.at("file"), dir + "/" + c.failed_file);
    EXPECT_EQ(snapshot(tmp.path()), before);
    EXPECT_EQ(testing::entries(dir).size(), c.files.size());
  }
}

TEST(FaultTest, FolderRemovedAfterDetectionIsReportedAndNothingIsCreated) {
  TempDir tmp;
  const std::string program = make_program(tmp);
  const std::string dir = tmp.file("show");
  fill_folder(dir, {"sld001.gif", "sld002.gif", "notes.htm"});
  fill_folder(tmp.file("neighbour"), {"img001.gif", "keep.txt"});
  const Snapshot program_before = snapshot(program);

  ScriptedDialogs d;
  d.answers = {Answer::Yes};
  Session s(d, program);
  preview_pic(s.job, dir);
  ASSERT_EQ(s.job.state.slide_count, 2);
  fs::remove_all(dir);
  slide_html_click(s.job);

  const std::vector<MessageBox> expected = {
      question(kCreate, testing::confirmation_text(dir + "/", "index.html", false, false)),
      info(kCreate, "フォルダ " + dir + "/ を読み込めませんでした。\r\n\n" + error_text(ENOENT)),
  };
  EXPECT_EQ(d.shown, expected);
  EXPECT_FALSE(testing::exists(dir));
  EXPECT_EQ(snapshot(program), program_before);
  EXPECT_EQ(read_bytes(tmp.file("neighbour/keep.txt")), "bytes of keep.txt");
  EXPECT_EQ(read_bytes(tmp.file("neighbour/img001.gif")), "bytes of img001.gif");
}

// A named pipe: opening it to read would wait for a writer that never comes.
void make_fifo(const std::string& path) {
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}
const ChildOptions kMayHang{.time_limit = 10};
const char* const kNotRegular = "通常のファイルではありません。";

struct TemplateCase {
  const char* template_name;
  enum { Missing, Unreadable, Fifo } kind;
  std::vector<std::string> written_before;  // pages written before the failing one
};

TEST(FaultTest, MissingUnreadableOrPipeTemplateLeavesTheOldPageAndEndsTheCommand) {
  const TemplateCase cases[] = {
      {"index_c_l.htm", TemplateCase::Missing, {}},
      {"index_c_l.htm", TemplateCase::Unreadable, {}},
      {"navbtn_c.htm", TemplateCase::Missing, {"index.html"}},
      {"navbtn_c.htm", TemplateCase::Unreadable, {"index.html"}},
      {"navbtn_c.htm", TemplateCase::Fifo, {"index.html"}},
      {"sld000.htm", TemplateCase::Missing, {"index.html", "navbtn1.htm"}},
      {"sld000.htm", TemplateCase::Unreadable, {"index.html", "navbtn1.htm"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.template_name) + " kind " + std::to_string(c.kind));
    TempDir tmp;
    const std::string program = make_program(tmp);
    const std::string templ = program + "/Template/" + c.template_name;
    std::string reason;
    switch (c.kind) {
      case TemplateCase::Missing:
        fs::remove(templ);
        reason = error_text(ENOENT);
        break;
      case TemplateCase::Unreadable:
        ::chmod(templ.c_str(), 0000);
        reason = error_text(EACCES);
        break;
      case TemplateCase::Fifo:
        make_fifo(templ);
        reason = kNotRegular;
        break;
    }
    const std::string dir = tmp.file("show");
    fill_folder(
        dir, {"img001.gif", "img002.gif", "pres0.ppz", "index.html", "navbtn1.htm", "sld001.htm"});
    give_to_nobody(dir);
    const Snapshot before = snapshot(dir);
    const Snapshot program_before = snapshot(program);

    const ChildReport r = create_html_in_child(program, dir, {Answer::Yes}, kMayHang);
    expect_dropped(r);
    const std::vector<MessageBox> expected = {
        question(kCreate, testing::confirmation_text(dir + "/", "index.html", true, false)),
        info(kCreate, "テンプレート " + templ + " を読み込めませんでした。\r\n\n" + reason),
    };
    EXPECT_EQ(r.boxes, expected);
    const Snapshot after = snapshot(dir);
    for (const auto& [name, bytes] : before) {
      const bool rewritten = std::find(c.written_before.begin(), c.written_before.end(), name) !=
                             c.written_before.end();
      if (rewritten) {
        EXPECT_NE(after.at(name), bytes) << name << " should be the new page";
      } else {
        EXPECT_EQ(after.at(name), bytes) << name << " lost bytes";
      }
    }
    EXPECT_EQ(after.size(), before.size());
    EXPECT_FALSE(has_temp_file(dir));
    EXPECT_EQ(snapshot(program), program_before);
  }
}

TEST(FaultTest, DiskFillingUpMidWriteKeepsTheOldPage) {
  TempDir tmp;
  const std::string program = make_program(tmp);
  // A template far larger than what the disk will take, written in several pieces.
  std::string big = "<HTML>\r\nvar LastSlide = 0;\r\n";
  while (big.size() < 300000) big += "<P>a line of the template that fills the page</P>\r\n";
  write_bytes(program + "/Template/index_c_l.htm", big);
  const std::string dir = tmp.file("show");
  fill_folder(dir, {"img001.gif", "index.html", "navbtn1.htm"});
  give_to_nobody(dir);
  const Snapshot before = snapshot(tmp.path());

  ChildOptions limited;
  limited.file_size_limit = 100000;
  const ChildReport r = create_html_in_child(program, dir, {Answer::Yes}, limited);
  expect_dropped(r);
  const std::vector<MessageBox> expected = {
      question(kCreate, testing::confirmation_text(dir + "/", "index.html", false, false)),
      info(kCreate, dir + "/index.html を書き込めませんでした。\r\n\n" + error_text(EFBIG)),
  };
  EXPECT_EQ(r.boxes, expected);
  EXPECT_EQ(snapshot(tmp.path()), before);
  EXPECT_FALSE(has_temp_file(dir));
}

TEST(FaultTest, LeftoverThatCannotBeDeletedIsNamedAndTheOthersGo) {
  TempDir tmp;
  const std::string program = make_program(tmp);
  const std::string dir = tmp.file("show");
  fill_folder(dir, {"img001.gif", "keep.htm", "gone.htm", "a b.htm"});
  // A sticky folder: nobody may delete its own files only.
  ::chmod(dir.c_str(), 01777);
  give_to_nobody(dir + "/gone.htm");
  give_to_nobody(dir + "/a b.htm");
  const Snapshot before = snapshot(tmp.path());

  ScriptedDialogs d;
  d.answers = {Answer::Yes};
  const ChildReport r = run_in_child(d, {}, [&](ScriptedDialogs& dialogs, auto& values) {
    Session s(dialogs, program);
    preview_pic(s.job, dir);
    gomi_click(s.job);
    values["Text4"] = s.window.text(TextField::Text4);
    values["gomi_count"] = std::to_string(s.job.state.gomi_count);
    values["Command5"] = s.window.visible(Control::Command5) ? "shown" : "hidden";
  });
  expect_dropped(r);
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to own the undeletable file";
  const std::vector<MessageBox> expected = {
      question("余分なファイルの消去", "PowerPointでエキスポートしたゴミファイルを消去しますか？"),
      info("余分なファイルの消去",
           "次のファイルを消去できませんでした。\r\n\r\nkeep.htm：" + error_text(EPERM)),
  };
  EXPECT_EQ(r.boxes, expected);
  EXPECT_EQ(r.values.at("Text4"), "keep.htm\r\n");
  EXPECT_EQ(r.values.at("gomi_count"), "1");
  EXPECT_EQ(r.values.at("Command5"), "shown");
  Snapshot expected_after = before;
  expected_after.erase("show/gone.htm");
  expected_after.erase("show/a b.htm");
  EXPECT_EQ(snapshot(tmp.path()), expected_after);
}

struct IconCase {
  const char* label;
  enum { Missing, Unreadable, Folder, Fifo, Content } kind;
  std::string content;
  std::string (*text)(const std::string& path);
  int refs_read;
  int frame_style;
};

TEST(FaultTest, BrokenIconListIsReportedOnceAndTheProgramGoesOn) {
  const std::string refs =
      "t.gif\r\nf.gif\r\np.gif\r\nn.gif\r\nl.gif\r\nm.gif\r\nd.gif\r\ns.gif\r\n";
  auto unreadable = [](const std::string& p) {
    return "アイコンリスト " + p + " を読み込めませんでした。\r\n\n" + error_text(EACCES);
  };
  auto missing = [](const std::string& p) {
    return "アイコンリスト " + p + " を読み込めませんでした。\r\n\n" + error_text(ENOENT);
  };
  auto folder = [](const std::string& p) {
    return "アイコンリスト " + p + " を読み込めませんでした。\r\n\n" + error_text(EISDIR);
  };
  auto fifo = [](const std::string& p) {
    return "アイコンリスト " + p + " を読み込めませんでした。\r\n\n" + kNotRegular;
  };
  auto short_list = [](const std::string& p) {
    return "アイコンリスト " + p + " の行が足りません（9 行必要です）。フレーム形式は 0 にします。";
  };
  auto bad_style = [](const std::string& p) {
    return "アイコンリスト " + p +
           " の 9 行目はフレーム形式 0 ～ 3 の数ではありません。フレーム形式は 0 にします。";
  };
  const IconCase cases[] = {
      {"missing", IconCase::Missing, "", missing, 0, 0},
      {"unreadable", IconCase::Unreadable, refs + "2\r\n", unreadable, 0, 0},
      {"a folder", IconCase::Folder, "", folder, 0, 0},
      {"a named pipe", IconCase::Fifo, "", fifo, 0, 0},
      {"empty", IconCase::Content, "", short_list, 0, 0},
      {"three lines", IconCase::Content, "t.gif\r\nf.gif\r\np.gif", short_list, 3, 0},
      {"eight lines", IconCase::Content, refs, short_list, 8, 0},
      {"word on line nine", IconCase::Content, refs + "two\r\n", bad_style, 8, 0},
      {"four on line nine", IconCase::Content, refs + "4\r\n", bad_style, 8, 0},
      {"fraction on line nine", IconCase::Content, refs + "1.5\r\n", bad_style, 8, 0},
      {"blank line nine", IconCase::Content, refs + "   \r\n", bad_style, 8, 0},
      {"good, with trailing text", IconCase::Content, refs + "  3 ,x\r\nmore\r\n", nullptr, 8, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir tmp;
    const std::string program = make_program(tmp);
    const std::string list = program + "/VellumetDefault.ini";
    fs::remove(list);
    if (c.kind == IconCase::Folder) fs::create_directory(list);
    if (c.kind == IconCase::Fifo) make_fifo(list);
    if (c.kind == IconCase::Unreadable || c.kind == IconCase::Content) write_bytes(list, c.content);
    if (c.kind == IconCase::Unreadable) ::chmod(list.c_str(), 0000);
    const Snapshot before = snapshot(program);

    const ChildReport r = run_in_child({}, kMayHang, [&](ScriptedDialogs& dialogs, auto& values) {
      Session s(dialogs, program);  // start-up reads the standard list
      values["frame_style"] = std::to_string(s.job.state.frame_style);
      for (int j = 1; j <= 8; ++j) values["ref" + std::to_string(j)] = s.job.state.button_img[j];
    });
    expect_dropped(r);
    std::vector<MessageBox> expected;
    if (c.text) expected.push_back(info("ボタンアイコン", c.text(list)));
    EXPECT_EQ(r.boxes, expected);
    EXPECT_EQ(r.values.at("frame_style"), std::to_string(c.frame_style));
    const char* names[] = {"t", "f", "p", "n", "l", "m", "d", "s"};
    for (int j = 1; j <= 8; ++j) {
      const std::string want = j <= c.refs_read ? std::string(names[j - 1]) + ".gif" : "";
      EXPECT_EQ(r.values.at("ref" + std::to_string(j)), want) << "reference " << j;
    }
    EXPECT_EQ(snapshot(program), before);
  }
}

TEST(FaultTest, LinksInTheShowFolderAreReplacedNeverWrittenThrough) {
  const char* const targets[] = {"../elsewhere", "../gone"};  // a folder outside; nothing
  for (const char* target : targets) {
    SCOPED_TRACE(target);
    TempDir tmp;
    const std::string program = make_program(tmp);
    fill_folder(tmp.file("elsewhere"), {"b1.gif", "keep.txt"});
    const std::string dir = tmp.file("show");
    fill_folder(dir, {"sld001.gif"});
    fs::create_directory_symlink(target, dir + "/buttons");
    // Pages replace links of their names as well.
    fs::create_symlink("../elsewhere/keep.txt", dir + "/index.html");
    fs::create_symlink("../elsewhere/b1.gif", dir + "/navbtn1.htm");
    const Snapshot outside = snapshot(tmp.file("elsewhere"));

    ScriptedDialogs d;
    d.default_answer = Answer::Yes;
    Session s(d, program);
    s.window.set_menu_checked(MenuMark::icon_custom, true);
    preview_pic(s.job, dir);
    slide_html_click(s.job);

    EXPECT_EQ(d.shown.back(), info(kCreate, kDone));
    EXPECT_EQ(snapshot(tmp.file("elsewhere")), outside);
    EXPECT_FALSE(fs::exists(tmp.file("gone")));
    for (const char* name : {"buttons", "index.html", "navbtn1.htm"}) {
      EXPECT_FALSE(fs::is_symlink(dir + "/" + name)) << name;
    }
    EXPECT_EQ(snapshot(dir + "/buttons"),
              (Snapshot{{"b1.gif", "GIF89a-b1"}, {"b2.gif", "GIF89a-b2"}}));
  }
}

TEST(FaultTest, MoreThan32767SlidesAreCappedAndEveryImageKept) {
  TempDir tmp;
  const std::string program = make_program(tmp);
  const std::string dir = tmp.file("show");
  fs::create_directories(dir);
  constexpr int kImages = 32770;
  for (int i = 1; i <= kImages; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "img%03d.gif", i);
    write_bytes(dir + "/" + name, name);
  }
  const Snapshot before = snapshot(dir);

  // The count the user may type is bounded as well.
  {
    ScriptedDialogs d;
    d.answers = {Answer::Yes};
    Session s(d, program);
    preview_pic(s.job, dir);
    s.window.set_text(TextField::Text2, "40000");
    slide_html_click(s.job);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(
        d.shown[0],
        info(kCreate, "チャート枚数「40000」が大きすぎます。32767 以下の数を指定して下さい。"));
    EXPECT_EQ(snapshot(dir), before);
  }

  ScriptedDialogs d;
  d.answers = {Answer::Yes};
  Session s(d, program);
  preview_pic(s.job, dir);
  EXPECT_EQ(s.job.state.slide_count, 32767);
  EXPECT_EQ(s.window.text(TextField::Text2), "32767");
  slide_html_click(s.job);
  const std::vector<MessageBox> expected = {
      question(kCreate, testing::confirmation_text(dir + "/", "index.html", false, false)),
      info(kCreate, kDone),
  };
  EXPECT_EQ(d.shown, expected);
  Snapshot after = snapshot(dir);
  const std::string nav = after.at("navbtn1.htm");
  std::size_t options = 0;
  for (std::size_t p = nav.find("<OPTION VALUE="); p != std::string::npos;
       p = nav.find("<OPTION VALUE=", p + 1)) {
    ++options;
  }
  EXPECT_EQ(options, 32767u);
  EXPECT_NE(nav.find("\t<OPTION VALUE=\"32767\">32767\r\n"), std::string::npos);
  after.erase("navbtn1.htm");
  after.erase("index.html");
  EXPECT_EQ(after, before);
}

TEST(FaultTest, NamesWithBlanksQuotesNewlinesAndInvalidUtf8AreHandledExactly) {
  TempDir tmp;
  const std::string program = make_program(tmp);
  const std::string dir = tmp.file("my \"show\" it's");
  const std::string odd_slide = "sld\n\xff.gif";
  const std::vector<std::string> leftovers = {"my \"notes\".htm", "line\nbreak.htm",
                                              "\xff\xfe bad.htm", "it's here.txt"};
  std::vector<std::string> files = {"sld001.gif", "sld002.gif", "sld\"3\".gif", odd_slide};
  files.insert(files.end(), leftovers.begin(), leftovers.end());
  fill_folder(dir, files);
  fill_folder(tmp.file("neighbour"), {"line\nbreak.htm"});
  const Snapshot before = snapshot(tmp.path());

  ScriptedDialogs d;
  d.answers = {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes};
  Session s(d, program);
  preview_pic(s.job, dir);
  EXPECT_EQ(s.job.state.slide_count, 4);
  const std::string listed = s.window.text(TextField::Text4);
  for (const auto& n : leftovers) {
    EXPECT_NE(listed.find(n + "\r\n"), std::string::npos) << n;
  }
  slide_html_click(s.job);

  const std::string go_on = " が見つかりません。\r\n\n無視して処理を続けますか？";
  const std::vector<MessageBox> expected = {
      question(kCreate, testing::confirmation_text(dir + "/", "index.html", false, false)),
      question("GIFファイルの確認", "img003.gif" + go_on),
      question("GIFファイルの確認", "img004.gif" + go_on),
      question("余分なファイルの消去",
               "ついでに PowerPointでエキスポートしたゴミファイルを消去しますか？"),
      info(kCreate, kDone),
  };
  EXPECT_EQ(d.shown, expected);
  EXPECT_EQ(s.window.text(TextField::Text4), "不要なファイルはありません");

  const std::string base = fs::path(dir).filename().string() + "/";
  Snapshot want = before;
  for (const auto& n : leftovers) want.erase(base + n);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"sld001.gif", "img001.gif"},
                                 {"sld002.gif", "img002.gif"},
                                 {"sld\"3\".gif", "img\"3\".gif"},
                                 {odd_slide, "img\n\xff.gif"}}) {
    want[base + to] = want.at(base + from);
    want.erase(base + from);
  }
  Snapshot after = snapshot(tmp.path());
  EXPECT_TRUE(after.count(base + "index.html"));
  EXPECT_TRUE(after.count(base + "navbtn1.htm"));
  after.erase(base + "index.html");
  after.erase(base + "navbtn1.htm");
  EXPECT_EQ(after, want);
}

}  // namespace
}  // namespace vellumet::fault
