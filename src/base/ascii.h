#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vellumet {

// ASCII case folding: 'A'..'Z' become 'a'..'z'; every other byte, including
// those of multi-byte characters, stays as it is.
constexpr char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
std::string ascii_lower(std::string_view text);

// True when `text` folded equals `lower`, which is lower case already.
constexpr bool equals_folded(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (ascii_lower(text[i]) != lower[i]) return false;
  }
  return true;
}

// `text` begins or ends with `lower` (lower case already) once folded.
constexpr bool starts_with_folded(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() && equals_folded(text.substr(0, lower.size()), lower);
}
constexpr bool ends_with_folded(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() &&
         equals_folded(text.substr(text.size() - lower.size()), lower);
}

// True when no byte of `text` has its high bit set. Sixteen bytes at a time.
inline bool is_ascii(std::string_view text) {
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  const char* p = text.data();
  const char* end = p + text.size();
  std::uint64_t seen = 0;
  for (; end - p >= 16; p += 16) {
    std::uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    if (((a | b) & kHigh) != 0) return false;
  }
  for (; p < end; ++p) seen |= static_cast<unsigned char>(*p);
  return (seen & 0x80) == 0;
}

// The folded bytes [from, from + 8) of `text` as one big-endian word, zero
// padded past the end: words compare as the folded bytes do.
inline std::uint64_t folded_word(std::string_view text, std::size_t from) {
  std::uint64_t w = 0;
  if (from < text.size())
    std::memcpy(&w, text.data() + from, std::min<std::size_t>(8, text.size() - from));
  // All eight bytes at once: ASCII 'A'..'Z' get 0x20 added, other bytes stay.
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  const std::uint64_t low7 = w & ~kHigh;
  const std::uint64_t above_z = low7 + (0x7F - 'Z') * kOnes;
  const std::uint64_t from_a = low7 + (0x80 - 'A') * kOnes;
  const std::uint64_t upper = (from_a ^ above_z) & ~w & kHigh;
  w |= upper >> 2;
  return __builtin_bswap64(w);  // first byte most significant
}

}  // namespace vellumet
