#include "bench_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "program_folder.h"

namespace vellumet::bench {

namespace fs = std::filesystem;

namespace {

constexpr long kTmpfsMagic = 0x01021994;

std::string three(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", i);
  return buf;
}

}  // namespace

const std::string& work_dir() {
  static const std::string dir = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string templ = std::string(base) + "/vellumet-bench-XXXXXX";
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    std::atexit([] { remove_tree(work_dir()); });
    return templ;
  }();
  return dir;
}

bool on_tmpfs() {
  struct statfs st {};
  return statfs(work_dir().c_str(), &st) == 0 && static_cast<long>(st.f_type) == kTmpfsMagic;
}

void put_file(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) throw std::runtime_error("cannot write " + path);
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

void remove_tree(const std::string& path) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

const std::string& program_folder() {
  static const std::string dir = [] {
    const std::string d = work_dir() + "/program";
    testing::make_program_folder(d);
    const fs::path shipped = fs::path(VELLUMET_SOURCE_DIR) / "Template";
    if (fs::exists(shipped / "navbtn_c.htm")) {
      fs::copy(shipped, d + "/Template",
               fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    }
    return d;
  }();
  return dir;
}

std::string make_export(const std::string& name, int slides, int leftovers) {
  const std::string dir = work_dir() + "/" + name;
  remove_tree(dir);
  fs::create_directories(dir);
  const std::string image(256, 'g');
  for (int i = 1; i <= slides; ++i) put_file(dir + "/sld" + three(i) + ".gif", image);
  put_file(dir + "/show.ppz", std::string(4096, 'p'));
  put_file(dir + "/sld001.htm", "<HTML>export</HTML>\r\n");
  put_file(dir + "/navbtn1.htm", "<HTML>export</HTML>\r\n");
  for (int i = 1; i <= leftovers; ++i) {
    const std::string n = std::to_string(i);
    const char* kinds[] = {"tsld", "master", "outline", "frame"};
    put_file(dir + "/" + kinds[i % 4] + n + (i % 2 ? ".htm" : ".png"), "left over\r\n");
  }
  return dir;
}

}  // namespace vellumet::bench
