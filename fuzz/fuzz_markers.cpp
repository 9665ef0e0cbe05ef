// The marker helpers against plain reference loops.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/codec.h"
#include "fuzz_support.h"
#include "generator/markers.h"

using namespace vellumet;

namespace {

std::size_t reference_find(std::u32string_view text, std::u32string_view marker) {
  if (marker.size() > text.size()) return 0;
  for (std::size_t p = 0; p + marker.size() <= text.size(); ++p) {
    if (text.substr(p, marker.size()) == marker) return p + 1;
  }
  return 0;
}

bool reference_starts(std::u32string_view line, std::u32string_view marker) {
  std::size_t i = 0;
  while (i < line.size() && line[i] == U' ') ++i;
  return line.substr(i).substr(0, marker.size()) == marker;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: how many of the following bytes form the marker; the rest is
  // the line, then (after a 0 byte, when present) the replacement value.
  const std::size_t marker_len = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::u32string marker = utf8_decode(rest.substr(0, marker_len));
  std::string_view tail = rest.substr(marker_len);
  std::string_view value_bytes;
  if (const auto zero = tail.find('\0'); zero != std::string_view::npos) {
    value_bytes = tail.substr(zero + 1);
    tail = tail.substr(0, zero);
  }
  const std::u32string line = utf8_decode(tail);
  const std::u32string value = utf8_decode(value_bytes);

  const std::size_t pos = find_str(line, marker);
  if (pos != reference_find(line, marker)) fuzz::fail("find_str differs from the reference");

  std::u32string replaced = line;
  const bool did = replace_first(replaced, marker, value);
  if (did != (pos > 0)) fuzz::fail("replace_first result disagrees with find_str");
  if (did) {
    const std::u32string expected =
        line.substr(0, pos - 1) + value + line.substr(pos - 1 + marker.size());
    if (replaced != expected) fuzz::fail("replace_first changed more than the first marker");
  } else if (replaced != line) {
    fuzz::fail("replace_first changed a line without the marker");
  }

  if (starts_with_marker(line, marker) != reference_starts(line, marker)) {
    fuzz::fail("starts_with_marker differs from the reference");
  }
  return 0;
}
