#pragma once

#include <string>
#include <string_view>

#include "base/codec.h"

namespace vellumet {

// The pages are written in the text code page while the templates declare
// UTF-8. Under UTF-8 inserted values go in as they are; under any other code
// page they go in as ASCII, which reads the same whatever a page declares.

// Text: under another code page every character beyond ASCII becomes a
// numeric character reference (a byte the code page could not read, U+FFFD).
std::u32string page_text(const Codec& codec, std::u32string text);

// A reference to a file, given as the bytes of its name in the code page:
// every character beyond ASCII as its bytes, percent-encoded (under UTF-8 as
// it is). A browser asks for exactly those bytes over http and opens them
// over file://, so the reference finds the file under the name it has on
// disk. With `as_path`, the reference is a file's path and nothing else:
// every ASCII byte that would mean something else in a URL (%, #, ?, \,
// blanks and controls, a ':' before the first '/') and every byte that is no
// character are percent-encoded too.
std::u32string page_reference(const Codec& codec, std::string_view bytes, bool as_path = false);

// Text that can end neither an element's text nor a quoted attribute: & < > "
// as character references, a line end as "&#10;".
std::u32string html_escaped(const std::u32string& text);

// A script string literal, quotes included, that holds `text` and nothing
// can end early: no quote, backslash, line end or "<" (so no "</script>")
// stands as itself; beyond ASCII as \uXXXX unless the page is UTF-8.
std::u32string script_string(const Codec& codec, std::u32string_view text);

}  // namespace vellumet
