#include "job/button_check.h"

namespace vellumet {

void command_button_check(Job& job) {
  job.window.set_visible(Control::Command5, job.state.gomi_count != 0);
  job.window.set_visible(Control::Command2, job.state.src_dir != "");
}

}  // namespace vellumet
