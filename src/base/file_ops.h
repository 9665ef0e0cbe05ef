#pragma once

#include <string>

#include "base/file_result.h"

namespace vellumet {

// True when `path` is a normal file: a regular file or a link to one.
bool is_normal_file(const std::string& path);
// True when `path` names a folder or a link to one.
bool is_directory(const std::string& path);
// True when anything at all has the name `path`, a broken link included.
bool path_exists(const std::string& path);
// True when `path` itself is a symbolic link, wherever it leads.
bool is_symlink(const std::string& path);

// Renames without ever replacing another file: when `to` is taken the
// failure's error is EEXIST. A rename that changes only the letter case of the
// same file works on case-insensitive volumes too. Failures name `from`.
FileResult rename_no_replace(const std::string& from, const std::string& to);

// Deletes the file `path`.
FileResult delete_file(const std::string& path);

// The system's text for an errno value, as UTF-8.
std::string error_text(int err);

}  // namespace vellumet
