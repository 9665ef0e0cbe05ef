#include "source/paths.h"

#include <dirent.h>
#include <stdlib.h>

#include <cerrno>
#include <memory>

namespace vellumet {

std::string child_path(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string parent_path(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return path.substr(0, slash);
}

std::string real_path(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return {};
  }
  std::unique_ptr<char, decltype(&free)> real(::realpath(path.c_str(), nullptr), &free);
  return real ? std::string(real.get()) : std::string();
}

std::string readable_folder(const std::string& path, FileResult& read) {
  read = FileResult::success();
  std::string real = real_path(path);
  if (real.empty()) {
    read = FileResult::failure(FileStep::List, path, errno);
    return {};
  }
  DIR* dir = ::opendir(real.c_str());
  if (dir == nullptr) {
    read = FileResult::failure(FileStep::List, path, errno);
    return {};
  }
  ::closedir(dir);
  return real;
}

}  // namespace vellumet
