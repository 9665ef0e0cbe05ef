#pragma once

#include <string>

#include "cli/arguments.h"
#include "cli/console.h"

namespace vellumet::cli {

// Exit statuses of the command line.
inline constexpr int kExitDone = 0;     // every folder reached the completion message
inline constexpr int kExitNotDone = 1;  // a folder was stopped by an answer or failed
inline constexpr int kExitUsage = 2;    // the arguments were not understood

// True when the program's arguments ask for the command line, not the window.
bool command_line_wanted(int argc, char** argv);

// The command line as the program runs it: the locale, the arguments, then
// run(). Returns the exit status.
int command_line_main(int argc, char** argv);

// Runs `options` with the data in `program` (Template/, buttons/, the icon
// lists): start-up once, then for each folder slide detection and Create
// HTML, as the window does when the folder is opened and "HTML作成" pressed.
// A --download file that is no file, or lies outside a folder, is a usage
// error before anything is done.
int run(const Options& options, Console& console, const std::string& program);

}  // namespace vellumet::cli
