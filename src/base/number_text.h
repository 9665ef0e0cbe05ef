#pragma once

#include <string>
#include <string_view>

namespace vellumet {

// The number at the start of `text`: blanks are skipped wherever they stand,
// then an optional sign, digits, an optional fraction and exponent; reading
// stops at the first character that cannot continue the number. 0 when none,
// and 0 for a value too small to represent; a value too large to represent
// gives an infinity of its sign.
double read_number(std::string_view text);

// A number as the pages show it: whole values as digits, others with their
// fraction and "." as decimal point, whatever the locale.
std::string plain_number(double value);
// The same, with one leading blank for values of zero or more.
std::string signed_number(double value);

// i as at least three digits: 1 -> "001", 1000 -> "1000".
std::string three_digits(long i);

}  // namespace vellumet
