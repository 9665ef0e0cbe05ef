// The icon list reader on a real file: any bytes give either the nine values
// or one clear box, a frame style 0 to 3, and references that reach the
// navigation page with the list's bytes unchanged (outside UTF-8, percent-encoded
// beyond ASCII).

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/codec.h"
#include "base/text_file.h"
#include "fuzz_support.h"
#include "generator/icon_list.h"
#include "generator/page_writers.h"
#include "job/job.h"
#include "job/memory_window.h"

using namespace vellumet;

namespace {

// A line as a page outside UTF-8 gets it: each character beyond ASCII, as the
// code page splits the bytes, goes in as its bytes percent-encoded, so the
// ASCII trail byte of a double-byte character is encoded with it.
std::string as_encoded(const Codec& codec, std::string_view line) {
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    std::u32string c;
    const std::size_t n = codec.decode_one(line, i, c);
    const bool ascii = n == 1 && c[0] < 0x80;
    for (std::size_t k = i; k < i + n; ++k) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(line[k]));
      out += ascii ? std::string(1, line[k]) : std::string(hex);
    }
    i += n;
  }
  return out;
}

}  // namespace

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

  // Each reference must reach the navigation page exactly as the list holds
  // it: one marker per template line, so the page shows each value alone
  // (unless a value itself holds a marker, which the writer then replaces).
  const auto lines = split_lines(input);
  static const char* const kMarkers[] = {"T_BUTTON", "F_BUTTON", "P_BUTTON", "N_BUTTON",
                                         "L_BUTTON", "M_BUTTON", "D_BUTTON", "S_BUTTON"};
  std::string templ;
  for (const char* m : kMarkers) templ += std::string("[") + m + "]\r\n";
  mkdir((program + "/Template").c_str(), 0755);
  mkdir((program + "/show").c_str(), 0755);
  fuzz::write_file(program + "/Template/navbtn_c.htm", templ);
  fuzz::write_file(program + "/Template/navbtn_r.htm", templ);
  job.state.app_dir = program;
  job.state.src_dir = program + "/show/";
  const FileResult page = make_navbtn_html(job, 1);
  if (!page.ok) fuzz::fail("the navigation page was not written");
  // A value holding a marker is left out; outside UTF-8 the value is looked
  // at as the page gets it, whose "%XX" hex digits can make a marker too
  // ("\xED" + "OWNLOAD_FILE", or the lead byte "\xFB" + "MOWNLOAD_FILE").
  const bool utf8 = codeset == "UTF-8";
  const Codec page_codec(codeset);
  bool plain = true;
  for (std::size_t j = 0; j < 8 && j < lines.size(); ++j) {
    const std::string seen = utf8 ? std::string(lines[j]) : as_encoded(page_codec, lines[j]);
    for (const char* m : {"_BUTTON", "sld000", "(0,0)", "DOWNLOAD_FILE", "</SELECT>"}) {
      if (seen.find(m) != std::string::npos) plain = false;
    }
  }
  // Under UTF-8 the page holds the list's bytes; under any other code page it
  // holds ASCII only, with every byte beyond ASCII percent-encoded, so that
  // decoding the reference gives the list's bytes again (a '%' already in the
  // list makes that ambiguous, so such lists are left out).
  for (std::size_t j = 0; j < 8 && j < lines.size(); ++j) {
    if (!utf8 && lines[j].find('%') != std::string_view::npos) plain = false;
  }
  if (plain) {
    std::string expected;
    for (std::size_t j = 0; j < 8; ++j) {
      expected += "[" + (j < lines.size() ? std::string(lines[j]) : std::string()) + "]\r\n";
    }
    std::string written = fuzz::slurp(program + "/show/navbtn1.htm").value_or("");
    if (!utf8) {
      for (unsigned char c : written) {
        if (c >= 0x80) fuzz::fail("a byte beyond ASCII reached a page outside UTF-8 unencoded");
      }
      written = fuzz::percent_decoded(written);
    }
    if (written != expected) fuzz::fail("a button reference did not reach the page byte for byte");
  }
  if (lines.size() < 9 && dialogs.shown.empty()) fuzz::fail("a short list was not reported");
  return 0;
}
