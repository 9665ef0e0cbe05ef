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

#include "commands/options.h"
#include "commands/start_up.h"
#include "program_folder.h"

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
    ::alarm(options.time_limit);
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
  testing::make_program_folder(program);
  return program;
}

Session::Session(Dialogs& d, const std::string& program) : job(window, d, program, "UTF-8") {
  window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
  form_load(job);
}

}  // namespace vellumet::fault
