#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "deck/failure.h"
#include "deck/image_format.h"
#include "deck/image_size.h"
#include "source/show_manifest.h"

namespace vellumet::deck {

// One deck to make a show of: a PDF, or an office presentation (see
// is_office_deck), and where its show goes ("" for beside the deck, named
// after it).
struct Request {
  std::string deck;
  std::string out_folder;
};

// Where a deck has got to: `done` of `pages` pages written; `pages` is 0
// while LibreOffice makes its PDF.
struct Progress {
  std::size_t deck = 0;  // the request's index
  long done = 0;
  long pages = 0;
};

// What `progress` of the deck shown as `name` reads as: LibreOffice
// converting it, or "n / N" pages.
std::string progress_message(const std::string& name, const Progress& progress);

struct Options {
  int width = kDefaultWidth;  // kMinWidth .. kMaxWidth
  ImageFormat format = kDefaultFormat;
  int jobs = 0;                // pages and decks worked on at once; 0: the machine's cores
  std::string office_program;  // "": soffice looked up on PATH
  std::chrono::seconds office_limit{300};
  // Called from the worker threads, one call at a time, after each page and
  // when a LibreOffice conversion starts.
  std::function<void(const Progress&)> progress;
  // Set from anywhere to stop: every deck not yet finished ends Cancelled,
  // leaving nothing behind.
  const std::atomic<bool>* cancel = nullptr;
};

// A show made or updated: its folder and what its manifest holds.
struct Show {
  std::string folder;
  bool updated = false;  // an earlier show of the deck was replaced
  Manifest manifest;
};

// How making a show ended: the failure's kind and its details (see
// failure.h), and the show made.
struct Outcome {
  Failure failure = Failure::None;
  FileResult result;
  Show show;  // on success
  bool ok() const { return failure == Failure::None; }
};

// True when `name` is that of a deck: it ends in ".pdf" or is an office
// presentation (is_office_deck), letters in any case.
bool is_deck_name(std::string_view name);
// The extensions is_deck_name takes, in lower case: ".pdf", then the office
// presentations'.
std::vector<std::string> deck_extensions();

// The cores this process may run on.
int machine_cores();

// Makes the show of a deck: every page rendered as img001.EXT, img002.EXT ..
// (EXT the format's extension), the PDF copied in as the download file (the
// deck itself, or the PDF LibreOffice made of an office file), and the
// manifest with the title and each page's text. A show made here before is
// updated in place: its images and PDF are replaced, slides past the new
// count go, every other file stays. A folder of that name that was not made
// here is refused, unless it is an empty folder given as out_folder. On any
// failure nothing is left behind: no new folder, the old show as it was, the
// deck untouched. Work folders that runs ended by force left in the show are
// removed first (remove_dead_work_folders).
Outcome make_show(const Request& request, const Options& options);

// What make_show would do, found without writing anything: the same
// refusals, then the show as far as it can be known before rendering: its
// folder, whether it would be updated, and the manifest's source, download,
// image and width. For a PDF the deck is read as make_show reads it, and the
// manifest holds its title and an empty text a page; an office file's pages
// are known only once LibreOffice has made its PDF, so its manifest holds
// no text.
Outcome plan_show(const Request& request, const Options& options);

// Several decks, up to options.jobs at once, their pages sharing the same
// number of cores; one outcome per request, in their order.
std::vector<Outcome> make_shows(const std::vector<Request>& requests, const Options& options);

}  // namespace vellumet::deck
