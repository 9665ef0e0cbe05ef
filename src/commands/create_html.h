#pragma once

#include "commands/command_result.h"
#include "job/job.h"

namespace vellumet {

// The Create-HTML command: checks, confirmation, renaming, presence checks,
// the page writers, the clean-up offer and the completion box. Done once the
// completion box has been shown; Stopped when a question was answered No;
// Failed, after a box saying why, when a check refused the job or a file
// could not be listed, renamed, read or written.
CommandResult slide_html_click(Job& job);

}  // namespace vellumet
