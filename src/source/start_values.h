#pragma once

#include "job/job_state.h"

namespace vellumet {

// The start-up values of the job state: frame scale, the character
// constants, and the four first-file names of the slide-image name rule.
void init_constants(JobState& state);

}  // namespace vellumet
