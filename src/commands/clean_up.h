#pragma once

#include <string>
#include <string_view>

#include "job/job.h"

namespace vellumet {

// The clean-up command: a fresh scan, the question when leftovers exist, the
// button check.
void gomi_click(Job& job);

// Asks (prefix + question) whether to delete the listed leftovers; on Yes
// deletes them all, reports what could not be deleted, and rescans. Returns
// the question asked.
std::string delete_gomi(Job& job, std::string_view prefix);

}  // namespace vellumet
