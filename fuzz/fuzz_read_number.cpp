// Reading the slide count text, and showing the number again as the pages do.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "fuzz_support.h"

using namespace vellumet;

namespace {

// The reference reading: drop every blank, take the longest start of the rest
// that has the form [sign] digits [. digits] [e [sign] digits] with at least
// one mantissa digit, and let the C library read it (the C locale's point).
double reference(std::string_view text) {
  std::string t;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t += c;
  }
  auto digits = [&](std::size_t i) {
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i;
  };
  std::size_t i = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
  std::size_t int_end = digits(i), end = int_end;
  if (end < t.size() && t[end] == '.') end = digits(end + 1);
  if (end - i - (end > int_end ? 1 : 0) == 0) return 0.0;  // no mantissa digit
  if (end < t.size() && (t[end] == 'e' || t[end] == 'E')) {
    std::size_t e = end + 1;
    if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
    if (digits(e) > e) end = digits(e);
  }
  return std::strtod(t.substr(0, end).c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = read_number(text);
  if (std::isnan(value)) fuzz::fail("read_number gave NaN");

  // The same value as the reference, exactly: a value too small to represent
  // is 0, never an infinity, and only a value too large is infinite.
  const double want = reference(text);
  if (std::isinf(want) != std::isinf(value) || (std::isinf(want) && want != value)) {
    fuzz::fail("read_number and the reference disagree on an infinity");
  }
  if (value != want) fuzz::fail("read_number and the reference read different numbers");

  // Whatever was read must be printable without undefined behaviour, and a
  // whole value of moderate size must read back as the same number.
  const std::string shown = plain_number(value);
  const std::string with_sign = signed_number(value);
  if (shown.empty() || with_sign.empty()) fuzz::fail("a number printed as nothing");
  if (value >= 0 && with_sign != " " + shown) fuzz::fail("signed_number lacks its blank");
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
    if (shown.find_first_not_of("-0123456789") != std::string::npos) {
      fuzz::fail("a whole number printed with other than digits");
    }
    if (read_number(shown) != value) fuzz::fail("a whole number did not read back");
  }

  // Blanks may stand anywhere in the number.
  std::string spaced;
  for (char c : shown) {
    spaced += ' ';
    spaced += c;
  }
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15 &&
      read_number(spaced) != value) {
    fuzz::fail("blanks inside a number changed its value");
  }

  if (size >= 4) {
    long i = 0;
    for (int k = 0; k < 4; ++k) i = (i << 8) | data[k];
    const std::string digits = three_digits(i % 100000);
    if (digits.size() < 3) fuzz::fail("three_digits gave fewer than three digits");
  }
  return 0;
}
