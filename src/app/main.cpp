// The program: the command line when asked for, else the main window over the
// program folder's data.

#include "base/temporary_files.h"
#include "cli/run.h"
#include "ui/run_window.h"

int main(int argc, char* argv[]) {
  // Ended by Ctrl-C, a kill or a closed terminal: no half-written file stays.
  vellumet::remove_temporaries_on_signals();
  // No application object on this path: it needs no display.
  if (vellumet::cli::command_line_wanted(argc, argv))
    return vellumet::cli::command_line_main(argc, argv);
  return vellumet::ui::run_window(argc, argv);
}
