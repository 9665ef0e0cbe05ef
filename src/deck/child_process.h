#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace vellumet::deck {

// How a program run by run_child ended.
enum class ChildEnd {
  Exited,      // it ended by itself; `status` holds its exit status (-1: killed by a signal)
  TimedOut,    // the time limit passed; its process group was ended
  Cancelled,   // `cancel` was set; its process group was ended
  NotStarted,  // it could not be started; `reason` says why
};

struct ChildRun {
  ChildEnd end = ChildEnd::NotStarted;
  int status = -1;
  std::string reason;
};

// Runs `argv` (argv[0] a path or a name looked up on PATH) in a process group
// of its own, standard input from /dev/null, standard output and error into
// the file `log`, and waits for it. When `limit` passes or `cancel` becomes
// true, the whole group is sent SIGTERM, then SIGKILL a moment later, so
// nothing it started lives on.
ChildRun run_child(const std::vector<std::string>& argv, const std::string& log,
                   std::chrono::milliseconds limit, const std::atomic<bool>* cancel);

}  // namespace vellumet::deck
