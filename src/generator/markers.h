#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumet {

// 1-based position of the first occurrence of `marker` in `text`, 0 when there
// is none. Exact, case-sensitive; an empty marker is found at 1.
std::size_t find_str(std::u32string_view text, std::u32string_view marker);

// Replaces the first occurrence of `marker` in `line` by `value`; no change
// when absent. Returns whether a replacement was made.
bool replace_first(std::u32string& line, std::u32string_view marker, std::u32string_view value);

// True when `line`, after its leading blanks (not tabs), begins with `marker`.
bool starts_with_marker(std::u32string_view line, std::u32string_view marker);

// ASCII literal to characters, for markers.
std::u32string ascii(std::string_view text);

}  // namespace vellumet
