// Line reader, code-page codec and line writer, in memory: every line decoded
// and encoded again must give back its bytes, so a file without markers comes
// out as it went in, apart from its line ends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/codec.h"
#include "base/text_file.h"
#include "fuzz_support.h"

using namespace vellumet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static Codec utf8("UTF-8");
  static Codec cp932("CP932");
  const Codec& codec = (data[0] & 1) ? cp932 : utf8;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::string written;
  for (std::string_view line : split_lines(input)) {
    const std::u32string text = codec.decode(line);
    if (text.size() > line.size()) fuzz::fail("decoding made more characters than bytes");
    for (char32_t c : text) {
      if (c == U'\r') fuzz::fail("a CR survived inside a line");
    }
    const std::string back = codec.encode(text);
    if (back != line) fuzz::fail("a line did not survive decode and encode");
    written += back;
    written += "\r\n";
  }
  if (written != fuzz::crlf_normalised(input)) fuzz::fail("lines joined again differ from input");

  // The UTF-8 helpers used for window texts follow the same escape rule.
  if (utf8_encode(utf8_decode(input)) != input) fuzz::fail("utf8 round trip lost bytes");
  return 0;
}
