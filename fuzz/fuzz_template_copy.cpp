// The template copy against the plain whole-template reference: the input
// chooses the code page, the marker table (overlapping markers, values that
// hold markers, multi-byte and escaped characters), the template and a read
// size small enough for lines to run across reads. A template without
// markers must moreover come out byte for byte, apart from its line ends,
// now CR LF.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "generator/template_copy.h"
#include "reference_writer.h"
#include "template_cases.h"

using namespace vellumet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  const testing::TemplateCase c =
      testing::draw_case([&]() -> std::uint8_t { return at < size ? data[at++] : 0; });
  static const std::string from = fuzz::scratch_dir() + "/template.htm";
  static const std::string to = fuzz::scratch_dir() + "/page.htm";
  fuzz::write_file(from, c.bytes);

  const Codec codec(c.codeset);
  const FileResult r = copy_template(from, to, c.table, codec, c.chunk);
  if (!r.ok) fuzz::fail("the copy failed on a readable template");
  const auto page = fuzz::slurp(to);
  if (!page) fuzz::fail("no page written");
  if (*page != testing::reference_copy(c.bytes, c.table, codec)) {
    fuzz::fail("the copy differs from the reference writer");
  }
  const MarkerTable none;
  if (!copy_template(from, to, none, codec, c.chunk).ok ||
      *fuzz::slurp(to) != fuzz::crlf_normalised(c.bytes)) {
    fuzz::fail("a template without markers was not copied byte for byte");
  }
  return 0;
}
