#include "source/leftovers.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "generator/messages.h"
#include "source/file_ops.h"
#include "state/window_logic.h"

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
  for (const auto& n : job.state.gomi_files) list.append(n).append("\r\n");
  job.window.set_text(TextField::Text4, list.empty() ? msg::kNoGomi : list);
}

}  // namespace

bool is_leftover(std::string_view name, std::string_view page, std::string_view download) {
  if (name == "pres0.ppz" || name == "sld001.htm" || name == "navbtn1.htm") return false;
  if (name == page) return false;
  if (!download.empty() && name == download) return false;
  // First and last three letters, lower-cased, compared in place: this runs
  // for every name of a folder.
  std::string_view prefix3 = name.substr(0, 3);
  std::string_view ext3 = name.size() < 3 ? name : name.substr(name.size() - 3);
  auto is = [](std::string_view part, const char* lower) {
    for (std::size_t i = 0; i < 3; ++i) {
      if (i >= part.size()) return lower[i] == '\0';
      char c = part[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      if (c != lower[i]) return false;
    }
    return part.size() == 3;
  };
  if ((is(ext3, "gif") || is(ext3, "jpg")) && (is(prefix3, "img") || is(prefix3, "sld")))
    return false;
  if (is(ext3, "ppt") || is(ext3, "ppz")) return false;
  return true;
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

void gomi_click(Job& job) {
  std::string prefix;
  search_gomi(job);
  if (!job.state.gomi_files.empty()) delete_gomi(job, prefix);
  command_button_check(job);
}

void delete_gomi(Job& job, std::string& prefix) {
  prefix += msg::kGomiQuestion;
  if (job.dialogs.show(question_box(msg::kGomiTitle, prefix)) != Answer::Yes) return;
  std::string failed;
  for (const auto& name : job.state.gomi_files) {
    if (::unlink((job.state.src_dir + name).c_str()) != 0 && errno != ENOENT) {
      failed += "\r\n" + name + "：" + error_text(errno);
    }
  }
  if (!failed.empty()) {
    job.dialogs.show(info_box(msg::kGomiTitle, std::string(msg::kDeleteFailed) + "\r\n" + failed));
  }
  search_gomi(job);
}

}  // namespace vellumet
