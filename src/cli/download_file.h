#pragma once

#include <string>

#include "base/file_result.h"

namespace vellumet::cli {

// The file --download names, taken as every path argument is, from the
// working folder: its folder resolved through links and "..", its own name
// kept (a link in the show folder stays the file offered). "" when it is no
// normal file, with why in `why` (step Check).
std::string download_file(const std::string& arg, FileResult& why);

// `file` (as download_file gives it) as the pages of `folder` (a resolved
// folder) link to it: its path from there; "" when it lies outside.
std::string path_from(const std::string& folder, const std::string& file);

}  // namespace vellumet::cli
