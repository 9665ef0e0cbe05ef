// Reading the slide count text, and showing the number again as the pages do.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "fuzz_support.h"

using namespace vellumet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = read_number(text);
  if (std::isnan(value)) fuzz::fail("read_number gave NaN");

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
