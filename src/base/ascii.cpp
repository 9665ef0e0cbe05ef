#include "base/ascii.h"

namespace vellumet {

std::string ascii_lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = ascii_lower(c);
  return s;
}

}  // namespace vellumet
