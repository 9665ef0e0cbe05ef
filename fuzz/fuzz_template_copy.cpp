// The real page writer on a real file: a slide-page template is written into
// the program's Template folder and copied into the show folder. A template
// without markers must come out byte for byte, apart from line ends now CR LF.

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "generator/page_writers.h"
#include "job/job.h"
#include "job/memory_window.h"

using namespace vellumet;

namespace {

struct Folders {
  std::string program = fuzz::scratch_dir() + "/program";
  std::string show = fuzz::scratch_dir() + "/show/";
  Folders() {
    mkdir(program.c_str(), 0755);
    mkdir((program + "/Template").c_str(), 0755);
    mkdir(show.c_str(), 0755);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const Folders folders;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzz::write_file(folders.program + "/Template/sld000.htm", input);

  MemoryWindow window;
  fuzz::RecordingDialogs dialogs;
  Job job(window, dialogs, folders.program, (data[0] & 1) ? "CP932" : "UTF-8");
  job.state.app_dir = folders.program;
  job.state.src_dir = folders.show;
  job.state.show_title[1] = "Zorvo スライドショー(by Y.Korrin)";

  const PageResult result = make_slide_html(job, 1);
  if (!result.ok) fuzz::fail("the page writer failed on a readable template");
  if (!dialogs.shown.empty()) fuzz::fail("the page writer showed a box");
  const auto page = fuzz::slurp(folders.show + "sld001.htm");
  if (!page) fuzz::fail("no page written");

  const bool has_marker = input.find("<TITLE>") != std::string_view::npos ||
                          input.find("/img0/") != std::string_view::npos;
  if (!has_marker && *page != fuzz::crlf_normalised(input)) {
    fuzz::fail("a template without markers was not copied byte for byte");
  }
  // Whatever the template holds, the page ends every line with CR LF.
  if (!page->empty() && page->compare(page->size() - 2, 2, "\r\n") != 0) {
    fuzz::fail("the page does not end with CR LF");
  }
  return 0;
}
