#pragma once

#include <string>
#include <string_view>

#include "base/text_file.h"

namespace vellumet::deck {

// Writes `bytes` as the new file `path` (never replacing one); a failure
// removes what was written.
FileResult write_new_file(const std::string& path, std::string_view bytes);

// Copies the regular file `from` to the new file `to`, a block at a time; a
// failure removes the copy. A FIFO or device at `from` is refused unread.
FileResult copy_file(const std::string& from, const std::string& to);

// Makes a new folder "<parent>/<prefix>XXXXXX" only this process uses; ""
// when it cannot (the reason in `error`).
std::string make_private_folder(const std::string& parent, std::string_view prefix,
                                FileResult& error);

// Removes `path` and, for a folder, everything below it; symbolic links are
// removed, never followed. Best effort: what cannot go stays.
void remove_tree(const std::string& path);

// The folder part of `path` ("." for a bare name) and its last part.
std::string folder_of(const std::string& path);
std::string name_of(const std::string& path);

}  // namespace vellumet::deck
