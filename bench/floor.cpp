#include "floor.h"

#include "bench_folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace vellumet::bench {

namespace {

std::string slurp(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) throw std::runtime_error("cannot open " + path);
  struct stat st {};
  ::fstat(fd, &st);
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

bool has_suffix(const char* name, const char* suffix) {
  const std::size_t n = std::strlen(name), s = std::strlen(suffix);
  return n >= s && std::strcmp(name + n - s, suffix) == 0;
}

}  // namespace

std::vector<std::string> floor_list(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) throw std::runtime_error("cannot list " + dir);
  while (const dirent* e = ::readdir(d)) {
    if (e->d_name[0] != '.') names.emplace_back(e->d_name);
  }
  ::closedir(d);
  return names;
}

void floor_list_sorted(const std::string& dir, SortedNames& into) {
  into.bytes.clear();
  into.entries.clear();
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) throw std::runtime_error("cannot list " + dir);
  while (const dirent* e = ::readdir(d)) {
    if (e->d_name[0] == '.') continue;
    const std::size_t size = std::strlen(e->d_name);
    std::uint64_t head = 0, next = 0;
    std::memcpy(&head, e->d_name, std::min<std::size_t>(size, 8));
    if (size > 8) std::memcpy(&next, e->d_name + 8, std::min<std::size_t>(size - 8, 8));
    into.entries.push_back({__builtin_bswap64(head), __builtin_bswap64(next),
                            static_cast<std::uint32_t>(into.bytes.size()),
                            static_cast<std::uint32_t>(size)});
    into.bytes.append(e->d_name, size);
  }
  ::closedir(d);
  const char* bytes = into.bytes.data();
  std::sort(into.entries.begin(), into.entries.end(),
            [bytes](const SortedNames::Entry& a, const SortedNames::Entry& b) {
              if (a.head != b.head) return a.head < b.head;
              if (a.next != b.next) return a.next < b.next;
              return std::string_view(bytes + a.offset, a.size) <
                     std::string_view(bytes + b.offset, b.size);
            });
}

void floor_create_html(const std::string& dir, const std::string& template_dir, int slides) {
  const std::string base = dir + "/";
  bool ppz_done = false;
  for (const std::string& name : floor_list(dir)) {
    if (name.size() > 7 && name.compare(0, 3, "sld") == 0 && has_suffix(name.c_str(), ".gif")) {
      const std::string target = base + "img" + name.substr(3);
      ::renameat2(AT_FDCWD, (base + name).c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    } else if (!ppz_done && has_suffix(name.c_str(), ".ppz")) {
      ::renameat2(AT_FDCWD, (base + name).c_str(), AT_FDCWD, (base + "pres0.ppz").c_str(),
                  RENAME_NOREPLACE);
      ppz_done = true;
    }
  }
  struct stat st {};
  char name[32];
  for (int i = 1; i <= slides; ++i) {
    std::snprintf(name, sizeof name, "img%03d.gif", i);
    if (::stat((base + name).c_str(), &st) != 0) throw std::runtime_error("slide missing");
  }
  ::stat((base + "pres0.ppz").c_str(), &st);

  put_file(base + "index.html", slurp(template_dir + "/index_c_l.htm"));
  std::string nav = slurp(template_dir + "/navbtn_c.htm");
  for (int j = 1; j <= slides; ++j) {
    nav += "\t<OPTION VALUE=\"" + std::to_string(j) + "\">" + std::to_string(j) + "\r\n";
  }
  put_file(base + "navbtn1.htm", nav);
  put_file(base + "sld001.htm", slurp(template_dir + "/sld000.htm"));
}

void floor_copy(const std::string& from, const std::string& to) {
  constexpr std::size_t kBuffer = 128 * 1024;
  static const std::unique_ptr<char[]> buffer(new char[kBuffer]);
  const int in = ::open(from.c_str(), O_RDONLY);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0) throw std::runtime_error("cannot copy " + from);
  for (;;) {
    const ssize_t n = ::read(in, buffer.get(), kBuffer);
    if (n < 0) throw std::runtime_error("cannot read " + from);
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer.get() + done, static_cast<std::size_t>(n - done));
      if (w <= 0) throw std::runtime_error("cannot write " + to);
      done += w;
    }
  }
  ::close(in);
  ::close(out);
}

}  // namespace vellumet::bench
