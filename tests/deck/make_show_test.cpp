#include "deck/make_show.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deck/show_folder.h"
#include "deck_fixture.h"
#include "source/file_names.h"

namespace vellumet::deck {
namespace {

using testing::make_deck;
using testing::read_bytes;
using testing::snapshot;
using testing::TempDir;

std::vector<std::string> show_entries(const Manifest& m, std::vector<std::string> others = {}) {
  others.push_back(kManifestName);
  others.push_back(m.download);
  for (long i = 1; i <= m.pages(); ++i) others.push_back(slide_image_name(i, m.image));
  std::sort(others.begin(), others.end());
  return others;
}

TEST(MakeShow, RendersEveryPageWithItsText) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    ImageFormat format;
    int tolerance;
    int width;
    int want_w, want_h;
    const char* want_title;
  };
  const Case cases[] = {
      {"talk.pdf",
       {"--title", "Harbour talk"},
       ImageFormat::Png,
       0,
       1920,
       1920,
       1080,
       "Harbour talk"},
      {"港の 計画.pdf", {}, ImageFormat::Jpeg, 12, 1920, 1920, 1080, "Slide 1 港の計画 1"},
      {"-talk.PDF", {"--pages", "2"}, ImageFormat::Webp, 12, 800, 800, 450, "Slide 1 港の計画 1"},
      {"huge.pdf",
       {"--pages", "1", "--size", "14400x14400"},
       ImageFormat::Png,
       0,
       1000,
       1000,
       1000,
       "Slide 1 港の計画 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string deck = dir.file(c.name);
    make_deck(deck, c.args);
    std::string deck_bytes = read_bytes(deck);
    Options options = testing::test_options(c.format);
    options.width = c.width;
    Outcome plan = plan_show({deck, ""}, options);
    Outcome out = make_show({deck, ""}, options);
    ASSERT_TRUE(out.ok()) << failure_message(out.failure, out.result);
    // The plan knew all but what rendering reads: the texts and a title taken
    // from them.
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(plan.show.folder, out.show.folder);
    EXPECT_FALSE(plan.show.updated);
    Manifest planned = out.show.manifest;
    planned.title = plan.show.manifest.title;
    for (std::string& text : planned.texts) text.clear();
    EXPECT_EQ(manifest_bytes(plan.show.manifest), manifest_bytes(planned));

    std::string name = c.name;
    std::string stem = name.substr(0, name.rfind('.'));
    EXPECT_EQ(out.show.folder, dir.file(stem));
    EXPECT_FALSE(out.show.updated);
    const Manifest& m = out.show.manifest;
    EXPECT_EQ(m.title, c.want_title);
    EXPECT_EQ(m.source, name);
    EXPECT_EQ(m.download, name);
    EXPECT_EQ(testing::entries(out.show.folder), show_entries(m));
    EXPECT_EQ(read_bytes(out.show.folder + "/" + name), deck_bytes);
    EXPECT_EQ(read_bytes(deck), deck_bytes);
    Manifest stored;
    ASSERT_TRUE(read_manifest(out.show.folder, stored));
    EXPECT_EQ(stored.texts, m.texts);
    for (long i = 0; i < m.pages(); ++i) {
      std::string page = std::to_string(i + 1);
      QImage image(QString::fromStdString(out.show.folder + "/" +
                                          slide_image_name(i + 1, extension(c.format))));
      EXPECT_EQ(image.size(), QSize(c.want_w, c.want_h));
      EXPECT_TRUE(testing::shows_page_colour(image, static_cast<int>(i), c.tolerance));
      EXPECT_EQ(m.texts[i].rfind("Slide " + page + " 港の計画 " + page + "\n", 0), 0u)
          << m.texts[i];
      EXPECT_NE(m.texts[i].find("Point 12 of slide " + page + ": the harbour opens at dawn"),
                std::string::npos);
    }
  }
}

TEST(MakeShow, UpdatesItsOwnShowInPlace) {
  TempDir dir;
  std::string deck = dir.file("talk.pdf");
  make_deck(deck, {"--pages", "5"});
  Options options = testing::test_options(ImageFormat::Jpeg);
  ASSERT_TRUE(make_show({deck, ""}, options).ok());
  std::string show = dir.file("talk");
  testing::write_bytes(show + "/index.html", "the author's page");
  testing::write_bytes(show + "/img009.jpg", "the author's picture");

  make_deck(deck, {"--pages", "3", "--title", "Shorter"});
  options.format = ImageFormat::Png;
  EXPECT_TRUE(plan_show({deck, ""}, options).show.updated);
  Outcome out = make_show({deck, ""}, options);
  ASSERT_TRUE(out.ok()) << failure_message(out.failure, out.result);
  EXPECT_TRUE(out.show.updated);
  EXPECT_EQ(out.show.manifest.title, "Shorter");
  EXPECT_EQ(testing::entries(show), show_entries(out.show.manifest, {"img009.jpg", "index.html"}));
  EXPECT_EQ(read_bytes(show + "/talk.pdf"), read_bytes(deck));
  EXPECT_EQ(read_bytes(show + "/index.html"), "the author's page");
  EXPECT_EQ(read_bytes(show + "/img009.jpg"), "the author's picture");
}

// A work folder as a run makes it in `show`, named `name`, holding a slide
// image; with `held`, its lock is taken here and stays taken while the
// returned descriptor is open, as by a run still at work.
int work_folder(const std::string& show, const std::string& name, bool held) {
  ::mkdir((show + "/" + name).c_str(), 0755);
  testing::write_bytes(show + "/" + name + "/img001.jpg", "a slide of a run");
  int fd = ::open((show + "/" + name + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (!held) {
    ::close(fd);
    return -1;
  }
  EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  return fd;
}

TEST(MakeShow, LeavesFoldersItDidNotMakeAlone) {
  enum There { Notes, File, KilledRun, LiveRun };
  struct Case {
    const char* what;
    There there;      // what has the deck's name
    const char* out;  // the out folder given, "" for none
    bool ok;
  };
  const Case cases[] = {
      {"a folder of the deck's name", Notes, "", false},
      {"a file of the deck's name", File, "", false},
      {"a named folder with files", Notes, "talk", false},
      {"a named folder that is empty", Notes, "empty", true},
      {"a named folder that is not there", Notes, "elsewhere/", true},
      {"a folder a killed run made", KilledRun, "", true},
      {"a folder a live run is making", LiveRun, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    std::string deck = dir.file("talk.pdf");
    make_deck(deck, {"--pages", "1"});
    int held = -1;
    if (c.there == File) {
      testing::write_bytes(dir.file("talk"), "notes");
    } else {
      ::mkdir(dir.file("talk").c_str(), 0755);
      if (c.there == Notes) testing::write_bytes(dir.file("talk/notes.txt"), "notes");
      if (c.there != Notes)
        held = work_folder(dir.file("talk"), ".vellumet-new-a1B2c3", c.there == LiveRun);
    }
    ::mkdir(dir.file("empty").c_str(), 0755);
    auto before = snapshot(dir.path());
    std::string out_folder = *c.out ? dir.file(c.out) : "";
    Outcome out = make_show({deck, out_folder}, testing::test_options());
    if (held >= 0) ::close(held);
    if (c.ok) {
      ASSERT_TRUE(out.ok()) << failure_message(out.failure, out.result);
      EXPECT_EQ(testing::entries(out.show.folder), show_entries(out.show.manifest));
      continue;
    }
    EXPECT_EQ(out.failure, Failure::Foreign);
    EXPECT_EQ(out.result.file, dir.file("talk"));
    EXPECT_EQ(snapshot(dir.path()), before);
  }
}

// A run killed while putting its files in place left a backup of files it
// had moved away: those whose names nothing holds go back. What runs that
// ended by force left goes; a live run's folder stays.
TEST(MakeShow, DeadWorkFoldersGoAndLiveOnesStay) {
  TempDir dir;
  std::string show = dir.file("talk");
  ::mkdir(show.c_str(), 0755);
  testing::write_bytes(show + "/img001.jpg", "the new first slide");
  work_folder(show, ".vellumet-new-Dead01", false);
  work_folder(show, ".vellumet-old-Dead02", false);
  testing::write_bytes(show + "/.vellumet-old-Dead02/img002.jpg", "the old second slide");
  int live = work_folder(show, ".vellumet-new-Live03", true);
  ::mkdir((show + "/.vellumet-new-nolock7").c_str(), 0755);  // not one of the names
  remove_dead_work_folders(show);
  EXPECT_EQ(testing::entries(show),
            (std::vector<std::string>{".vellumet-new-Live03", ".vellumet-new-nolock7", "img001.jpg",
                                      "img002.jpg"}));
  EXPECT_EQ(read_bytes(show + "/img001.jpg"), "the new first slide");
  EXPECT_EQ(read_bytes(show + "/img002.jpg"), "the old second slide");
  EXPECT_EQ(read_bytes(show + "/.vellumet-new-Live03/img001.jpg"), "a slide of a run");
  ::close(live);
}

TEST(MakeShow, BadInputLeavesNothingBehind) {
  std::string locked = testing::pdf_of(
      {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
       "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 960 540] >>",
       "<< /Filter /Standard /V 1 /R 2 /P -4 /O <" + std::string(64, 'A') + "> /U <" +
           std::string(64, 'B') + "> >>"},
      "/Encrypt 4 0 R /ID [<0123456789ABCDEF0123456789ABCDEF> <0123456789ABCDEF0123456789ABCDEF>]");
  std::string no_pages = testing::pdf_of(
      {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>"});
  struct Case {
    const char* name;
    std::string bytes;  // "<cut>": the first half of a real deck, "<fifo>", "<none>"
    int width;
    Failure want;
  };
  const Case cases[] = {
      {"cut.pdf", "<cut>", 1920, Failure::Corrupt},
      {"garbage.pdf", "%PDF-1.4\nnot really\n%%EOF\n", 1920, Failure::Corrupt},
      {"locked.pdf", locked, 1920, Failure::Password},
      {"empty.pdf", no_pages, 1920, Failure::NoPages},
      {"blank.pptx", "", 1920, Failure::NoPages},
      {"notes.txt", "text", 1920, Failure::NotDeck},
      {".pdf", "<whole>", 1920, Failure::NotDeck},
      {"missing.pdf", "<none>", 1920, Failure::NotFound},
      {"pipe.pdf", "<fifo>", 1920, Failure::NotFound},
      {"narrow.pdf", "<whole>", 15, Failure::BadWidth},
      {"wide.pdf", "<whole>", 8193, Failure::BadWidth},
  };
  TempDir source;
  make_deck(source.file("whole.pdf"), {"--pages", "2"});
  std::string whole = read_bytes(source.file("whole.pdf"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string deck = dir.file(c.name);
    if (c.bytes == "<fifo>") {
      ASSERT_EQ(::mkfifo(deck.c_str(), 0644), 0);
    } else if (c.bytes == "<cut>") {
      testing::write_bytes(deck, whole.substr(0, whole.size() / 2));
    } else if (c.bytes == "<whole>") {
      testing::write_bytes(deck, whole);
    } else if (c.bytes != "<none>") {
      testing::write_bytes(deck, c.bytes);
    }
    auto before = snapshot(dir.path());
    Options options = testing::test_options();
    options.width = c.width;
    EXPECT_EQ(plan_show({deck, ""}, options).failure, c.want);
    Outcome out = make_show({deck, ""}, options);
    EXPECT_EQ(out.failure, c.want) << failure_message(out.failure, out.result);
    EXPECT_FALSE(failure_message(out.failure, out.result).empty());
    EXPECT_EQ(snapshot(dir.path()), before);
  }
}

TEST(MakeShow, CancelMidwayLeavesTheOldShowAsItWas) {
  TempDir dir;
  std::string deck = dir.file("talk.pdf");
  make_deck(deck, {"--pages", "6"});
  for (bool earlier_show : {false, true}) {
    SCOPED_TRACE(earlier_show ? "updating" : "new");
    if (earlier_show) {
      ASSERT_TRUE(make_show({deck, ""}, testing::test_options()).ok());
    }
    auto before = snapshot(dir.path());
    std::atomic<bool> cancel{false};
    long reported = 0;
    Options options = testing::test_options(ImageFormat::Jpeg);
    options.cancel = &cancel;
    options.progress = [&](const Progress& p) {
      reported = p.done;
      if (p.done == 2) cancel = true;
    };
    Outcome out = make_show({deck, ""}, options);
    EXPECT_EQ(out.failure, Failure::Cancelled);
    EXPECT_LT(reported, 6);
    EXPECT_EQ(snapshot(dir.path()), before);
  }
}

TEST(MakeShow, AFullDiskMidwayLeavesNothingBehind) {
  TempDir dir;
  std::string deck = dir.file("talk.pdf");
  make_deck(deck, {"--pages", "3", "--photo", "3"});
  Options options = testing::test_options(ImageFormat::Png);
  options.jobs = 1;
  Outcome first = make_show({deck, dir.file("first")}, options);
  ASSERT_TRUE(first.ok());
  // A limit that the text pages' images fit and the photograph's does not.
  auto size = [&](const char* name) {
    struct stat info {};
    ::stat((first.show.folder + "/" + name).c_str(), &info);
    return info.st_size;
  };
  ASSERT_LT(size("img002.png") * 2, size("img003.png"));
  auto before = snapshot(dir.path());
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit limit = old;
  limit.rlim_cur = static_cast<rlim_t>(size("img002.png") * 2);
  auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  Outcome out = make_show({deck, ""}, options);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(out.failure, Failure::Write);
  EXPECT_EQ(out.result.file, dir.file("talk/img003.png"));
  EXPECT_FALSE(out.result.reason.empty());
  EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(MakeShows, RendersEachDeckAndReportsItsPages) {
  TempDir dir;
  std::vector<Request> requests;
  for (int pages : {3, 1, 4}) {
    std::string deck = dir.file("deck" + std::to_string(pages) + ".pdf");
    make_deck(deck, {"--pages", std::to_string(pages)});
    requests.push_back({deck, ""});
  }
  requests.push_back({dir.file("missing.pdf"), ""});
  std::vector<std::vector<long>> reported(requests.size());
  Options options = testing::test_options(ImageFormat::Jpeg);
  options.progress = [&](const Progress& p) { reported[p.deck].push_back(p.done); };
  std::vector<Outcome> outs = make_shows(requests, options);
  ASSERT_EQ(outs.size(), 4u);
  std::vector<std::vector<long>> want = {{1, 2, 3}, {1}, {1, 2, 3, 4}, {}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(outs[i].ok()) << failure_message(outs[i].failure, outs[i].result);
    EXPECT_EQ(reported[i], want[i]);
    EXPECT_TRUE(testing::shows_page_colour(
        QImage(QString::fromStdString(outs[i].show.folder + "/img001.jpg")), 0, 12));
  }
  EXPECT_EQ(outs[3].failure, Failure::NotFound);
  EXPECT_TRUE(reported[3].empty());
}

}  // namespace
}  // namespace vellumet::deck
