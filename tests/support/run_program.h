#pragma once

#include <string>
#include <vector>

namespace vellumet::testing {

// How a program run by run_program ended and what it wrote.
struct ProgramRun {
  int status = -1;  // exit status; -1 when it did not exit normally
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

// A message box as the command line prints it on standard error: a blank
// line, "[title]", the text with "\n" line ends, then for a question
// "→ " and how it was answered (e.g. "はい（--yes）").
std::string printed_box(const std::string& title, const std::string& text,
                        const std::string& answer = "");

}  // namespace vellumet::testing
