#pragma once

#include <string>
#include <string_view>

namespace vellumet::bench {

// Working folder of the benchmarks, on tmpfs when there is one.
const std::string& work_dir();
bool on_tmpfs();

void put_file(const std::string& path, std::string_view bytes);
void remove_tree(const std::string& path);

// The program folder (see tests/support/program_folder.h), with the source
// tree's Template/ in place of the small templates when present. Made once.
const std::string& program_folder();

// A fresh export folder `name` under work_dir() with sld001.gif .. sld<slides>.gif,
// show.ppz, the export's own pages and `leftovers` further files. Returns the
// folder path without final "/".
std::string make_export(const std::string& name, int slides, int leftovers);

}  // namespace vellumet::bench
