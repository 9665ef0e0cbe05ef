#pragma once

#include <string_view>

#include "base/file_result.h"

#include "job/job.h"

namespace vellumet {

// The clean-up command: a fresh scan (a folder that cannot be read is
// reported), the question when leftovers exist, the button check.
void gomi_click(Job& job);

// Asks (prefix + question) whether to delete the listed leftovers; on Yes
// deletes them all, reports what could not be deleted, and rescans. A
// failure, after its box, when a file could not be deleted or the folder
// could not be read again.
FileResult delete_gomi(Job& job, std::string_view prefix);

// The leftover scan of `title`'s command: a box when src_dir could not be
// read, and the failure.
FileResult scan_gomi(Job& job, const char* title);

}  // namespace vellumet
