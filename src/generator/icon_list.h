#pragma once

#include <string>

#include "job/job.h"

namespace vellumet {

inline constexpr const char* kCustomIconList = "Vellumet.ini";
inline constexpr const char* kStandardIconList = "VellumetDefault.ini";

// Reads the icon list the menu marks select into button_img(1..8) and
// frame_style. A missing or short list, or a ninth line that is not a whole
// number 0 to 3, is reported in an information box; what was not read is left
// empty and frame_style becomes 0.
void read_button_ini(Job& job);

}  // namespace vellumet
