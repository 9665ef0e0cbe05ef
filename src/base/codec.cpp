#include "base/codec.h"

#include <langinfo.h>

#include <cerrno>
#include <cstring>

#include "base/ascii.h"

namespace vellumet {

namespace {

bool is_utf8_name(const std::string& name) {
  std::string n;
  for (char c : name) {
    if (c != '-' && c != '_') n += ascii_lower(c);
  }
  return n == "utf8" || n.empty() || n == "ansix3.41968" || n == "ascii" || n == "usascii";
}

constexpr char32_t escape(unsigned char b) {
  return kEscapeBase + b;
}

// Length of the UTF-8 sequence starting at s[i], 0 when it is not valid.
std::size_t utf8_sequence(std::string_view s, std::size_t i, char32_t& out) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  std::size_t len;
  char32_t cp;
  char32_t min;
  if (c < 0x80) {
    out = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    len = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  out = cp;
  return len;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::u32string utf8_decode(std::string_view bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    std::size_t n = utf8_sequence(bytes, i, c);
    if (n == 0) {
      out += escape(static_cast<unsigned char>(bytes[i]));
      ++i;
    } else {
      out += c;
      i += n;
    }
  }
  return out;
}

std::string utf8_encode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (is_escaped_byte(c)) {
      out += static_cast<char>(c - kEscapeBase);
    } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += '?';
    } else {
      append_utf8(out, c);
    }
  }
  return out;
}

std::string Codec::locale_codeset() {
  const char* cs = nl_langinfo(CODESET);
  std::string name = cs ? cs : "";
  return is_utf8_name(name) ? "UTF-8" : name;
}

Codec::Codec(std::string codeset) : codeset_(codeset.empty() ? locale_codeset() : codeset) {
  utf8_ = is_utf8_name(codeset_);
  if (utf8_) return;
  to_utf32_ = iconv_open("UTF-32LE", codeset_.c_str());
  from_utf32_ = iconv_open(codeset_.c_str(), "UTF-32LE");
  if (to_utf32_ == reinterpret_cast<iconv_t>(-1) || from_utf32_ == reinterpret_cast<iconv_t>(-1)) {
    // An unknown code set is read as UTF-8 rather than failing every file.
    utf8_ = true;
  }
}

Codec::~Codec() {
  if (to_utf32_ != reinterpret_cast<iconv_t>(-1)) iconv_close(to_utf32_);
  if (from_utf32_ != reinterpret_cast<iconv_t>(-1)) iconv_close(from_utf32_);
}

std::u32string Codec::decode(std::string_view bytes) const {
  if (utf8_) return utf8_decode(bytes);
  std::u32string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) i += decode_one(bytes, i, out);
  return out;
}

std::size_t Codec::decode_one(std::string_view bytes, std::size_t i, std::u32string& out) const {
  // ASCII bytes never start or continue a multi-byte character outside one.
  auto c = static_cast<unsigned char>(bytes[i]);
  if (c < 0x80) {
    out += c;
    return 1;
  }
  if (utf8_) {
    char32_t cp;
    std::size_t n = utf8_sequence(bytes, i, cp);
    out += n == 0 ? escape(c) : cp;
    return n == 0 ? 1 : n;
  }
  iconv(to_utf32_, nullptr, nullptr, nullptr, nullptr);
  // Convert one character: try growing input lengths up to 4 bytes.
  for (std::size_t len = 1; len <= 4 && i + len <= bytes.size(); ++len) {
    char in_buf[4];
    std::memcpy(in_buf, bytes.data() + i, len);
    char out_buf[16];
    char* in_p = in_buf;
    std::size_t in_left = len;
    char* out_p = out_buf;
    std::size_t out_left = sizeof out_buf;
    std::size_t r = iconv(to_utf32_, &in_p, &in_left, &out_p, &out_left);
    if (r == static_cast<std::size_t>(-1) && errno == EINVAL) {
      iconv(to_utf32_, nullptr, nullptr, nullptr, nullptr);
      continue;  // incomplete: take one more byte
    }
    if (r == static_cast<std::size_t>(-1) || in_left != 0 || out_p == out_buf) break;
    std::u32string chars;
    for (char* p = out_buf; p + 4 <= out_p; p += 4) {
      auto u = [&](int k) { return static_cast<char32_t>(static_cast<unsigned char>(p[k])); };
      chars += u(0) | (u(1) << 8) | (u(2) << 16) | (u(3) << 24);
    }
    // Some code pages map two byte sequences to one character (CP932's NEC
    // and IBM extensions); such a character would be written back as the
    // other sequence. Keep its bytes as they are instead, all of them, so
    // no marker can match inside it.
    if (encode(chars) != bytes.substr(i, len)) {
      for (std::size_t k = 0; k < len; ++k) out += escape(static_cast<unsigned char>(bytes[i + k]));
    } else {
      out += chars;
    }
    return len;
  }
  out += escape(c);
  return 1;
}

std::string Codec::encode(std::u32string_view text) const {
  if (utf8_) return utf8_encode(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (is_escaped_byte(c)) {
      out += static_cast<char>(c - kEscapeBase);
      continue;
    }
    iconv(from_utf32_, nullptr, nullptr, nullptr, nullptr);
    char in_buf[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                      static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
    char out_buf[16];
    char* in_p = in_buf;
    std::size_t in_left = 4;
    char* out_p = out_buf;
    std::size_t out_left = sizeof out_buf;
    std::size_t r = iconv(from_utf32_, &in_p, &in_left, &out_p, &out_left);
    if (r == static_cast<std::size_t>(-1) || in_left != 0) {
      out += '?';
    } else {
      char* end = out_p;
      out_p = end;
      out_left = sizeof out_buf - static_cast<std::size_t>(end - out_buf);
      iconv(from_utf32_, nullptr, nullptr, &out_p, &out_left);  // shift back, if any
      out.append(out_buf, static_cast<std::size_t>(out_p - out_buf));
    }
  }
  return out;
}

}  // namespace vellumet
