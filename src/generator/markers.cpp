#include "generator/markers.h"

namespace vellumet {

std::size_t find_str(std::u32string_view text, std::u32string_view marker) {
  if (marker.empty()) return 1;
  std::size_t p = text.find(marker);
  return p == std::u32string_view::npos ? 0 : p + 1;
}

bool replace_first(std::u32string& line, std::u32string_view marker, std::u32string_view value) {
  std::size_t p = find_str(line, marker);
  if (p == 0) return false;
  line.replace(p - 1, marker.size(), value);
  return true;
}

bool starts_with_marker(std::u32string_view line, std::u32string_view marker) {
  std::size_t start = line.find_first_not_of(U' ');
  if (start == std::u32string_view::npos) start = line.size();
  return line.substr(start).starts_with(marker);
}

std::u32string ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace vellumet
