// The icon list reader on a real file: any bytes give either the nine values
// or one clear box, a frame style 0 to 3, and references that carry the
// list's bytes unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "generator/codec.h"
#include "generator/icon_list.h"
#include "generator/text_file.h"
#include "state/job.h"
#include "state/memory_window.h"

using namespace vellumet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string program = fuzz::scratch_dir();
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool custom = data[0] & 2;
  fuzz::write_file(program + "/" + (custom ? kCustomIconList : kStandardIconList), input);

  MemoryWindow window;
  window.set_menu_checked(MenuMark::icon_custom, custom);
  window.set_menu_checked(MenuMark::icon_server, !custom);
  fuzz::RecordingDialogs dialogs;
  const std::string codeset = (data[0] & 1) ? "CP932" : "UTF-8";
  Job job(window, dialogs, program, codeset);
  job.state.frame_style = 7;
  read_button_ini(job);

  if (job.state.frame_style < 0 || job.state.frame_style > 3) fuzz::fail("frame style out of 0..3");
  if (dialogs.shown.size() > 1) fuzz::fail("more than one box for one list");
  for (const MessageBox& box : dialogs.shown) {
    if (box.title != "ボタンアイコン" || box.buttons != BoxButtons::Ok) {
      fuzz::fail("a broken list was not reported in an information box");
    }
  }

  const auto lines = split_lines(input);
  const Codec codec(codeset);
  for (std::size_t j = 1; j <= 8; ++j) {
    const std::string& ref = job.state.button_img[j];
    if (j <= lines.size()) {
      if (codec.encode(utf8_decode(ref)) != lines[j - 1]) {
        fuzz::fail("a button reference does not carry its line's bytes");
      }
    } else if (!ref.empty()) {
      fuzz::fail("a reference beyond the end of the list is not empty");
    }
  }
  if (lines.size() < 9 && dialogs.shown.empty()) fuzz::fail("a short list was not reported");
  return 0;
}
