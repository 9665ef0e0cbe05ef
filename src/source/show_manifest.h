#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/text_file.h"

namespace vellumet {

// The hidden file in a show folder made from a deck. It marks the folder as
// made here and keeps, for the page writers, the show's title and each
// slide's text. It names files only by their names inside the show folder.
inline constexpr const char* kManifestName = ".vellumet-show";

struct Manifest {
  std::string title;               // the show's title, one line
  std::string source;              // the deck's file name, without its folder
  std::string download;            // the PDF copied into the show
  std::string image;               // the slide images' extension: img001.<image> ..
  int width = 0;                   // the width the slides were rendered at
  std::vector<std::string> texts;  // each slide's text, lines joined by LF

  long pages() const { return static_cast<long>(texts.size()); }
};

// The file's bytes: a first line "vellumet-show 1", then one "key value" line
// each for title, source, download, image, width and pages, then one "text"
// line per slide; every line ends in LF. A value has "\\" written "\\\\", LF
// "\\n" and every other byte below 0x20 "\\xHH", so it stays on its line.
std::string manifest_bytes(const Manifest& manifest);
// Reads what manifest_bytes wrote; false when the bytes are not a manifest
// (another first line, a key missing or unknown, a text count other than
// the pages line says, a bad escape).
bool parse_manifest(std::string_view bytes, Manifest& manifest);

// Reads the manifest of `folder`; false when it has none that parses.
bool read_manifest(const std::string& folder, Manifest& manifest);
// Writes the manifest into `folder`, beside its final name and then put in place.
FileResult write_manifest(const std::string& folder, const Manifest& manifest);

}  // namespace vellumet
