#include "bench_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vellumet::bench {

namespace fs = std::filesystem;

namespace {

constexpr long kTmpfsMagic = 0x01021994;

std::string three(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", i);
  return buf;
}

void write_synthetic_templates(const std::string& dir) {
  const std::string head = "<HTML>\r\n<HEAD>\r\n<TITLE>Slides</TITLE>\r\n";
  std::string index =
      head + "<SCRIPT>\r\nvar LastSlide = 0;\r\nvar Ext = \"GIF\";\r\n</SCRIPT>\r\n";
  index += "<FRAMESET COLS=\"120,*\"><FRAME SRC=\"navbtn0.htm\"><FRAME SRC=\"img001.GIF\">\r\n";
  index += "</FRAMESET></HTML>\r\n";
  for (const char* n : {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"}) {
    put_file(dir + "/" + n, index);
  }
  std::string nav = head + "</HEAD><BODY>\r\n";
  for (const char* b : {"T_BUTTON", "F_BUTTON", "P_BUTTON", "N_BUTTON", "L_BUTTON", "M_BUTTON",
                        "D_BUTTON", "S_BUTTON"}) {
    nav += std::string("<A HREF=\"#\"><IMG SRC=\"") + b + "\"></A>\r\n";
  }
  nav += "<A HREF=\"sld000.htm\" TARGET=\"_top\">player</A>\r\n";
  nav += "<SCRIPT>go(0,0); // (0,0)\r\n</SCRIPT>\r\n";
  nav += "<A HREF=\"DOWNLOAD_FILE\">download</A>\r\n";
  nav += "<FORM><SELECT NAME=\"n\">\r\n</SELECT></FORM>\r\n</BODY></HTML>\r\n";
  put_file(dir + "/navbtn_c.htm", nav);
  put_file(dir + "/navbtn_r.htm", nav);
  put_file(dir + "/sld000.htm",
           head + "</HEAD><BODY><EMBED SRC=\"/img0/pres0.ppz\"></BODY></HTML>\r\n");
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

const std::string& program_dir() {
  static const std::string dir = [] {
    const std::string d = work_dir() + "/program";
    fs::create_directories(d + "/Template");
    fs::create_directories(d + "/buttons");
    const fs::path shipped = fs::path(VELLUMET_SOURCE_DIR) / "Template";
    if (fs::exists(shipped / "navbtn_c.htm")) {
      fs::copy(shipped, d + "/Template",
               fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    } else {
      write_synthetic_templates(d + "/Template");
    }
    std::string ini;
    for (int j = 1; j <= 8; ++j) ini += "buttons/b" + std::to_string(j) + ".gif\r\n";
    ini += "0\r\n";
    put_file(d + "/VellumetDefault.ini", ini);
    put_file(d + "/Vellumet.ini", ini);
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
