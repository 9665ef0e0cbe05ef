#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumet {

// A slide's text as the pages give it, from the UTF-8 the manifest holds:
// line ends as LF, tabs as blanks, other control characters left out, and
// bytes that are no UTF-8 as U+FFFD.
std::u32string shown_text(std::string_view utf8);

// The longest slide title, in characters, the ellipsis included.
inline constexpr std::size_t kTitleLength = 40;

// A slide's title: the first line of its shown text that holds more than
// blanks, its runs of blanks made one, cut to kTitleLength characters with
// an ellipsis at the end when longer. "" for a slide without text.
std::u32string slide_title(std::u32string_view text);

}  // namespace vellumet
