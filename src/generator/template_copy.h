#pragma once

#include <cstddef>
#include <string>

#include "base/codec.h"
#include "generator/marker_table.h"

namespace vellumet {

// How a template copy ended: the file that failed (the template or the page)
// and the system's error text.
struct CopyResult {
  bool ok = true;
  bool template_failed = false;
  std::string reason;
};

inline constexpr std::size_t kTemplateChunk = 128 * 1024;

// Copies the template `from` into the page `to`, line by line: a line ends at
// CR or CR LF (a lone LF stays inside its line), every line is written with
// CR LF, and on every line that holds a marker of `table` the rules run in
// table order. Lines are decoded from and encoded to `codec`'s code page;
// bytes it cannot decode pass through unchanged. The template (a regular file
// only) is opened first; the page replaces `to` only when it is complete.
// The template is read `chunk` bytes at a time and never held whole, so the
// memory used does not grow with the template or its longest line.
CopyResult copy_template(const std::string& from, const std::string& to, const MarkerTable& table,
                         const Codec& codec, std::size_t chunk = kTemplateChunk);

}  // namespace vellumet
