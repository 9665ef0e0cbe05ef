#pragma once

#include "job/job.h"

namespace vellumet {

// The Create-HTML command: checks, confirmation, renaming, presence checks,
// the page writers, the clean-up offer and the completion box.
void slide_html_click(Job& job);

}  // namespace vellumet
