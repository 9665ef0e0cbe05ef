#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace vellumet::testing {

namespace {

[[noreturn]] void exec_program(const std::string& program, const std::vector<std::string>& args,
                               const std::string& folder) {
  if (::chdir(folder.c_str()) != 0) ::_exit(127);
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  ::setenv("QT_QPA_PLATFORM", "no-display-here", 1);
  ::setenv("LC_ALL", "C.UTF-8", 1);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

// Reads every open descriptor of `fds` until each ends; `into` receives them.
// While `watch` (an inotify descriptor, or -1) is open, `on_event` is called
// with each batch of its events; it returns false to stop watching.
void drain(std::vector<int> fds, std::vector<std::string*> into, int watch = -1,
           const std::function<bool(const char*, std::size_t)>& on_event = {}) {
  std::vector<pollfd> polls;
  for (int fd : fds) polls.push_back({fd, POLLIN, 0});
  const std::size_t open_outputs = polls.size();
  polls.push_back({watch, POLLIN, 0});
  std::size_t open = open_outputs;
  alignas(inotify_event) char buffer[4096];
  while (open > 0) {
    if (::poll(polls.data(), polls.size(), 60000) <= 0) throw std::runtime_error("program hangs");
    for (std::size_t i = 0; i < polls.size(); ++i) {
      if (polls[i].fd < 0 || polls[i].revents == 0) continue;
      ssize_t n = ::read(polls[i].fd, buffer, sizeof buffer);
      if (i == open_outputs) {
        if (n <= 0 || !on_event(buffer, static_cast<std::size_t>(n))) polls[i].fd = -1;
      } else if (n > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(polls[i].fd);
        polls[i].fd = -1;
        --open;
      }
    }
  }
}

void wait_for(pid_t pid, ProgramRun& run) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// Starts `program` with standard input empty and its output in pipes.
pid_t start(const std::string& program, const std::vector<std::string>& args,
            const std::string& folder, const std::string& out_file, int& out, int& err) {
  int out_pipe[2], err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::dup2(out_file.empty() ? out_pipe[1] : ::open(out_file.c_str(), O_WRONLY), 1);
    ::dup2(err_pipe[1], 2);
    exec_program(program, args, folder);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  out = out_pipe[0];
  err = err_pipe[0];
  return pid;
}

}  // namespace

ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, bool terminal, const std::string& input,
                       const std::string& out_file) {
  ProgramRun run;
  if (terminal) {
    int master = -1;
    termios mode{};
    ::cfmakeraw(&mode);  // no echo, "\n" stays "\n"
    mode.c_lflag |= ICANON;
    mode.c_iflag |= ICRNL;
    pid_t pid = ::forkpty(&master, nullptr, &mode, nullptr);
    if (pid < 0) throw std::runtime_error("forkpty failed");
    if (pid == 0) exec_program(program, args, folder);
    if (::write(master, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
      throw std::runtime_error("cannot feed the terminal");
    drain({master}, {&run.out});  // ends with EIO once the program has closed it
    wait_for(pid, run);
    return run;
  }
  int out = -1, err = -1;
  const pid_t pid = start(program, args, folder, out_file, out, err);
  drain({out, err}, {&run.out, &run.err});
  wait_for(pid, run);
  return run;
}

ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const Interruption& interruption, bool& hit) {
  hit = false;
  const int watch = ::inotify_init1(IN_CLOEXEC);
  if (watch < 0 || ::inotify_add_watch(watch, interruption.watched.c_str(),
                                       interruption.created ? IN_CREATE : IN_MODIFY) < 0)
    throw std::runtime_error("cannot watch " + interruption.watched);
  ProgramRun run;
  int out = -1, err = -1;
  const pid_t pid = start(program, args, folder, "", out, err);
  drain({out, err}, {&run.out, &run.err}, watch, [&](const char* events, std::size_t size) {
    for (std::size_t at = 0; at < size;) {
      const auto* e = reinterpret_cast<const inotify_event*>(events + at);
      at += sizeof(inotify_event) + e->len;
      if (e->len == 0 || !std::string_view(e->name).starts_with(interruption.prefix)) continue;
      hit = ::kill(pid, interruption.signal) == 0;
      if (hit && interruption.signal == SIGSTOP) {
        int status = 0;
        ::waitpid(pid, &status, WUNTRACED);  // stopped for certain
        interruption.while_stopped();
        ::kill(pid, SIGCONT);
      }
      return false;
    }
    return true;
  });
  ::close(watch);
  wait_for(pid, run);
  return run;
}

std::string printed_box(const std::string& title, const std::string& text,
                        const std::string& answer) {
  std::string lf;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) ++i;
    lf += text[i] == '\r' ? '\n' : text[i];
  }
  return "\n[" + title + "]\n" + lf + "\n" + (answer.empty() ? "" : "→ " + answer + "\n");
}

}  // namespace vellumet::testing
