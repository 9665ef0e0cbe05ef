#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "job/dialogs.h"
#include "source/listing.h"

namespace vellumet {

// Numbered image exports: slide images named alike but for a number
// ("Slide1.PNG", "Harbour.001.png", "page-01.png", "img0.png").

// A name "<base><number>.<extension>": the number is 1 to 9 ASCII digits
// (padded or not), the extension one of gif, jpg, jpeg, png, webp in any
// case. The base may be empty ("1.png").
struct NumberedName {
  std::string_view base;
  long number = 0;
  std::string_view extension;  // as written, without the dot
};
bool parse_numbered_name(std::string_view name, NumberedName& parsed);

// The extension a slide of image extension `extension` gets when renamed:
// lower case, "jpeg" written "jpg".
std::string slide_extension(std::string_view extension);

// Numbered images whose bases are equal, letters compared without case.
struct Series {
  std::vector<std::string> images;      // in number order; equal numbers in listing order
  std::vector<long> numbers;            // each image's number
  std::vector<std::string> extensions;  // each image's slide_extension
};

// The series of a listing: each set of numbered images sharing a base whose
// lowest number is 0 or 1 and that holds two images or more, or one named
// "img001." or "sld001." + its extension (letter case aside). Other
// numbered images belong to no series. In the order of their bases.
std::vector<Series> find_series(const Listing& listing);

// What keeps `series`, the series of one folder, from being its slides: one
// line each for more than one series, or for the one series mixed image
// types, numbers held twice and missing numbers. Empty when there is exactly
// one series and it is sound: one type, numbers counting up one at a time.
// Names in the lines are as `dialogs` shows them.
std::vector<std::string> series_faults(const std::vector<Series>& series, const Dialogs& dialogs);

}  // namespace vellumet
