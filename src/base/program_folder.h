#pragma once

#include <string>

namespace vellumet {

// The program folder: the folder of the running executable, symbolic links
// resolved, so the data laid beside the real binary (Template/, buttons/, the
// icon lists) is found. No final "/"; "." when it cannot be told.
std::string program_folder();

}  // namespace vellumet
