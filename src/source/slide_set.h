#pragma once

#include <string>

#include "job/job.h"
#include "source/listing.h"

namespace vellumet {

// Index 1..4 into first_file of the first listed name that is a first slide
// image (compared after lower-casing), 0 when the listing holds none.
int find_first_file(const JobState& state, const Listing& listing, std::string* found = nullptr);

// Number of names matching "*.ext" whose first three letters are img or sld,
// capped at 32767.
int count_slides(const Listing& listing, std::string_view ext);

// Runs slide detection for `folder` (as the folder list gives it: no final "/"
// except at the root), whose normal files are `files` (read once, by the
// caller or here); accepts it as the source with dir_set, or clears the slide
// data with dir_clear.
void preview_pic(Job& job, const std::string& folder, const Listing& files);
void preview_pic(Job& job, const std::string& folder);
void dir_set(Job& job, const std::string& folder, const std::string& name, const Listing& listing);
void dir_clear(Job& job);

}  // namespace vellumet
