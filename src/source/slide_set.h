#pragma once

#include <optional>
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

// A slide set that detection found in a folder.
struct SlideSet {
  std::string folder;       // as the folder list gives it
  std::string first_image;  // the first slide image's name, as listed
  std::string extension;    // the slide images' extension, lower case: "gif" or "jpg"
  int img_type = 0;         // 1..4: which of the first_file names marks the set
  int count = 0;            // the slide images counted
};

// Runs slide detection for `folder` (as the folder list gives it: no final "/"
// except at the root), whose normal files are `files` (read once, by the
// caller or here); accepts it as the source with dir_set and returns the set
// found, or clears the slide data with dir_clear and returns none.
std::optional<SlideSet> preview_pic(Job& job, const std::string& folder, const Listing& files);
std::optional<SlideSet> preview_pic(Job& job, const std::string& folder);
void dir_set(Job& job, const std::string& folder, const std::string& name, const Listing& listing);
void dir_clear(Job& job);

}  // namespace vellumet
