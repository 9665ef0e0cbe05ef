#include "generator/page_text.h"

#include <cstdio>

#include "generator/markers.h"

namespace vellumet {

namespace {

void append_percent(std::u32string& out, unsigned char byte) {
  static const char kHex[] = "0123456789ABCDEF";
  out += {U'%', static_cast<char32_t>(kHex[byte >> 4]), static_cast<char32_t>(kHex[byte & 15])};
}

void append_code(std::u32string& out, const char* format, unsigned code) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, code);
  out += ascii(buf);
}

}  // namespace

std::u32string page_text(const Codec& codec, std::u32string text) {
  if (codec.is_utf8()) return text;
  std::u32string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += c;
    } else {
      append_code(out, "&#x%X;", is_escaped_byte(c) ? 0xFFFDu : unsigned{c});
    }
  }
  return out;
}

std::u32string page_reference(const Codec& codec, std::string_view bytes, bool as_path) {
  std::u32string text = codec.decode(bytes);
  if (codec.is_utf8() && !as_path) return text;
  std::u32string out;
  bool first_segment = true;
  for (char32_t c : text) {
    if (as_path && is_escaped_byte(c)) {
      append_percent(out, static_cast<unsigned char>(c - kEscapeBase));
    } else if (c >= 0x80 && !codec.is_utf8()) {
      for (unsigned char b : codec.encode(std::u32string_view(&c, 1))) append_percent(out, b);
    } else if (as_path && (c <= U' ' || c == 0x7F || c == U'%' || c == U'#' || c == U'?' ||
                           c == U'\\' || (c == U':' && first_segment))) {
      append_percent(out, static_cast<unsigned char>(c));
    } else {
      out += c;
    }
    if (c == U'/') first_segment = false;
  }
  return out;
}

std::u32string html_escaped(const std::u32string& text) {
  std::u32string out;
  for (char32_t c : text) {
    switch (c) {
      case U'&':
        out += U"&amp;";
        break;
      case U'"':
        out += U"&quot;";
        break;
      case U'<':
        out += U"&lt;";
        break;
      case U'>':
        out += U"&gt;";
        break;
      case U'\n':
        out += U"&#10;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::u32string script_string(const Codec& codec, std::u32string_view text) {
  std::u32string out = U"\"";
  for (char32_t c : text) {
    if (c == U'"' || c == U'\\') {
      out += U'\\';
      out += c;
    } else if (c == U'\n') {
      out += U"\\n";
    } else if (c < 0x20 || c == U'<' || c == U'>' || c == 0x2028 || c == 0x2029 ||
               is_escaped_byte(c) || (c >= 0x7F && !codec.is_utf8())) {
      const unsigned code = is_escaped_byte(c) ? 0xFFFDu : unsigned{c};
      if (code > 0xFFFF) {
        append_code(out, "\\u%04X", 0xD800 + ((code - 0x10000) >> 10));
        append_code(out, "\\u%04X", 0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        append_code(out, "\\u%04X", code);
      }
    } else {
      out += c;
    }
  }
  out += U'"';
  return out;
}

}  // namespace vellumet
