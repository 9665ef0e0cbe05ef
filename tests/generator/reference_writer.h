#pragma once

// The template copy written as plainly as it can be, apart from the copier's
// own code: the whole template in memory, split into lines, every line
// decoded to characters, the rules run on the characters with the string's
// own search, the line encoded again and written with CR LF. The copier must
// give exactly these bytes (tests/generator and fuzz/ compare the two).

#include <string>
#include <string_view>

#include "base/codec.h"
#include "base/line_ends.h"
#include "base/text_file.h"
#include "generator/marker_table.h"

namespace vellumet::testing {

inline std::string reference_copy(std::string_view bytes, const MarkerTable& table,
                                  const Codec& codec) {
  std::string page;
  for (std::string_view raw : split_lines(bytes)) {
    std::u32string line = codec.decode(raw);
    for (const Marker& m : table) {
      const std::u32string marker(m.text.begin(), m.text.end());
      if (m.rule.kind == MarkerRule::Kind::WholeLine) {
        const std::size_t text = line.find_first_not_of(U' ');
        if (text != std::u32string::npos && line.compare(text, marker.size(), marker) == 0)
          line = m.rule.value;
        continue;
      }
      const std::size_t at = line.find(marker);
      if (at == std::u32string::npos) continue;
      if (m.rule.kind == MarkerRule::Kind::ListBefore) {
        for (long j = 1;; ++j) {
          std::u32string extra;
          if (!m.rule.list(j, extra)) break;
          page += codec.encode(extra) + kCrLf;
        }
      } else if (m.rule.kind == MarkerRule::Kind::Optional && !m.rule.on) {
        line.clear();
      } else {
        line.replace(at, marker.size(), m.rule.value);
      }
    }
    page += codec.encode(line) + kCrLf;
  }
  return page;
}

}  // namespace vellumet::testing
