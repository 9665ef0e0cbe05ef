#include "deck/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "base/file_ops.h"

extern char** environ;

namespace vellumet::deck {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr auto kGrace = std::chrono::seconds(2);

// Waits for `pid` until `deadline`; true when it ended (status in `status`).
bool wait_until(pid_t pid, std::chrono::steady_clock::time_point deadline,
                const std::atomic<bool>* cancel, int& status) {
  for (;;) {
    pid_t got = ::waitpid(pid, &status, WNOHANG);
    if (got == pid || (got < 0 && errno != EINTR)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    if (cancel && cancel->load()) return false;
    std::this_thread::sleep_for(kPoll);
  }
}

// Ends the process group `pid` leads: SIGTERM, then SIGKILL after a grace
// time to the group as a whole, whatever is left of it; reaps the leader.
void end_group(pid_t pid) {
  ::kill(-pid, SIGTERM);
  int status = 0;
  wait_until(pid, std::chrono::steady_clock::now() + kGrace, nullptr, status);
  ::kill(-pid, SIGKILL);
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

ChildRun run_child(const std::vector<std::string>& argv, const std::string& log,
                   std::chrono::milliseconds limit, const std::atomic<bool>* cancel) {
  ChildRun run;
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&files);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  pid_t pid = 0;
  int err = ::posix_spawnp(&pid, args[0], &files, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (err != 0) {
    run.reason = error_text(err);
    return run;
  }

  int status = 0;
  if (wait_until(pid, std::chrono::steady_clock::now() + limit, cancel, status)) {
    // The leader is gone; anything it left behind in its group goes too.
    ::kill(-pid, SIGKILL);
    run.end = ChildEnd::Exited;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }
  end_group(pid);
  run.end = cancel && cancel->load() ? ChildEnd::Cancelled : ChildEnd::TimedOut;
  return run;
}

}  // namespace vellumet::deck
