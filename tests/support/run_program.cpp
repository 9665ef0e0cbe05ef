#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

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
void drain(std::vector<int> fds, std::vector<std::string*> into) {
  std::vector<pollfd> polls;
  for (int fd : fds) polls.push_back({fd, POLLIN, 0});
  std::size_t open = polls.size();
  char buffer[4096];
  while (open > 0) {
    if (::poll(polls.data(), polls.size(), 60000) <= 0) throw std::runtime_error("program hangs");
    for (std::size_t i = 0; i < polls.size(); ++i) {
      if (polls[i].fd < 0 || polls[i].revents == 0) continue;
      ssize_t n = ::read(polls[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(polls[i].fd);
        polls[i].fd = -1;
        --open;
      }
    }
  }
}

int wait_for(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    run.status = wait_for(pid);
    return run;
  }
  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::dup2(out_file.empty() ? out[1] : ::open(out_file.c_str(), O_WRONLY), 1);
    ::dup2(err[1], 2);
    exec_program(program, args, folder);
  }
  ::close(out[1]);
  ::close(err[1]);
  drain({out[0], err[0]}, {&run.out, &run.err});
  run.status = wait_for(pid);
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
