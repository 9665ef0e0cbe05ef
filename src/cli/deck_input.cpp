#include "cli/deck_input.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>

#include "base/file_ops.h"
#include "base/messages.h"
#include "base/temporary_files.h"
#include "deck/files.h"
#include "deck/show_folder.h"
#include "source/paths.h"
#include "source/show_manifest.h"

namespace vellumet::cli {

namespace {

// Rewrites the terminal's current line: back to its start, cleared to its end.
constexpr const char* kRewriteLine = "\r\033[K";

}  // namespace

bool is_deck_argument(const std::string& arg) {
  return !is_directory(arg) && (deck::is_deck_name(arg) || is_normal_file(arg));
}

std::string deck_path(const std::string& arg) {
  const std::size_t slash = arg.rfind('/');
  const std::string folder = real_path(slash == std::string::npos ? "." : arg.substr(0, slash + 1));
  if (folder.empty()) {
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(arg, ec).string();
    return ec ? arg : absolute;
  }
  return child_path(folder, arg.substr(slash + 1));
}

deck::Options deck_options(const Options& options) {
  deck::Options d;
  if (options.width) d.width = *options.width;
  if (options.image) d.format = *options.image;
  if (options.jobs) d.jobs = *options.jobs;
  return d;
}

Listing show_after(const deck::Outcome& plan) {
  Manifest made = plan.show.manifest;
  if (made.texts.empty()) made.texts.resize(1);
  const std::vector<std::string> added = deck::manifest_files(made);
  std::set<std::string> left_out(added.begin(), added.end());
  Manifest old;
  if (plan.show.updated && read_manifest(plan.show.folder, old)) {
    for (std::string& name : deck::manifest_files(old)) left_out.insert(std::move(name));
  }
  Listing after;
  for (std::string_view name : list_normal_files(plan.show.folder).names) {
    if (!left_out.count(std::string(name))) after.names.push_back(name);
  }
  for (const std::string& name : added) after.names.push_back(name);
  after.names.sort();
  return after;
}

std::vector<deck::Outcome> render_decks(const std::vector<std::string>& decks,
                                        const std::string& out, const Options& options,
                                        Console& console, int& signal_number) {
  std::vector<deck::Request> requests;
  for (const std::string& deck : decks) requests.push_back({deck, out});
  std::atomic<bool> cancel{false};
  deck::Options d = deck_options(options);
  d.cancel = &cancel;
  bool shown = false;
  if (console.err_is_terminal()) {
    d.progress = [&](const deck::Progress& p) {
      const std::string name = console.quoted(deck::name_of(decks[p.deck]));
      console.err_prompt(kRewriteLine + deck::progress_message(name, p));
      shown = true;
    };
  }
  cancel_on_signals(&cancel);
  std::vector<deck::Outcome> outcomes = deck::make_shows(requests, d);
  signal_number = cancelling_signal();
  cancel_on_signals(nullptr);
  if (shown) console.err_prompt(kRewriteLine);
  return outcomes;
}

}  // namespace vellumet::cli
