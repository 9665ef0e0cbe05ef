#pragma once

// Random template copies for the differential test and the fuzzer: a code
// page, a marker table whose markers overlap and whose values hold other
// markers, multi-byte characters and escaped bytes, a template of such
// pieces with every kind of line end, and a read size small enough that
// lines run across the reads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/codec.h"
#include "generator/marker_table.h"

namespace vellumet::testing {

struct TemplateCase {
  std::string codeset;
  MarkerTable table;
  std::string bytes;
  std::size_t chunk = 0;
};

// `next()` gives the next byte of the source of choices.
template <class Next>
TemplateCase draw_case(Next&& next) {
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(next()) % n; };
  TemplateCase c;
  c.codeset = pick(2) ? "CP932" : "UTF-8";
  const Codec codec(c.codeset);
  static const char* const kAlphabet[] = {"a", "b", "A", "_", "<", ">", " ", "G", "IF"};
  auto ascii_piece = [&] { return std::string(kAlphabet[pick(std::size(kAlphabet))]); };

  const std::size_t count = 1 + pick(5);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string t;
    for (std::size_t n = 1 + pick(3); n > 0; --n) t += ascii_piece();
    texts.push_back(t);
  }
  // Katakana A (CP932 0x83 0x41: its second byte is "A"), a CJK character, a
  // character CP932 lacks (written "?"), an escaped "A", an escaped blank and
  // an escaped lead byte: each written as bytes that are not what they look like.
  static const std::u32string kChars[] = {U"\u30A2", U"\u65E5", U"\U0001F600", U"\xDC41",
                                          U"\xDC20", U"\xDC83", U"\r",         U"\n"};
  auto value = [&] {
    std::u32string v;
    for (std::size_t n = pick(4); n > 0; --n) {
      switch (pick(3)) {
        case 0: {
          const std::string& t = texts[pick(texts.size())];
          v.append(t.begin(), t.end());
          break;
        }
        case 1: {
          const std::string a = ascii_piece();
          v.append(a.begin(), a.end());
          break;
        }
        default:
          v += kChars[pick(std::size(kChars))];
      }
    }
    return v;
  };
  for (const std::string& t : texts) {
    switch (pick(5)) {
      case 0:
        c.table.push_back({t, whole_line(value())});
        break;
      case 1:
        c.table.push_back({t, optional_line(pick(2) == 0, value())});
        break;
      case 2: {
        const long lines = static_cast<long>(pick(3));
        const std::u32string line = value();
        c.table.push_back({t, list_before([lines, line](long j, std::u32string& out) {
                             if (j > lines) return false;
                             out = line + static_cast<char32_t>(U'0' + j);
                             return true;
                           })});
        break;
      }
      default:
        c.table.push_back({t, replaced_by(value())});
    }
  }

  static const char* const kBytes[] = {"\r",   "\n",   "\r\n",         "\x83\x41", "\x83",
                                       "\xff", "\x80", "\xe6\x97\xa5", "\xe3\x82"};
  for (std::size_t n = pick(120); n > 0; --n) {
    switch (pick(5)) {
      case 0:
        c.bytes += texts[pick(texts.size())];
        break;
      case 1:
        c.bytes += kBytes[pick(std::size(kBytes))];
        break;
      case 2:
        c.bytes += codec.encode(kChars[pick(2)]);
        break;
      case 3:
        c.bytes += std::string(1 + pick(40), pick(2) ? ' ' : 'x');
        break;
      default:
        c.bytes += ascii_piece();
    }
  }
  c.chunk = pick(4) == 0 ? 128 * 1024 : 8 + pick(56);
  return c;
}

}  // namespace vellumet::testing
