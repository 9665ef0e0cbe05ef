#include "base/program_folder.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "base/file_ops.h"

namespace vellumet {

namespace {

// The data folder relative to the installed program, from the install layout.
constexpr const char* kInstalledDataFolder = VELLUMET_DATA_FROM_BIN;

bool holds_templates(const std::string& folder) {
  return is_directory(folder + "/Template");
}

}  // namespace

std::string executable_folder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string exe(buffer, static_cast<std::size_t>(n));
  std::size_t slash = exe.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string data_folder_for(const std::string& binary_folder) {
  if (holds_templates(binary_folder)) return binary_folder;
  std::string installed =
      (std::filesystem::path(binary_folder) / kInstalledDataFolder).lexically_normal().string();
  while (installed.size() > 1 && installed.ends_with('/')) installed.pop_back();
  return holds_templates(installed) ? installed : binary_folder;
}

std::string program_folder() {
  return data_folder_for(executable_folder());
}

}  // namespace vellumet
