#pragma once

#include "job/job.h"

namespace vellumet {

// Copies every normal file of the program folder's buttons/ into src_dir/buttons/,
// creating that folder and replacing files of the same name. A step that fails
// is skipped silently.
void make_button_files(Job& job);

}  // namespace vellumet
