#pragma once

#include <string>

namespace vellumet {

// The folder of the running executable, symbolic links resolved. No final
// "/"; "." when it cannot be told.
std::string executable_folder();

// Where a program in `binary_folder` finds its data (Template/, buttons/, the
// icon lists): `binary_folder` itself when it holds Template/ (the build tree,
// or a copy laid out by hand), else the installed data folder that the
// installation puts relative to the program (<prefix>/share/vellumet beside
// <prefix>/bin) when that holds Template/, else `binary_folder`. No final "/".
std::string data_folder_for(const std::string& binary_folder);

// The program folder: data_folder_for(executable_folder()).
std::string program_folder();

}  // namespace vellumet
