#pragma once

#include "base/file_result.h"
#include "cli/console.h"
#include "job/job.h"

namespace vellumet::cli {

// Prints on standard output what Create HTML would do in the job's source
// folder with the current options: the renames, the files written and the
// leftovers it would offer to delete (and whether `clean` deletes them). Built
// from the plans the command itself follows; changes no file. A failure
// (step List), after the command's own report, when the folder cannot be read.
FileResult print_plan(Job& job, Console& console, bool clean);

}  // namespace vellumet::cli
