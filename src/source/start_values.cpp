#include "source/start_values.h"

#include "base/line_ends.h"
#include "source/file_names.h"

namespace vellumet {

void init_constants(JobState& state) {
  state.frame_scale = 10.0f;
  state.tab_char = std::string(1, kTab);
  state.cr_char = std::string(1, kCr);
  state.lf_char = std::string(1, kLf);
  state.quote_char = "\"";
  state.first_file[0].clear();
  for (int k = 1; k <= 4; ++k) state.first_file[static_cast<std::size_t>(k)] = first_file_name(k);
}

}  // namespace vellumet
