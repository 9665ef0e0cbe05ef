#pragma once

#include <string>
#include <string_view>

#include "base/ascii.h"
#include "source/listing.h"

namespace vellumet {

// The slide-image name rule. A slide image of an export is named "img" or
// "sld" + digits + "." + "gif" or "jpg", letters in any case; renaming makes
// it "img" + at least three digits + the extension of the set's image type.
// The slides of a numbered series (source/numbered_series.h) are renamed to
// the same names, with "png" and "webp" as further extensions.

inline constexpr const char* kGif = "gif";
inline constexpr const char* kJpg = "jpg";
inline constexpr const char* kPng = "png";
inline constexpr const char* kWebp = "webp";

// The slide images' extension for image type `img_type`: 1..4 index
// first_file ("gif" for 1 and 3, "jpg" for 2 and 4); 5 is "png" and 6
// "webp", which only numbered series have; every other value is "jpg".
inline const char* image_extension(int img_type) {
  switch (img_type) {
    case 1:
    case 3:
      return kGif;
    case 5:
      return kPng;
    case 6:
      return kWebp;
    default:
      return kJpg;
  }
}

// The image type whose slides are named "img001." + `ext`: 1 for "gif", 5
// for "png", 6 for "webp", 2 for any other.
int image_type(std::string_view ext);

// The first slide image of image type `k` (1..4): "img001.gif", "img001.jpg",
// "sld001.gif", "sld001.jpg".
std::string first_file_name(int k);

// The first three letters of `name`, lower-cased, are "img" or "sld".
inline bool has_slide_prefix(std::string_view name) {
  return starts_with_folded(name, "img") || starts_with_folded(name, "sld");
}

// A slide image of the set whose extension is `ext`: "*.ext" with a slide prefix.
inline bool is_slide_image(std::string_view name, std::string_view ext) {
  return matches_extension(name, ext) && has_slide_prefix(name);
}

// A name with a slide prefix that ends in "gif", "jpg", "png" or "webp", dot
// or not: what the leftover rule never deletes.
inline bool looks_like_slide_image(std::string_view name) {
  return (ends_with_folded(name, kGif) || ends_with_folded(name, kJpg) ||
          ends_with_folded(name, kPng) || ends_with_folded(name, kWebp)) &&
         has_slide_prefix(name);
}

// The name renaming gives the slide image `name`, which matches "*.ext":
// "img", then what stands between the prefix and the extension, then `ext`.
std::string normalised_slide_name(std::string_view name, std::string_view ext);

// Slide `i` of a renamed set: "img" + i as at least three digits + "." + ext.
std::string slide_image_name(long i, std::string_view ext);

// The player file's extension, and the presentation's own.
inline constexpr const char* kPlayerExtension = "ppz";
inline constexpr const char* kPresentationExtension = "ppt";

// The viewer's own files in the export folder. Its pages for show number
// `show_no`, without and with their ".htm":
inline constexpr const char* kPlayerFile = "pres0.ppz";
// The folder the custom button images are copied into.
inline constexpr const char* kButtonFolder = "buttons";
std::string navbtn_page_stem(int show_no);  // "navbtn1"
std::string slide_page_stem(int show_no);   // "sld001"
std::string navbtn_page_name(int show_no);  // "navbtn1.htm"
std::string slide_page_name(int show_no);   // "sld001.htm"

// A name the show's own files take, other than its entry page: a slide image,
// a player or presentation file, the bar page or the slide page of show 1.
// The two page names compare exactly, case included.
bool is_show_file(std::string_view name);

// A web page's name: it ends in ".htm" or ".html", letters in any case.
inline bool is_page_name(std::string_view name) {
  return ends_with_folded(name, ".htm") || ends_with_folded(name, ".html");
}

}  // namespace vellumet
