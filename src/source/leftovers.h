#pragma once

#include <string>
#include <string_view>

#include "job/job.h"
#include "source/listing.h"

namespace vellumet {

// The leftover rule for one name. `page` is the entry page name (Text3),
// `download` the name of the chosen download file when it lies in src_dir
// ("" otherwise).
bool is_leftover(std::string_view name, std::string_view page, std::string_view download);

// The file the download option offers while it is on: Text5 as a path, a
// relative one counted from src_dir; "" when the option is off or Text5 is
// empty.
std::string download_path(const Job& job);

// The download file's name when the download option is on and Text5 names a
// file inside src_dir; "" otherwise.
std::string protected_download_name(const Job& job);

// Rebuilds gomi_files, gomi_count and Text4 from src_dir: the names
// is_leftover gives, except, in a folder without an export's first slide
// image, the images of numbered series (source/numbered_series.h), before
// and after their renaming. With src_dir empty nothing is listed. A failure
// (step List) when src_dir could not be read; the list then holds what was
// read before. The second form uses a listing of src_dir already read.
FileResult search_gomi(Job& job);
void search_gomi(Job& job, const Listing& listing);

// A value the rule reads (Text3, Text5, the download option) has changed:
// once a source folder is chosen the list is rebuilt, so it never names a
// file the clean-up would keep. Before that Text4 stays as it is.
void refresh_gomi(Job& job);

}  // namespace vellumet
