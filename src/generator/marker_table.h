#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vellumet {

// Line j (counting from 1) of a list written before a line: fills `line` and
// returns true, or returns false when the list has ended.
using ListLine = std::function<bool(long j, std::u32string& line)>;

// What a marker does to a line that holds it. A rule acts only on a line that
// holds its marker, compared character by character in the template's code
// page, so a marker never matches inside a multi-byte character.
struct MarkerRule {
  enum class Kind {
    Replace,     // the first occurrence becomes `value`
    WholeLine,   // a line that begins with the marker after its leading blanks becomes `value`
    Optional,    // `on`: as Replace; off: the line becomes empty
    ListBefore,  // the lines of `list` are written before the line
  };
  Kind kind = Kind::Replace;
  std::u32string value;
  bool on = true;
  ListLine list;
};

// One marker of a template and its rule. On every line each rule runs in
// table order and looks for its own marker in the line as it stands by then:
// a value an earlier rule put in may hold a later marker.
struct Marker {
  std::string text;  // ASCII, not empty, no CR or LF
  MarkerRule rule;
};
using MarkerTable = std::vector<Marker>;

MarkerRule replaced_by(std::u32string value);
MarkerRule whole_line(std::u32string value);
MarkerRule optional_line(bool on, std::u32string value);
MarkerRule list_before(ListLine list);

}  // namespace vellumet
