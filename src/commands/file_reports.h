#pragma once

#include <string>

#include "base/file_result.h"
#include "job/job.h"

namespace vellumet {

// The text of the box that reports a folder that could not be listed
// (`listed`, step List): the folder, then the system's reason.
std::string list_failed_text(const Job& job, const FileResult& listed);

}  // namespace vellumet
