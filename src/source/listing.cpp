#include "source/listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace vellumet {

namespace {
char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
// Big-endian word of the folded bytes [from, from + 8), zero-padded: words
// compare as the bytes do.
std::uint64_t folded_word(std::string_view name, std::size_t from) {
  std::uint64_t w = 0;
  if (from < name.size())
    std::memcpy(&w, name.data() + from, std::min<std::size_t>(8, name.size() - from));
  // All eight bytes at once: ASCII 'A'..'Z' get 0x20 added, other bytes stay.
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  const std::uint64_t low7 = w & ~kHigh;
  const std::uint64_t above_z = low7 + (0x7F - 'Z') * kOnes;
  const std::uint64_t from_a = low7 + (0x80 - 'A') * kOnes;
  const std::uint64_t upper = (from_a ^ above_z) & ~w & kHigh;
  w |= upper >> 2;
  return __builtin_bswap64(w);  // first byte most significant
}

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
    char x = fold(a[i]), y = fold(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string ascii_lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = fold(c);
  return s;
}

bool matches_extension(std::string_view name, std::string_view ext) {
  if (ext.empty()) return true;
  if (name.size() < ext.size() + 1) return false;
  std::string_view tail = name.substr(name.size() - ext.size() - 1);
  if (tail[0] != '.') return false;
  for (std::size_t i = 0; i < ext.size(); ++i) {
    if (fold(tail[i + 1]) != fold(ext[i])) return false;
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

Listing list_normal_files(const std::string& folder) {
  Listing result;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    result.error = errno;
    return result;
  }
  int dfd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    dirent* e = ::readdir(dir);
    if (!e) {
      if (errno != 0) result.error = errno;
      break;
    }
    if (e->d_name[0] == '.') continue;
    bool regular = e->d_type == DT_REG;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      struct stat st {};
      regular = ::fstatat(dfd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) result.names.emplace_back(e->d_name);
  }
  ::closedir(dir);
  sort_names(result.names);
  return result;
}

}  // namespace vellumet
