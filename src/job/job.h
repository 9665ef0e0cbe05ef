#pragma once

#include <string>

#include "job/dialogs.h"
#include "job/job_state.h"
#include "job/window_values.h"

namespace vellumet {

// Everything a command works on: the job state, the main window's values, the
// dialog seam, the program folder (Template/, buttons/ and the icon lists; see
// base/program_folder.h), and the code page of text files ("" = the current
// locale's).
struct Job {
  Job(WindowValues& w, Dialogs& d, std::string program, std::string text_codeset = "")
      : window(w),
        dialogs(d),
        program_folder(std::move(program)),
        codeset(std::move(text_codeset)) {}

  JobState state;
  WindowValues& window;
  Dialogs& dialogs;
  std::string program_folder;
  std::string codeset;
};

}  // namespace vellumet
