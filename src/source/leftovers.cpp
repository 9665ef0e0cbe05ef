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
  for (const auto& n : job.state.gomi_files) list += n + "\r\n";
  job.window.set_text(TextField::Text4, list.empty() ? msg::kNoGomi : list);
}

}  // namespace

bool is_leftover(std::string_view name, std::string_view page, std::string_view download) {
  if (name == "pres0.ppz" || name == "sld001.htm" || name == "navbtn1.htm") return false;
  if (name == page) return false;
  if (!download.empty() && name == download) return false;
  std::string prefix3 = ascii_lower(name.substr(0, 3));
  std::string ext3 = ascii_lower(name.size() < 3 ? name : name.substr(name.size() - 3));
  if ((ext3 == "gif" || ext3 == "jpg") && (prefix3 == "img" || prefix3 == "sld")) return false;
  if (ext3 == "ppt" || ext3 == "ppz") return false;
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
