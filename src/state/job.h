#pragma once

#include <string>

#include "state/dialogs.h"
#include "state/job_state.h"
#include "state/window_values.h"

namespace vellumet {

// Everything a command works on: the job state, the main window's values, the
// dialog seam, the folder holding Template/, buttons/ and the icon lists, and
// the code page of text files ("" = the current locale's).
struct Job {
  Job(WindowValues& w, Dialogs& d, std::string program_folder, std::string text_codeset = "")
      : window(w),
        dialogs(d),
        program_dir(std::move(program_folder)),
        codeset(std::move(text_codeset)) {}

  JobState state;
  WindowValues& window;
  Dialogs& dialogs;
  std::string program_dir;
  std::string codeset;
};

}  // namespace vellumet
