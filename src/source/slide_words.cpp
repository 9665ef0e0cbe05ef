#include "source/slide_words.h"

#include "base/codec.h"

namespace vellumet {

namespace {

bool is_blank(char32_t c) {
  return c == U' ' || c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A);
}

}  // namespace

std::u32string shown_text(std::string_view utf8) {
  std::u32string out;
  const std::u32string text = utf8_decode(utf8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U'\r' || c == 0x2028 || c == 0x2029) {
      out += U'\n';
      if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
    } else if (c == U'\t') {
      out += U' ';
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) {
      out += 0xFFFD;  // bytes that were no UTF-8 decode into the surrogates
    } else if (c == U'\n' || (c >= 0x20 && c < 0x7F) || c > 0x9F) {
      out += c;
    }
  }
  return out;
}

std::u32string slide_title(std::u32string_view text) {
  std::u32string title;
  for (std::size_t at = 0; at < text.size() && title.empty();) {
    std::size_t end = text.find(U'\n', at);
    if (end == std::u32string_view::npos) end = text.size();
    bool blank = false;
    for (char32_t c : text.substr(at, end - at)) {
      if (is_blank(c)) {
        blank = !title.empty();
      } else {
        if (blank) title += U' ';
        blank = false;
        title += c;
      }
    }
    at = end + 1;
  }
  if (title.size() > kTitleLength) {
    title.resize(kTitleLength - 1);
    while (!title.empty() && title.back() == U' ') title.pop_back();
    title += 0x2026;
  }
  return title;
}

}  // namespace vellumet
