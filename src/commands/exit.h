#pragma once

#include "job/job.h"

namespace vellumet {

// The exit question; true when the program is to end now.
bool end_syori_click(Job& job);

}  // namespace vellumet
