#pragma once

#include <string>
#include <vector>

namespace vellumet::ui {

// One mounted volume as the drive list shows it.
struct Volume {
  std::string root;   // mount path, bytes, no final "/" except for "/"
  std::string label;  // what the list shows (UTF-8)
};

// The machine's mounted volumes holding real folders: "/" first, then the
// others by mount path. Pseudo file systems and mounted single files are left out.
std::vector<Volume> mounted_volumes();

// Index of the volume holding `path` (the longest mount path that contains it),
// -1 when none does.
int volume_of(const std::vector<Volume>& volumes, const std::string& path);

}  // namespace vellumet::ui
