#pragma once

#include "job/job.h"

namespace vellumet {

// Copies every normal file of the program folder's buttons/ into src_dir/buttons/,
// creating that folder and replacing files of the same name. A symbolic link
// named buttons in src_dir is removed and a real folder made in its place, so
// nothing is written outside src_dir. A step that fails is skipped silently.
void make_button_files(Job& job);

}  // namespace vellumet
