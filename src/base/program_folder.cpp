#include "base/program_folder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

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
  // ".." as the system takes it: from wherever a link in the path leads.
  std::unique_ptr<char, decltype(&std::free)> installed(
      ::realpath((binary_folder + "/" + kInstalledDataFolder).c_str(), nullptr), &std::free);
  return installed && holds_templates(installed.get()) ? installed.get() : binary_folder;
}

std::string program_folder() {
  return data_folder_for(executable_folder());
}

}  // namespace vellumet
