#include "fault_support.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "state/window_logic.h"

namespace vellumet::fault {

namespace fs = std::filesystem;
using testing::write_bytes;

namespace {

void put_string(std::string& out, const std::string& s) {
  const std::uint32_t n = static_cast<std::uint32_t>(s.size());
  out.append(reinterpret_cast<const char*>(&n), sizeof n);
  out += s;
}

std::string get_string(const std::string& in, std::size_t& pos) {
  std::uint32_t n = 0;
  if (pos + sizeof n > in.size()) throw std::runtime_error("child report cut short");
  std::memcpy(&n, in.data() + pos, sizeof n);
  pos += sizeof n;
  if (pos + n > in.size()) throw std::runtime_error("child report cut short");
  std::string s = in.substr(pos, n);
  pos += n;
  return s;
}

void write_all(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

ChildReport run_in_child(const testing::ScriptedDialogs& dialogs, const ChildOptions& options,
                         const ChildBody& body) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::close(pipe_fds[0]);
    std::string failure;
    bool dropped = false;
    testing::ScriptedDialogs script = dialogs;
    std::map<std::string, std::string> values;
    try {
      if (options.drop_privileges && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0) {
          throw std::runtime_error("could not become nobody");
        }
        dropped = true;
      }
      if (options.file_size_limit >= 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(options.file_size_limit),
                           static_cast<rlim_t>(options.file_size_limit)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
      }
      body(script, values);
    } catch (const std::exception& e) {
      failure = e.what();
    }
    std::string out;
    put_string(out, failure);
    put_string(out, dropped ? "1" : "0");
    put_string(out, std::to_string(script.shown.size()));
    for (const MessageBox& box : script.shown) {
      put_string(out, box.title);
      put_string(out, box.text);
      put_string(out, std::to_string(static_cast<int>(box.icon)));
      put_string(out, std::to_string(static_cast<int>(box.buttons)));
      put_string(out, std::to_string(static_cast<int>(box.default_answer)));
    }
    put_string(out, std::to_string(values.size()));
    for (const auto& [k, v] : values) {
      put_string(out, k);
      put_string(out, v);
    }
    write_all(pipe_fds[1], out);
    ::close(pipe_fds[1]);
    ::_exit(0);
  }

  ::close(pipe_fds[1]);
  std::string in;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(pipe_fds[0], buf, sizeof buf);
    if (n <= 0) break;
    in.append(buf, static_cast<std::size_t>(n));
  }
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);

  ChildReport report;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    report.failure = "child ended abnormally (status " + std::to_string(status) + ")";
    return report;
  }
  std::size_t pos = 0;
  report.failure = get_string(in, pos);
  report.dropped = get_string(in, pos) == "1";
  const int boxes = std::stoi(get_string(in, pos));
  for (int i = 0; i < boxes; ++i) {
    MessageBox box;
    box.title = get_string(in, pos);
    box.text = get_string(in, pos);
    box.icon = static_cast<BoxIcon>(std::stoi(get_string(in, pos)));
    box.buttons = static_cast<BoxButtons>(std::stoi(get_string(in, pos)));
    box.default_answer = static_cast<Answer>(std::stoi(get_string(in, pos)));
    report.boxes.push_back(box);
  }
  const int values = std::stoi(get_string(in, pos));
  for (int i = 0; i < values; ++i) {
    std::string k = get_string(in, pos);
    report.values[k] = get_string(in, pos);
  }
  return report;
}

void give_to_nobody(const std::string& path) {
  if (::geteuid() != 0) return;
  if (::lchown(path.c_str(), kNobody, kNogroup) != 0) throw std::runtime_error("chown " + path);
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(path, ec))) return;
  for (const auto& e : fs::recursive_directory_iterator(path)) {
    if (::lchown(e.path().c_str(), kNobody, kNogroup) != 0) throw std::runtime_error("chown");
  }
}

Snapshot snapshot(const std::string& root) {
  Snapshot snap;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_symlink()) continue;
    if (it->is_regular_file()) {
      snap[fs::relative(it->path(), root).string()] = testing::read_bytes(it->path().string());
    }
  }
  return snap;
}

std::string make_program(const testing::TempDir& tmp) {
  // The temporary folder itself must be passable for the unprivileged child.
  ::chmod(tmp.path().c_str(), 0755);
  const std::string program = tmp.file("program");
  fs::create_directories(program + "/Template");
  fs::create_directories(program + "/buttons");
  const std::string index =
      "<HTML>\r\n<SCRIPT>\r\nvar LastSlide = 0;\r\nvar Ext = \"GIF\";\r\n</SCRIPT>\r\n"
      "<FRAMESET><FRAME SRC=\"navbtn0.htm\"></FRAMESET>\r\n</HTML>\r\n";
  for (const char* n : {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"}) {
    write_bytes(program + "/Template/" + n, index);
  }
  const std::string nav =
      "<HTML>\r\n<IMG SRC=\"T_BUTTON\"><IMG SRC=\"F_BUTTON\"><IMG SRC=\"P_BUTTON\">\r\n"
      "<IMG SRC=\"N_BUTTON\"><IMG SRC=\"L_BUTTON\"><IMG SRC=\"M_BUTTON\">\r\n"
      "<IMG SRC=\"D_BUTTON\"><IMG SRC=\"S_BUTTON\">\r\n"
      "<A HREF=\"sld000.htm\">player</A>\r\n<SCRIPT>go(0,0);</SCRIPT>\r\n"
      "<A HREF=\"DOWNLOAD_FILE\">download</A>\r\n<SELECT>\r\n</SELECT>\r\n</HTML>\r\n";
  write_bytes(program + "/Template/navbtn_c.htm", nav);
  write_bytes(program + "/Template/navbtn_r.htm", nav);
  write_bytes(program + "/Template/sld000.htm",
              "<HTML>\r\n<TITLE>x</TITLE>\r\n<EMBED SRC=\"/img0/pres0.ppz\">\r\n</HTML>\r\n");
  std::string ini;
  for (int j = 1; j <= 8; ++j) ini += "buttons/b" + std::to_string(j) + ".gif\r\n";
  write_bytes(program + "/VellumetDefault.ini", ini + "0\r\n");
  write_bytes(program + "/Vellumet.ini", ini + "2\r\n");
  write_bytes(program + "/buttons/b1.gif", "GIF89a-b1");
  write_bytes(program + "/buttons/b2.gif", "GIF89a-b2");
  return program;
}

Session::Session(Dialogs& d, const std::string& program) : job(window, d, program, "UTF-8") {
  window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
  form_load(job);
}

std::string confirmation(const std::string& src_dir, const std::string& page, bool player,
                         bool download) {
  std::string text = "以下の要領でZorvo スライドショーを閲覧できるHTMLを作成します。\r\n\n\t"
                     "スライドのネタには、" +
                     src_dir + " を使います。\r\n\tスライドを閲覧するHTMLは、" + page +
                     " に作成します。";
  if (player) text += "\r\n\tPowerPoint Animation Player ボタンを付けます。";
  if (download) text += "\r\n\tダウンロード ボタンを付けます。";
  return text + "\r\n\nよろしいですか？";
}

std::string fill(const char* format, const std::vector<std::string>& pieces) {
  std::string out;
  std::size_t next = 0;
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += next < pieces.size() ? pieces[next++] : std::string();
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace vellumet::fault
