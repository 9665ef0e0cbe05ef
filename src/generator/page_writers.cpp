#include "generator/page_writers.h"

#include <algorithm>
#include <vector>

#include "base/codec.h"
#include "base/messages.h"
#include "base/number_text.h"
#include "generator/marker_table.h"
#include "generator/markers.h"
#include "generator/page_text.h"
#include "generator/template_copy.h"
#include "source/file_names.h"
#include "source/slide_words.h"

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

std::size_t show_index(int show_no) {
  return static_cast<std::size_t>(std::clamp(show_no, 0, kMaxShow));
}

// A page's title line for the show's title.
std::u32string title_line(const Codec& codec, const std::string& title) {
  return U"<TITLE>" + page_text(codec, html_escaped(shown_text(title))) + U"</TITLE>";
}

// Each slide's text as the pages give it ("" for one of blanks only); none
// for a show without text.
std::vector<std::u32string> slide_texts(const JobState& s) {
  std::vector<std::u32string> texts;
  for (const std::string& text : s.slide_texts) {
    texts.push_back(shown_text(text));
    if (slide_title(texts.back()).empty()) texts.back().clear();
  }
  if (std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t.empty(); }))
    texts.clear();
  return texts;
}

// The line that gives the entry page's script every slide's title and text.
std::u32string slide_text_line(const Codec& codec, const std::string& start,
                               const std::vector<std::u32string>& texts) {
  std::u32string line = ascii(start) + U" [";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line += U",";
    line += U"[" + script_string(codec, slide_title(texts[i])) + U"," +
            script_string(codec, texts[i]) + U"]";
  }
  return line + U"];";
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
  MarkerTable markers = {
      {last_slide, whole_line(line_value)},
      {"GIF", replaced_by(ascii(image_extension(s.img_type)))},
      {"navbtn0", replaced_by(ascii(navbtn_page_stem(show_no)))},
  };
  // A show made from a deck: its title, the first slide's text as its name
  // without script, and every slide's title and text for the script. They
  // come last, so that no other marker is looked for in the slides' words.
  const Codec codec(job.codeset);
  if (!s.deck_title.empty())
    markers.push_back(
        {"<TITLE>", whole_line(title_line(codec, s.show_title[show_index(show_no)]))});
  const std::vector<std::u32string> texts = slide_texts(s);
  const std::string first_slide_name = "alt=\"&#x30B9;&#x30E9;&#x30A4;&#x30C9; 1\"";
  if (!texts.empty() && !texts[0].empty()) {
    markers.push_back({first_slide_name,
                       replaced_by(U"alt=\"" + page_text(codec, html_escaped(texts[0])) + U"\"")});
  }
  const std::string slide_text = "var SlideText =";
  if (!texts.empty())
    markers.push_back({slide_text, whole_line(slide_text_line(codec, slide_text, texts))});
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
  // Each slide's title follows its number in the list, where the show has text.
  std::vector<std::u32string> titles;
  for (const std::u32string& text : slide_texts(s)) {
    const std::u32string title = slide_title(text);
    titles.push_back(title.empty() ? title : U" " + page_text(codec, html_escaped(title)));
  }
  markers.push_back({"sld000", optional_line(player, ascii(slide_page_stem(show_no)))});
  markers.push_back({"(0,0)", replaced_by(U"(" + ascii(plain_number(count)) + U",0)")});
  markers.push_back(
      {"DOWNLOAD_FILE", optional_line(download, html_escaped(page_reference(
                                                    codec, s.down_file_name[index], true)))});
  // The slide list: one option per slide, written before the list's end.
  markers.push_back(
      {"</SELECT>", list_before([count, tab, quote, titles](long j, std::u32string& line) {
         if (static_cast<double>(j) > count) return false;
         std::u32string n = ascii(std::to_string(j));
         line = tab + U"<OPTION VALUE=" + quote + n + quote + U">" + n;
         if (static_cast<std::size_t>(j) <= titles.size()) line += titles[j - 1];
         return true;
       })});
  return write_page(job, show_no, navbtn_template_name(s.frame_style), navbtn_page_name(show_no),
                    markers);
}

FileResult make_slide_html(Job& job, int show_no) {
  const JobState& s = job.state;
  const Codec codec(job.codeset);
  const MarkerTable markers = {
      {"<TITLE>", whole_line(title_line(codec, s.show_title[show_index(show_no)]))},
      {"/img0/", replaced_by(ascii("/img" + std::to_string(show_no) + "/"))},
  };
  return write_page(job, show_no, "sld000.htm", slide_page_name(show_no), markers);
}

}  // namespace vellumet
