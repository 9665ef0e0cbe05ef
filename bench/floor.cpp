#include "floor.h"

#include "bench_folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
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
  put_file(to, slurp(from));
}

}  // namespace vellumet::bench
