#pragma once

#include "job/job.h"

namespace vellumet {

// Shows Command5 while leftovers are listed, Command2 once a source is chosen.
void command_button_check(Job& job);

}  // namespace vellumet
