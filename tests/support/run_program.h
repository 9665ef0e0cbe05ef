#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vellumet::testing {

// How a program run by run_program ended and what it wrote.
struct ProgramRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  int signal = 0;   // the signal that ended it, when one did
  std::string out;  // standard output (with a terminal: everything it wrote)
  std::string err;  // standard error (empty with a terminal)
};

// Runs `program` with `args` in `folder`, without a display (Qt's platform set
// to one that does not exist, so creating an application object would fail)
// and in the C.UTF-8 locale. Standard input is empty; with `terminal` the
// program runs on a pseudo-terminal instead, which is fed `input`. Without a
// terminal, a non-empty `out_file` (/dev/full, say) takes standard output.
ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, bool terminal = false,
                       const std::string& input = "", const std::string& out_file = "");

// Sends a program run by run_program a signal at a known point: as soon as
// it writes to a file whose name starts with `prefix` in the folder
// `watched` (with `created`, as soon as it makes a file or folder of such a
// name there). With SIGSTOP, `while_stopped` runs while the program is
// stopped there, and then it goes on.
struct Interruption {
  std::string watched;
  std::string prefix;
  int signal = 0;
  std::function<void()> while_stopped;
  bool created = false;
};

// As run_program without a terminal, interrupted as `interruption` says; `hit`
// tells whether the program was caught writing such a file.
ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const Interruption& interruption, bool& hit);

// A message box as the command line prints it on standard error: a blank
// line, "[title]", the text with "\n" line ends, then for a question
// "→ " and how it was answered (e.g. "はい（--yes）").
std::string printed_box(const std::string& title, const std::string& text,
                        const std::string& answer = "");

}  // namespace vellumet::testing
