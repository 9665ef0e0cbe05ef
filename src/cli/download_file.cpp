#include "cli/download_file.h"

#include <cerrno>

#include "base/file_ops.h"
#include "base/messages.h"
#include "source/paths.h"

namespace vellumet::cli {

std::string download_file(const std::string& arg, FileResult& why) {
  why = {};
  const std::size_t slash = arg.rfind('/');
  const std::string name = slash == std::string::npos ? arg : arg.substr(slash + 1);
  const std::string folder = real_path(slash == std::string::npos ? "." : arg.substr(0, slash + 1));
  const int err = errno;
  if (folder.empty()) {
    why = FileResult::failure(FileStep::Check, arg, err);
  } else if (name.empty() || name == "." || name == ".." ||
             !path_exists(child_path(folder, name))) {
    why = FileResult::failure(FileStep::Check, arg, ENOENT);
  } else if (!is_normal_file(child_path(folder, name))) {
    why = FileResult::failure(FileStep::Check, arg, EINVAL, msg::kNotRegularFile);
  }
  return why.ok ? child_path(folder, name) : std::string();
}

std::string path_from(const std::string& folder, const std::string& file) {
  const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
  return file.starts_with(prefix) ? file.substr(prefix.size()) : std::string();
}

}  // namespace vellumet::cli
