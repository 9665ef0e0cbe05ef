#pragma once

#include <string>

#include "job/job.h"

namespace vellumet {

// A folder handed to the program from outside its folder list (the command
// line, a drop onto the window): its real path when it is a folder whose
// entries can be read; otherwise "" after an information box naming `path`.
std::string given_folder(Job& job, const std::string& path);

}  // namespace vellumet
