#include "generator/page_writers.h"

#include <algorithm>
#include <cstdio>

#include "base/codec.h"
#include "base/messages.h"
#include "base/number_text.h"
#include "generator/marker_table.h"
#include "generator/markers.h"
#include "generator/template_copy.h"
#include "source/file_names.h"

namespace vellumet {

namespace {

FileResult write_page(Job& job, int show_no, const std::string& template_name,
                      const std::string& page_name, const MarkerTable& markers) {
  const JobState& s = job.state;
  std::string page_path = s.src_dir + page_name;
  std::string template_path = s.app_dir + "/Template/" + template_name;
  if (show_no < 0 || show_no > kMaxShow) {
    return FileResult::failure(FileStep::Write, page_path, 0,
                               msg::fill(msg::kShowNumberOutOfRange, {std::to_string(show_no)}));
  }
  if (template_name.empty()) {
    return FileResult::failure(
        FileStep::Read, template_path, 0,
        msg::fill(msg::kFrameStyleOutOfRange, {std::to_string(s.frame_style)}));
  }
  const Codec codec(job.codeset);
  return copy_template(template_path, page_path, markers, codec);
}

std::u32string chars(const std::string& utf8) {
  return utf8_decode(utf8);
}

// The pages are written in the text code page while the templates declare
// UTF-8. Under UTF-8 inserted values go in as they are; under any other code
// page they go in as ASCII, which reads the same whatever a page declares.

// Text: every character beyond ASCII as a numeric character reference.
std::u32string page_text(const Codec& codec, std::u32string text) {
  if (codec.is_utf8()) return text;
  std::u32string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += c;
    } else {
      // A byte the code page could not read stands for no character at all.
      char buf[16];
      std::snprintf(buf, sizeof buf, "&#x%X;", is_escaped_byte(c) ? 0xFFFDu : unsigned{c});
      out += ascii(buf);
    }
  }
  return out;
}

// A reference to a file, given as the bytes of its name in the code page:
// every character beyond ASCII as its bytes, percent-encoded. A browser asks
// for exactly those bytes over http and opens them over file://, so the
// reference finds the file under the name it has on disk.
std::u32string page_reference(const Codec& codec, std::string_view bytes) {
  std::u32string text = codec.decode(bytes);
  if (codec.is_utf8()) return text;
  static const char kHex[] = "0123456789ABCDEF";
  std::u32string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += c;
      continue;
    }
    for (unsigned char b : codec.encode(std::u32string_view(&c, 1))) {
      out += {U'%', static_cast<char32_t>(kHex[b >> 4]), static_cast<char32_t>(kHex[b & 15])};
    }
  }
  return out;
}

// A typed file name must not be able to end the attribute it is written into.
std::u32string html_escaped(const std::u32string& text) {
  std::u32string out;
  for (char32_t c : text) {
    switch (c) {
      case U'&':
        out += U"&amp;";
        break;
      case U'"':
        out += U"&quot;";
        break;
      case U'<':
        out += U"&lt;";
        break;
      case U'>':
        out += U"&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::size_t show_index(int show_no) {
  return static_cast<std::size_t>(std::clamp(show_no, 0, kMaxShow));
}

}  // namespace

std::string index_template_name(int frame_style) {
  static const char* names[] = {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"};
  return frame_style >= 0 && frame_style <= 3 ? names[frame_style] : "";
}

std::string navbtn_template_name(int frame_style) {
  if (frame_style == 0 || frame_style == 1) return "navbtn_c.htm";
  if (frame_style == 2 || frame_style == 3) return "navbtn_r.htm";
  return "";
}

FileResult make_index_html(Job& job, int show_no) {
  const JobState& s = job.state;
  const std::string last_slide = "var LastSlide =";
  std::u32string line_value =
      ascii(last_slide + signed_number(s.last_slide[show_index(show_no)]) + ";");
  const MarkerTable markers = {
      {last_slide, whole_line(line_value)},
      {"GIF", replaced_by(ascii(image_extension(s.img_type)))},
      {"navbtn0", replaced_by(ascii(navbtn_page_stem(show_no)))},
  };
  return write_page(job, show_no, index_template_name(s.frame_style),
                    job.window.text(TextField::Text3), markers);
}

FileResult make_navbtn_html(Job& job, int show_no) {
  const JobState& s = job.state;
  const std::size_t index = show_index(show_no);
  static const char* kButtons[] = {"T_BUTTON", "F_BUTTON", "P_BUTTON", "N_BUTTON",
                                   "L_BUTTON", "M_BUTTON", "D_BUTTON", "S_BUTTON"};
  // The references are bytes of the icon list, in the code page of the pages.
  const Codec codec(job.codeset);
  MarkerTable markers;
  for (std::size_t j = 1; j <= 8; ++j)
    markers.push_back({kButtons[j - 1], replaced_by(page_reference(codec, s.button_img[j]))});

  bool player = job.window.check(CheckBox::Check1) == kChecked;
  bool download = job.window.check(CheckBox::Check2) == kChecked;
  double count = s.last_slide[index];
  std::u32string tab = chars(s.tab_char), quote = chars(s.quote_char);
  markers.push_back({"sld000", optional_line(player, ascii(slide_page_stem(show_no)))});
  markers.push_back({"(0,0)", replaced_by(U"(" + ascii(plain_number(count)) + U",0)")});
  markers.push_back(
      {"DOWNLOAD_FILE",
       optional_line(download, html_escaped(page_reference(codec, s.down_file_name[index])))});
  // The slide list: one option per slide, written before the list's end.
  markers.push_back({"</SELECT>", list_before([count, tab, quote](long j, std::u32string& line) {
                       if (static_cast<double>(j) > count) return false;
                       std::u32string n = ascii(std::to_string(j));
                       line = tab + U"<OPTION VALUE=" + quote + n + quote + U">" + n;
                       return true;
                     })});
  return write_page(job, show_no, navbtn_template_name(s.frame_style), navbtn_page_name(show_no),
                    markers);
}

FileResult make_slide_html(Job& job, int show_no) {
  const JobState& s = job.state;
  const Codec codec(job.codeset);
  const std::u32string title = page_text(codec, chars(s.show_title[show_index(show_no)]));
  const MarkerTable markers = {
      {"<TITLE>", whole_line(U"<TITLE>" + title + U"</TITLE>")},
      {"/img0/", replaced_by(ascii("/img" + std::to_string(show_no) + "/"))},
  };
  return write_page(job, show_no, "sld000.htm", slide_page_name(show_no), markers);
}

}  // namespace vellumet
