#include "temp_dir.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vellumet::testing {

namespace {

std::string make_folder(const std::string& base) {
  std::string templ = base + "/vellumet-test-XXXXXX";
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  return templ;
}

}  // namespace

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  path_ = make_folder(base && *base ? base : "/tmp");
}

TempDir::TempDir(InMemory) {
  if (::access("/dev/shm", W_OK) == 0) {
    path_ = make_folder("/dev/shm");
  } else {
    const char* base = std::getenv("TMPDIR");
    path_ = make_folder(base && *base ? base : "/tmp");
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make everything writable again so a test that removed permissions still cleans up.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0700);
  }
  ::chmod(path_.c_str(), 0700);
  std::filesystem::remove_all(path_, ec);
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* d = ::opendir(folder.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> tree_bytes(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name = std::filesystem::relative(e.path(), folder).string();
    tree[name] = e.is_directory() ? "/" : read_bytes(e.path().string());
  }
  return tree;
}

std::vector<std::string> differing_files(const std::map<std::string, std::string>& a,
                                         const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a) {
    auto it = b.find(name);
    if (it == b.end() || it->second != bytes) names.push_back(name);
  }
  for (const auto& [name, bytes] : b) {
    if (!a.contains(name)) names.push_back(name);
  }
  return names;
}

}  // namespace vellumet::testing
