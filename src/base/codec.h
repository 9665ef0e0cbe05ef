#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace vellumet {

// A byte that is not valid in the code page decodes to kEscapeBase + byte and
// encodes back to that same byte, so undecodable input passes through intact.
inline constexpr char32_t kEscapeBase = 0xDC00;
inline constexpr bool is_escaped_byte(char32_t c) {
  // Bytes below 0x80 are escaped only as part of a multi-byte sequence kept
  // whole (one the code page cannot give back as it was).
  return c >= kEscapeBase && c <= kEscapeBase + 0xFF;
}

// Text conversion between one code page and characters. The code page is an
// iconv name; "" means the current locale's (nl_langinfo(CODESET)), and the
// plain ASCII of the C locale is taken as UTF-8.
class Codec {
 public:
  explicit Codec(std::string codeset = "");
  ~Codec();
  Codec(const Codec&) = delete;
  Codec& operator=(const Codec&) = delete;

  const std::string& codeset() const { return codeset_; }
  // Whether text is read and written as UTF-8 (an unknown code set included).
  bool is_utf8() const { return utf8_; }
  std::u32string decode(std::string_view bytes) const;
  // Decodes the one character (or escaped byte) that starts at bytes[i], as
  // decode does, appending it to `out`; returns how many bytes it took. Only
  // up to four bytes from i are looked at.
  std::size_t decode_one(std::string_view bytes, std::size_t i, std::u32string& out) const;
  // Characters the code page cannot represent come out as "?".
  std::string encode(std::u32string_view text) const;

  // The current locale's code set as Codec understands it.
  static std::string locale_codeset();

 private:
  std::string codeset_;
  bool utf8_ = false;
  mutable iconv_t to_utf32_ = reinterpret_cast<iconv_t>(-1);
  mutable iconv_t from_utf32_ = reinterpret_cast<iconv_t>(-1);
};

// UTF-8 with the same escape rule for invalid bytes.
std::u32string utf8_decode(std::string_view bytes);
std::string utf8_encode(std::u32string_view text);

}  // namespace vellumet
