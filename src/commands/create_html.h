#pragma once

#include "base/file_result.h"
#include "commands/command_result.h"
#include "job/job.h"

namespace vellumet {

// Why Create HTML cannot do the job as it stands, found before anything is
// asked or changed: a failure (step Check) naming the file concerned ("" for
// none), whose reason is the text of the box the command then shows; success
// when it can go on. The dry run answers from the same checks.
FileResult check_job(const Job& job);

// The Create-HTML command: checks, confirmation, renaming, presence checks,
// the page writers, the clean-up offer and the completion box. Done once the
// completion box has been shown; Stopped when a question was answered No;
// Failed, after a box saying why, when a check refused the job or a file
// could not be listed, renamed, read, written or deleted.
CommandResult slide_html_click(Job& job);

}  // namespace vellumet
