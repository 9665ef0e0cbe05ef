#pragma once

#include <string>

namespace vellumet::testing {

// The Create-HTML confirmation text, spelled out here independently of the
// program's own pieces: source folder `src_dir` (with its final "/"), entry
// page `page`, and the player and download lines when asked.
std::string confirmation_text(const std::string& src_dir, const std::string& page,
                              bool player = false, bool download = false);

}  // namespace vellumet::testing
