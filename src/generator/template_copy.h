#pragma once

#include <cstddef>
#include <string>

#include "base/codec.h"
#include "base/file_result.h"
#include "generator/marker_table.h"

namespace vellumet {

inline constexpr std::size_t kTemplateChunk = 64 * 1024;
// The longest template line copied, without its line end; a longer line
// fails the copy (msg::kLineTooLong) so that no line is held beyond this.
inline constexpr std::size_t kMaxTemplateLine = 4 << 20;

// Copies the template `from` into the page `to`, line by line: a line ends at
// CR or CR LF (a lone LF stays inside its line), every line is written with
// CR LF, and on every line that holds a marker of `table` the rules run in
// table order on the line decoded from `codec`'s code page, which is encoded
// again when written; bytes the code page cannot decode pass through
// unchanged. The template (a regular file only) is opened first and read
// `chunk` bytes at a time, one line held at once; the page replaces `to`
// only when it is complete. A failure names the template (step Read) or the
// page (step Write).
FileResult copy_template(const std::string& from, const std::string& to, const MarkerTable& table,
                         const Codec& codec, std::size_t chunk = kTemplateChunk);

}  // namespace vellumet
