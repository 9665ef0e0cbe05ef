#include "source/leftovers.h"

#include <stdlib.h>

#include <memory>

#include "base/file_ops.h"
#include "base/line_ends.h"
#include "base/messages.h"
#include "source/file_names.h"

namespace vellumet {

namespace {

std::string real_folder(const std::string& folder) {
  std::unique_ptr<char, decltype(&free)> p(::realpath(folder.c_str(), nullptr), &free);
  return p ? std::string(p.get()) : std::string();
}

void show_list(Job& job) {
  std::string list;
  std::size_t size = 0;
  for (const auto& n : job.state.gomi_files) size += n.size() + 2;
  list.reserve(size);
  for (const auto& n : job.state.gomi_files) list.append(n).append(kCrLf);
  job.window.set_text(TextField::Text4, list.empty() ? msg::kNoGomi : list);
}

}  // namespace

bool is_leftover(std::string_view name, std::string_view page, std::string_view download) {
  if (name == page) return false;
  if (!download.empty() && name == download) return false;
  return !is_show_file(name);
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
  std::string a = real_folder(folder), b = real_folder(src);
  return !a.empty() && a == b ? name : std::string();
}

void search_gomi(Job& job) {
  if (job.state.src_dir.empty()) {
    search_gomi(job, Listing{});
    return;
  }
  search_gomi(job, list_normal_files(job.state.src_dir));
}

void search_gomi(Job& job, const Listing& listing) {
  JobState& s = job.state;
  s.gomi_files.clear();
  if (!s.src_dir.empty()) {
    std::string page = job.window.text(TextField::Text3);
    std::string download = protected_download_name(job);
    for (const auto& name : listing.names) {
      if (is_leftover(name, page, download)) s.gomi_files.push_back(name);
    }
  }
  s.gomi_count = static_cast<std::int16_t>(std::min<std::size_t>(s.gomi_files.size(), 32767));
  show_list(job);
}

}  // namespace vellumet
