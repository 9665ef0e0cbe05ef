#pragma once

#include "job/job.h"

namespace vellumet {

// Start-up of the main window, minus centring: button check, the standard icon
// list, frame scale, character constants, first-file names, Text1 and Text2.
void form_load(Job& job);

}  // namespace vellumet
