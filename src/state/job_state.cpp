#include "state/job_state.h"

namespace vellumet {

void init_constants(JobState& state) {
  state.frame_scale = 10.0f;
  state.tab_char = "\t";
  state.cr_char = "\r";
  state.lf_char = "\n";
  state.quote_char = "\"";
  state.first_file = {"", "img001.gif", "img001.jpg", "sld001.gif", "sld001.jpg"};
}

}  // namespace vellumet
