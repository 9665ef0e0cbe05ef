#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "base/line_ends.h"

namespace vellumet {

namespace {
bool is_blank(char c) {
  return c == ' ' || c == kTab || c == kLf || c == kCr;
}

// For a number text (sign, digits, point, exponent) whose value a double
// cannot hold: whether it is too large rather than too small, that is whether
// its first significant digit stands at or above the units place.
bool too_large(std::string_view n) {
  constexpr long long kCap = 1'000'000'000;
  long long place = 0, exponent = 0;
  bool significant = false, fraction = false;
  std::size_t i = 0;
  for (; i < n.size() && n[i] != 'e'; ++i) {
    if (n[i] == '.') {
      fraction = true;
    } else if (n[i] >= '1' && n[i] <= '9' && !significant) {
      significant = true;
      place = fraction ? place - 1 : 0;
    } else if (n[i] >= '0' && n[i] <= '9') {
      if (significant && !fraction) ++place;
      if (!significant && fraction) --place;
    }
  }
  bool negative = i + 1 < n.size() && n[i + 1] == '-';
  for (++i; i < n.size(); ++i) {
    if (n[i] >= '0' && n[i] <= '9') exponent = std::min(kCap, exponent * 10 + (n[i] - '0'));
  }
  return place + (negative ? -exponent : exponent) >= 0;
}
}  // namespace

double read_number(std::string_view text) {
  // Collect the characters that can form the number, skipping blanks anywhere.
  std::string n;
  bool digits = false, dot = false, exp = false, exp_digits = false;
  for (char c : text) {
    if (is_blank(c)) continue;
    if ((c == '+' || c == '-') && (n.empty() || (exp && (n.back() == 'e')))) {
      n += c;
    } else if (c >= '0' && c <= '9') {
      n += c;
      (exp ? exp_digits : digits) = true;
    } else if (c == '.' && !dot && !exp) {
      n += c;
      dot = true;
    } else if ((c == 'e' || c == 'E') && digits && !exp) {
      n += 'e';
      exp = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (exp && !exp_digits) {
    // A dangling exponent ("12e", "12e-") is not part of the number.
    while (!n.empty() && n.back() != 'e') n.pop_back();
    n.pop_back();
  }
  if (n[0] == '+') n.erase(0, 1);
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(n.data(), n.data() + n.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small to tell from zero reads as zero; too large gives an infinity
    // the caller refuses.
    if (!too_large(n)) return 0.0;
    return n[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

std::string plain_number(double value) {
  if (value == 0.0) return "0";  // also -0
  char buf[400];
  // Whole values as plain digits: the shortest form would write 100000 as 1e+05.
  const bool whole = std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e17;
  auto [end, ec] = whole ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, ec == std::errc() ? end : buf);
  return s;
}

std::string signed_number(double value) {
  std::string s = plain_number(value);
  return s[0] == '-' ? s : " " + s;
}

std::string three_digits(long i) {
  std::string s = std::to_string(i);
  return s.size() < 3 ? std::string(3 - s.size(), '0') + s : s;
}

}  // namespace vellumet
