#pragma once

#include <string>
#include <vector>

namespace vellumet::ui {

// The program with its window: the application, the main window over the
// program folder's data, and the event loop; returns the exit status. Qt takes
// its own options out of `argv` first; the first argument left that is not an
// option is opened at start-up: a folder as if the user had opened it in the
// folder list, a deck as by 「スライド資料を開く...」.
int run_window(int argc, char** argv);

// The folder or deck among the arguments after the program name: the first that does
// not start with "-", or the first after "--"; "" when there is none.
std::string window_folder_argument(const std::vector<std::string>& args);

}  // namespace vellumet::ui
