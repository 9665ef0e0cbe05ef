#pragma once

// The template copy written as plainly as it can be: the whole template in
// memory, split into lines, each line decoded to characters, the rules run
// on the characters with find_str, replace_first and starts_with_marker, the
// line encoded again and written with CR LF. The streaming copy must give
// exactly these bytes (tests/generator and fuzz/ compare the two).

#include <string>
#include <string_view>

#include "base/codec.h"
#include "base/line_ends.h"
#include "base/text_file.h"
#include "generator/marker_table.h"
#include "generator/markers.h"

namespace vellumet::testing {

inline std::string reference_copy(std::string_view bytes, const MarkerTable& table,
                                  const Codec& codec) {
  std::string page;
  for (std::string_view raw : split_lines(bytes)) {
    std::u32string line = codec.decode(raw);
    for (const Marker& m : table) {
      const std::u32string marker = ascii(m.text);
      const MarkerRule& rule = m.rule;
      switch (rule.kind) {
        case MarkerRule::Kind::Replace:
          replace_first(line, marker, rule.value);
          break;
        case MarkerRule::Kind::WholeLine:
          if (starts_with_marker(line, marker)) line = rule.value;
          break;
        case MarkerRule::Kind::Optional:
          if (find_str(line, marker) == 0) break;
          if (rule.on) {
            replace_first(line, marker, rule.value);
          } else {
            line.clear();
          }
          break;
        case MarkerRule::Kind::ListBefore:
          if (find_str(line, marker) == 0) break;
          for (long j = 1;; ++j) {
            std::u32string extra;
            if (!rule.list(j, extra)) break;
            page += codec.encode(extra) + kCrLf;
          }
          break;
      }
    }
    page += codec.encode(line) + kCrLf;
  }
  return page;
}

}  // namespace vellumet::testing
