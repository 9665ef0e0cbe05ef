#pragma once

#include <map>
#include <string>
#include <vector>

namespace vellumet::testing {

// A fresh folder under $TMPDIR (or /tmp), removed with its contents on
// destruction. In memory: under /dev/shm when it can be written, for tests
// that write many files (a page is synced to its disk when written).
class TempDir {
 public:
  TempDir();
  struct InMemory {};
  explicit TempDir(InMemory);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }  // no final "/"
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void write_bytes(const std::string& path, const std::string& bytes);
std::string read_bytes(const std::string& path);  // throws when missing
bool exists(const std::string& path);
// Every entry name of a folder (hidden ones and folders included), sorted bytewise.
std::vector<std::string> entries(const std::string& folder);
// Every file below `folder`, by its path relative to it ("buttons/b1.gif"), with
// its bytes; a folder maps to "/".
std::map<std::string, std::string> tree_bytes(const std::string& folder);
// The names whose bytes differ between two trees, or that only one holds.
std::vector<std::string> differing_files(const std::map<std::string, std::string>& a,
                                         const std::map<std::string, std::string>& b);

}  // namespace vellumet::testing
