#include "source/listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "base/ascii.h"

namespace vellumet {

namespace {

// Sorts by name_less. Each name's first sixteen folded bytes become two
// integers that settle almost every comparison; only longer ties compare the
// names themselves. A large folder sorts several times faster than with
// name_less on the strings.
void sort_names(std::vector<std::string>& names) {
  struct Key {
    std::uint64_t head, next;
    std::uint32_t index;
  };
  std::vector<Key> keys(names.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    keys[i] = {folded_word(names[i], 0), folded_word(names[i], 8), i};
  }
  std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    if (a.head != b.head) return a.head < b.head;
    if (a.next != b.next) return a.next < b.next;
    return name_less(names[a.index], names[b.index]);
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const Key& k : keys) sorted.push_back(std::move(names[k.index]));
  names = std::move(sorted);
}

}  // namespace

bool name_less(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    char x = ascii_lower(a[i]), y = ascii_lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool matches_extension(std::string_view name, std::string_view ext) {
  if (ext.empty()) return true;
  if (name.size() < ext.size() + 1) return false;
  std::string_view tail = name.substr(name.size() - ext.size() - 1);
  if (tail[0] != '.') return false;
  for (std::size_t i = 0; i < ext.size(); ++i) {
    if (ascii_lower(tail[i + 1]) != ascii_lower(ext[i])) return false;
  }
  return true;
}

std::vector<std::string> filter_extension(const Listing& listing, std::string_view ext) {
  std::vector<std::string> out;
  for (const auto& n : listing.names) {
    if (matches_extension(n, ext)) out.push_back(n);
  }
  return out;
}

Listing list_entries(const std::string& folder, EntryKind kind) {
  Listing result;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    result.error = errno;
    return result;
  }
  int dfd = ::dirfd(dir);
  const unsigned char wanted = kind == EntryKind::NormalFile ? DT_REG : DT_DIR;
  for (;;) {
    errno = 0;
    dirent* e = ::readdir(dir);
    if (!e) {
      if (errno != 0) result.error = errno;
      break;
    }
    if (e->d_name[0] == '.') continue;
    bool take = e->d_type == wanted;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      // A link counts as what it leads to.
      struct stat st {};
      take = ::fstatat(dfd, e->d_name, &st, 0) == 0 &&
             (kind == EntryKind::NormalFile ? S_ISREG(st.st_mode) : S_ISDIR(st.st_mode));
    }
    if (take) result.names.emplace_back(e->d_name);
  }
  ::closedir(dir);
  sort_names(result.names);
  return result;
}

Listing list_normal_files(const std::string& folder) {
  return list_entries(folder, EntryKind::NormalFile);
}

std::vector<std::string> sub_folders(const std::string& folder) {
  return list_entries(folder, EntryKind::Folder).names;
}

}  // namespace vellumet
