#pragma once

#include "job/job.h"

namespace vellumet {

// The notice of planned features.
void mott_option_click(Job& job);

}  // namespace vellumet
