#include "generator/page_writers.h"

#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "generator/codec.h"
#include "generator/markers.h"
#include "generator/number_text.h"

namespace vellumet {

namespace {

using Emit = std::function<void(const std::u32string&)>;
// Rewrites one decoded line; may emit extra lines to be written before it.
using LineRule = std::function<void(std::u32string& line, const Emit& emit)>;

// Byte offsets of every occurrence of each marker in `bytes`, sorted. Markers
// are ASCII, so a line without a byte match cannot hold a character match.
std::vector<std::size_t> candidates(std::string_view bytes,
                                    const std::vector<std::string>& markers) {
  std::vector<std::size_t> found;
  for (const auto& m : markers) {
    const char* base = bytes.data();
    std::size_t at = 0;
    while (at < bytes.size()) {
      const void* hit = ::memmem(base + at, bytes.size() - at, m.data(), m.size());
      if (!hit) break;
      std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
      found.push_back(pos);
      at = pos + 1;
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

PageResult write_page(Job& job, int show_no, const std::string& template_name,
                      const std::string& page_name, const std::vector<std::string>& markers,
                      const LineRule& rule) {
  const JobState& s = job.state;
  std::string page_path = s.src_dir + page_name;
  std::string template_path = s.app_dir + "/Template/" + template_name;
  if (show_no < 0 || show_no > kMaxShow)
    return {false, false, page_path, "show number out of range"};
  if (template_name.empty()) {
    return {false, true, template_path,
            "フレーム形式 " + std::to_string(s.frame_style) + " は 0 ～ 3 の範囲外です。"};
  }

  std::string bytes;
  FileResult r = read_file(template_path, bytes);
  if (!r.ok) return {false, true, template_path, r.reason};

  AtomicFile page(page_path);
  r = page.open();
  if (!r.ok) return {false, false, page_path, r.reason};

  Codec codec(job.codeset);
  std::vector<std::size_t> hits = candidates(bytes, markers);
  auto next_hit = hits.begin();
  Emit emit = [&](const std::u32string& extra) {
    if (r.ok) r = page.write_line(codec.encode(extra));
  };
  // Lines without a marker that already end in CR LF are copied in runs,
  // straight from the template's bytes.
  std::size_t run_begin = 0, run_end = 0;
  auto flush_run = [&] {
    if (r.ok && run_end > run_begin)
      r = page.write(std::string_view(bytes).substr(run_begin, run_end - run_begin));
    run_begin = run_end = 0;
  };
  for (std::string_view line : split_lines(bytes)) {
    std::size_t begin = static_cast<std::size_t>(line.data() - bytes.data());
    std::size_t end = begin + line.size();
    while (next_hit != hits.end() && *next_hit < begin) ++next_hit;
    if (next_hit == hits.end() || *next_hit >= end) {
      // No marker: the bytes pass through as they are.
      if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') {
        if (run_end != begin) {
          flush_run();
          run_begin = begin;
        }
        run_end = end + 2;
      } else {
        flush_run();
        if (r.ok) r = page.write_line(line);
      }
    } else {
      flush_run();
      std::u32string text = codec.decode(line);
      rule(text, emit);
      if (r.ok) r = page.write_line(codec.encode(text));
    }
    if (!r.ok) return {false, false, page_path, r.reason};
  }
  flush_run();
  if (!r.ok) return {false, false, page_path, r.reason};
  r = page.commit();
  if (!r.ok) return {false, false, page_path, r.reason};
  return {true, false, page_path, {}};
}

std::u32string chars(const std::string& utf8) {
  return utf8_decode(utf8);
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

bool contains(const std::u32string& line, std::u32string_view marker) {
  return find_str(line, marker) > 0;
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

PageResult make_index_html(Job& job, int show_no) {
  const JobState& s = job.state;
  const std::u32string last_slide_marker = U"var LastSlide =";
  auto index = static_cast<std::size_t>(std::clamp(show_no, 0, kMaxShow));
  std::u32string line_value = last_slide_marker + ascii(signed_number(s.last_slide[index])) + U";";
  std::u32string ext = (s.img_type == 1 || s.img_type == 3) ? U"gif" : U"jpg";
  std::u32string navbtn = ascii("navbtn" + std::to_string(show_no));
  return write_page(job, show_no, index_template_name(s.frame_style),
                    job.window.text(TextField::Text3), {"var LastSlide =", "GIF", "navbtn0"},
                    [&](std::u32string& line, const Emit&) {
                      if (starts_with_marker(line, last_slide_marker)) line = line_value;
                      replace_first(line, U"GIF", ext);
                      replace_first(line, U"navbtn0", navbtn);
                    });
}

PageResult make_navbtn_html(Job& job, int show_no) {
  const JobState& s = job.state;
  auto index = static_cast<std::size_t>(std::clamp(show_no, 0, kMaxShow));
  static const char32_t* kButtons[] = {U"T_BUTTON", U"F_BUTTON", U"P_BUTTON", U"N_BUTTON",
                                       U"L_BUTTON", U"M_BUTTON", U"D_BUTTON", U"S_BUTTON"};
  // The references are bytes of the icon list, in the code page of the pages.
  const Codec codec(job.codeset);
  std::vector<std::u32string> images;
  for (std::size_t j = 1; j <= 8; ++j) images.push_back(codec.decode(s.button_img[j]));
  bool player = job.window.check(CheckBox::Check1) == kChecked;
  bool download = job.window.check(CheckBox::Check2) == kChecked;
  double count = s.last_slide[index];
  std::u32string count_marker = U"(" + ascii(plain_number(count)) + U",0)";
  std::u32string slide_page = ascii("sld00" + std::to_string(show_no));
  std::u32string down_file = html_escaped(chars(s.down_file_name[index]));
  std::u32string tab = chars(s.tab_char), quote = chars(s.quote_char);

  return write_page(job, show_no, navbtn_template_name(s.frame_style),
                    "navbtn" + std::to_string(show_no) + ".htm",
                    {"T_BUTTON", "F_BUTTON", "P_BUTTON", "N_BUTTON", "L_BUTTON", "M_BUTTON",
                     "D_BUTTON", "S_BUTTON", "sld000", "(0,0)", "DOWNLOAD_FILE", "</SELECT>"},
                    [&](std::u32string& line, const Emit& emit) {
                      for (std::size_t j = 0; j < 8; ++j)
                        replace_first(line, kButtons[j], images[j]);
                      if (contains(line, U"sld000")) {
                        if (player) {
                          replace_first(line, U"sld000", slide_page);
                        } else {
                          line.clear();
                        }
                      }
                      replace_first(line, U"(0,0)", count_marker);
                      if (contains(line, U"DOWNLOAD_FILE")) {
                        if (download) {
                          replace_first(line, U"DOWNLOAD_FILE", down_file);
                        } else {
                          line.clear();
                        }
                      }
                      if (contains(line, U"</SELECT>")) {
                        for (long j = 1; static_cast<double>(j) <= count; ++j) {
                          std::u32string n = ascii(std::to_string(j));
                          emit(tab + U"<OPTION VALUE=" + quote + n + quote + U">" + n);
                        }
                      }
                    });
}

PageResult make_slide_html(Job& job, int show_no) {
  const JobState& s = job.state;
  auto index = static_cast<std::size_t>(std::clamp(show_no, 0, kMaxShow));
  std::u32string title_line = U"<TITLE>" + chars(s.show_title[index]) + U"</TITLE>";
  std::u32string path = ascii("/img" + std::to_string(show_no) + "/");
  return write_page(job, show_no, "sld000.htm", "sld00" + std::to_string(show_no) + ".htm",
                    {"<TITLE>", "/img0/"}, [&](std::u32string& line, const Emit&) {
                      if (starts_with_marker(line, U"<TITLE>")) line = title_line;
                      replace_first(line, U"/img0/", path);
                    });
}

}  // namespace vellumet
