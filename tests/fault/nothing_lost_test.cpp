// Property: whatever the export folder holds and whatever the user answers,
// every original file's bytes survive under its own name or under the name
// the renaming gives it, except leftovers deleted after a Yes; pages may only
// replace the three page names; nothing outside the folder changes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "commands/clean_up.h"
#include "commands/create_html.h"
#include "fault_support.h"
#include "job_fixture.h"
#include "source/leftovers.h"
#include "source/listing.h"
#include "source/slide_set.h"

namespace vellumet::fault {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedDialogs;
using testing::TempDir;

// Records the answer given to every box as well.
class RandomDialogs : public ScriptedDialogs {
 public:
  explicit RandomDialogs(std::mt19937& rng) : rng_(rng) {}
  Answer show(const MessageBox& box) override {
    shown.push_back(box);
    Answer a =
        box.buttons == BoxButtons::Ok ? Answer::Ok : (rng_() % 4 == 0 ? Answer::No : Answer::Yes);
    answers_given.push_back(a);
    return a;
  }
  std::vector<Answer> answers_given;

 private:
  std::mt19937& rng_;
};

std::string pick(std::mt19937& rng, const std::vector<std::string>& pool) {
  return pool[rng() % pool.size()];
}

std::string number(std::mt19937& rng) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03u", static_cast<unsigned>(1 + rng() % 6));
  return buf;
}

// A random export folder: slide images of both prefixes and cases (so names
// collide after renaming), .ppz twins, the export's pages, leftovers, names
// with blanks, quotes, newlines and bytes that are not UTF-8.
std::vector<std::string> random_names(std::mt19937& rng) {
  std::set<std::string> names;
  const int count = 3 + static_cast<int>(rng() % 14);
  const std::vector<std::string> prefixes = {"sld", "img", "SLD", "IMG", "Sld"};
  const std::vector<std::string> exts = {".gif", ".GIF", ".jpg", ".Jpg"};
  const std::vector<std::string> others = {
      "show.ppz",   "other.ppz",    "pres0.ppz",    "PRES0.PPZ",   "talk.ppt",
      "index.html", "index.htm",    "navbtn1.htm",  "sld001.htm",  "tsld001.htm",
      "notes.txt",  "my notes.htm", "\xff\xfe.htm", "a\nb.htm",    "q\"uote\".htm",
      "photo.jpeg", "img.gif",      "sld 004.gif",  "img\xe9.gif", "view.html"};
  names.insert("sld001.gif");  // always a slide set of some kind
  while (static_cast<int>(names.size()) < count) {
    if (rng() % 2) {
      names.insert(pick(rng, prefixes) + number(rng) + pick(rng, exts));
    } else {
      names.insert(pick(rng, others));
    }
  }
  return {names.begin(), names.end()};
}

// A folder of one numbered series, its images drawn with the names they are
// to get: a base (Japanese too), numbers from 0 or 1, padded or not, one
// image type in any case of its extension, sometimes in number order unlike
// name order. One folder in four has a fault (a gap, a second type, a second
// series) and keeps every name. Other files lie beside it, among them a
// name that one of the renames would take.
struct SeriesFolder {
  std::vector<std::string> names;
  std::map<std::string, std::string> renamed;  // image -> its slide name; empty with a fault
  std::set<std::string> images;
};

SeriesFolder random_series(std::mt19937& rng) {
  const bool slide_base = rng() % 3 == 0;
  const std::string base =
      slide_base ? pick(rng, {"img", "IMG", "sld"})
                 : pick(rng, {"Slide", "スライド", "Harbour.", "page-", "", "s p\xff"});
  // img001.gif and the like make an export's set, not a series.
  const std::string ext =
      slide_base ? pick(rng, {".png", ".webp", ".JPEG"})
                 : pick(rng, {".png", ".PNG", ".webp", ".jpg", ".jpeg", ".JPEG", ".gif"});
  std::string slide_ext = ascii_lower(ext.substr(1));
  if (slide_ext == "jpeg") slide_ext = "jpg";
  const int first = static_cast<int>(rng() % 2);
  const int width = static_cast<int>(rng() % 4);
  const int n = 3 + static_cast<int>(rng() % 12);
  const int fault = rng() % 4 == 0 ? 1 + static_cast<int>(rng() % 3) : 0;
  SeriesFolder folder;
  for (int i = 0; i < n; ++i) {
    if (fault == 1 && i == n / 2 && n > 2) continue;  // a gap
    std::string digits = std::to_string(first + i);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    const bool other_type = fault == 2 && i == 1;
    const std::string name = base + digits +
                             (!other_type          ? ext
                              : slide_ext == "png" ? ".gif"
                                                   : ".png");
    folder.names.push_back(name);
    folder.images.insert(name);
    if (!fault) {
      char three[16];
      std::snprintf(three, sizeof three, "img%03d.", i + 1);
      folder.renamed[name] = three + slide_ext;
    }
  }
  if (fault == 3) {
    for (const char* n2 : {"thumb1.png", "thumb2.png"}) {
      folder.names.push_back(n2);
      folder.images.insert(n2);
    }
  }
  const std::vector<std::string> others = {"show.ppz",    "notes.txt", "index.html", "index.htm",
                                           "navbtn1.htm", "talk.ppt",  "photo.jpeg", "logo7.png",
                                           "a\nb.htm",    "img.gif"};
  for (int k = static_cast<int>(rng() % 4); k > 0; --k) folder.names.push_back(pick(rng, others));
  if (!slide_base && rng() % 3 == 0) folder.names.push_back("img002." + slide_ext);
  std::sort(folder.names.begin(), folder.names.end());
  folder.names.erase(std::unique(folder.names.begin(), folder.names.end()), folder.names.end());
  return folder;
}

// The name the renaming documents for `name` with slide extension `ext`.
std::string renamed(const std::string& name, const std::string& ext) {
  if (name.size() < 6 || !matches_extension(name, ext)) return name;
  const std::string prefix = ascii_lower(name.substr(0, 3));
  if (prefix != "sld" && prefix != "img") return name;
  return "img" + name.substr(3, name.size() - 6) + ext;
}

TEST(NothingLostTest, RandomFoldersAndAnswersNeverLoseAByte) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    TempDir tmp;
    const std::string program = make_program(tmp);
    const std::string dir = tmp.file("show");
    fs::create_directories(dir);
    fs::create_directories(tmp.file("outside"));
    testing::write_bytes(tmp.file("outside/img001.gif"), "outside image");
    testing::write_bytes(tmp.file("outside/index.htm"), "outside leftover");

    // One folder in three is a numbered series.
    const bool series_folder = seed % 3 == 0;
    const SeriesFolder series = series_folder ? random_series(rng) : SeriesFolder{};
    const std::vector<std::string> names = series_folder ? series.names : random_names(rng);
    std::map<std::string, std::string> original;  // name -> unique bytes
    for (std::size_t i = 0; i < names.size(); ++i) {
      original[names[i]] = "file " + std::to_string(i) + " of seed " + std::to_string(seed);
      testing::write_bytes(dir + "/" + names[i], original[names[i]]);
    }
    const Snapshot outside_before = snapshot(tmp.file("outside"));
    const Snapshot program_before = snapshot(program);

    RandomDialogs dialogs(rng);
    Session s(dialogs, program);
    // Harmless page names, and names of files the run renames, keeps or writes.
    const std::string page =
        rng() % 2 ? pick(rng, {"index.html", "index.htm", "view.html"})
                  : pick(rng, {"img001.gif", "IMG002.GIF", "sld003.jpg", "img004.Jpg", "pres0.ppz",
                               "show.PPZ", "talk.ppt", "navbtn1.htm", "SLD001.HTM", "notes.txt",
                               "photo.jpeg", pick(rng, names)});
    s.window.set_text(TextField::Text3, page);
    preview_pic(s.job, dir);
    if (rng() % 3 == 0) s.window.set_check(CheckBox::Check1, kChecked);
    if (rng() % 3 == 0) {
      // The download file is one of the folder's own.
      dialogs.files = {dir + "/" + pick(rng, names)};
      s.window.set_check(CheckBox::Check2, kChecked);
    }
    if (rng() % 3 == 0) gomi_click(s.job);
    slide_html_click(s.job);
    if (rng() % 2 == 0) slide_html_click(s.job);

    bool deletion_agreed = false;
    for (std::size_t i = 0; i < dialogs.shown.size(); ++i) {
      if (dialogs.shown[i].title == "余分なファイルの消去" &&
          dialogs.shown[i].buttons == BoxButtons::YesNo &&
          dialogs.answers_given[i] == Answer::Yes) {
        deletion_agreed = true;
      }
    }
    const std::string ext =
        (s.job.state.img_type == 1 || s.job.state.img_type == 3) ? "gif" : "jpg";
    // Only a page may take the place of an earlier file of its name.
    std::set<std::string> pages = {"navbtn1.htm", "sld001.htm"};
    if (ends_with_folded(page, ".htm") || ends_with_folded(page, ".html")) pages.insert(page);
    const Snapshot now = snapshot(dir);

    std::set<std::string> accounted;
    for (const auto& [name, bytes] : original) {
      std::vector<std::string> candidates = {name};
      if (!series_folder) {
        candidates.push_back(renamed(name, ext));
      } else if (series.renamed.count(name)) {
        candidates.push_back(series.renamed.at(name));
      }
      if (matches_extension(name, "ppz")) candidates.push_back("pres0.ppz");
      bool found = false;
      for (const auto& c : candidates) {
        auto it = now.find(c);
        if (it != now.end() && it->second == bytes) {
          found = true;
          accounted.insert(c);
          break;
        }
      }
      if (found) continue;
      // A series' images are never deleted.
      const bool deletable =
          deletion_agreed && is_leftover(name, page, "") && !series.images.count(name);
      EXPECT_TRUE(deletable || pages.count(name))
          << "lost: " << name << " (" << dialogs.shown.size() << " boxes)\n"
          << testing::box_log(dialogs);
    }
    // Nothing else appeared: no temporary files, no stray copies.
    for (const auto& [name, bytes] : now) {
      EXPECT_TRUE(accounted.count(name) || pages.count(name) || name == page)
          << "unexpected file: " << name;
    }
    EXPECT_EQ(snapshot(tmp.file("outside")), outside_before);
    EXPECT_EQ(snapshot(program), program_before);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace vellumet::fault
