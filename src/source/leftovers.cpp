#include "source/leftovers.h"

#include <algorithm>

#include "base/file_ops.h"
#include "base/line_ends.h"
#include "base/messages.h"
#include "source/file_names.h"
#include "source/numbered_series.h"
#include "source/paths.h"
#include "source/slide_set.h"

namespace vellumet {

namespace {

void show_list(Job& job) {
  // Kept from call to call: its buffer serves the next list too.
  thread_local std::string list;
  list.clear();
  for (std::string_view n : job.state.gomi_files) list.append(n).append(kCrLf);
  job.window.set_text(TextField::Text4, list.empty() ? msg::kNoGomi : list);
}

// In a folder without an export's first slide image, the images of every
// numbered series (also of one that cannot be the slides), sorted bytewise.
std::vector<std::string> series_images(const JobState& state, const Listing& listing) {
  std::vector<std::string> kept;
  if (find_first_file(state, listing) != 0) return kept;
  for (Series& s : find_series(listing))
    kept.insert(kept.end(), std::make_move_iterator(s.images.begin()),
                std::make_move_iterator(s.images.end()));
  std::sort(kept.begin(), kept.end());
  return kept;
}

}  // namespace

bool is_leftover(std::string_view name, std::string_view page, std::string_view download) {
  if (name == page) return false;
  if (!download.empty() && name == download) return false;
  return !is_show_file(name);
}

std::string download_path(const Job& job) {
  if (job.window.check(CheckBox::Check2) != kChecked) return {};
  const std::string text = job.window.text(TextField::Text5);
  if (text.empty() || text.starts_with('/')) return text;
  return job.state.src_dir + text;
}

std::string protected_download_name(const Job& job) {
  const std::string& src = job.state.src_dir;
  if (src.empty() || job.window.check(CheckBox::Check2) != kChecked) return {};
  std::string path = job.window.text(TextField::Text5);
  if (path.empty() || path.ends_with('/')) return {};
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return is_normal_file(src + path) ? path : std::string();
  std::string name = path.substr(slash + 1);
  std::string folder = path.substr(0, slash + 1);
  if (!folder.starts_with('/')) folder = src + folder;  // relative to the show folder
  std::string a = real_path(folder), b = real_path(src);
  return !a.empty() && a == b ? name : std::string();
}

FileResult search_gomi(Job& job) {
  if (job.state.src_dir.empty()) {
    search_gomi(job, Listing{});
    return {};
  }
  thread_local Listing files;
  list_folder(job.state.src_dir, files);
  search_gomi(job, files);
  return files.read;
}

void refresh_gomi(Job& job) {
  if (!job.state.src_dir.empty()) (void)search_gomi(job);
}

void search_gomi(Job& job, const Listing& listing) {
  JobState& s = job.state;
  s.gomi_files.clear();
  if (!s.src_dir.empty()) {
    std::string page = job.window.text(TextField::Text3);
    std::string download = protected_download_name(job);
    const std::vector<std::string> series = series_images(s, listing);
    for (std::string_view name : listing.names) {
      if (is_leftover(name, page, download) &&
          !std::binary_search(series.begin(), series.end(), name))
        s.gomi_files.push_back(name);
    }
  }
  s.gomi_count = static_cast<std::int16_t>(std::min<std::size_t>(s.gomi_files.size(), 32767));
  show_list(job);
}

}  // namespace vellumet
