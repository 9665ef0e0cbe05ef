#pragma once

#include <optional>
#include <string>
#include <vector>

#include "job/job.h"
#include "source/listing.h"

namespace vellumet {

// Index 1..4 into first_file of the first listed name that is a first slide
// image (compared after lower-casing), 0 when the listing holds none.
int find_first_file(const JobState& state, const Listing& listing, std::string* found = nullptr);

// Number of names matching "*.ext" whose first three letters are img or sld,
// capped at 32767.
int count_slides(const Listing& listing, std::string_view ext);

// How a folder's slides are named: as an export names them (one of the
// first_file names), or as a numbered series (source/numbered_series.h).
enum class SetKind { Export, Numbered };

// A slide set that detection found in a folder.
struct SlideSet {
  std::string folder;       // as the folder list gives it
  std::string first_image;  // the first slide image's name, as listed
  std::string extension;    // the slides' extension, lower case: "gif", "jpg", "png" or "webp"
  int img_type = 0;         // see JobState::img_type
  int count = 0;            // the slide images counted, at most 32767
  SetKind kind = SetKind::Export;
  std::vector<std::string> images;  // Numbered: every image of the series, in number order
};

// What a folder's listing holds as slides. An export's first slide image
// decides as it always has; only without one is a numbered series looked for.
struct FoundSlides {
  std::optional<SlideSet> set;
  // Numbered images that cannot be the slides: the text saying what was
  // found; "" otherwise.
  std::string refusal;
};
FoundSlides find_slides(const Job& job, const std::string& folder, const Listing& listing);

// Runs slide detection for `folder` (as the folder list gives it: no final "/"
// except at the root), whose normal files are `files` (read once, by the
// caller or here); accepts it as the source with dir_set and returns the set
// found, or clears the slide data with dir_clear and returns none. Numbered
// images that cannot be the slides get a box saying what was found, after
// dir_clear; `refused` then says so.
std::optional<SlideSet> preview_pic(Job& job, const std::string& folder, const Listing& files,
                                    bool* refused = nullptr);
std::optional<SlideSet> preview_pic(Job& job, const std::string& folder);
void dir_set(Job& job, const SlideSet& set, const Listing& listing);
void dir_clear(Job& job);

}  // namespace vellumet
