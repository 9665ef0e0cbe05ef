#include "generator/icon_list.h"

#include "base/codec.h"
#include "base/messages.h"
#include "base/text_file.h"

namespace vellumet {

namespace {

// Line nine: leading blanks skipped, the field ends at a blank, a comma or the
// line end, and must be a whole number 0 to 3. -1 when it is not.
int frame_style_field(std::string_view line) {
  std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return -1;
  std::size_t end = line.find_first_of(" ,", start);
  std::string_view field = line.substr(start, end == std::string_view::npos ? end : end - start);
  if (!field.empty() && field[0] == '+') field.remove_prefix(1);
  if (field.empty() || field.size() > 4) return -1;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= 3 ? value : -1;
}

}  // namespace

void read_button_ini(Job& job) {
  JobState& s = job.state;
  bool custom = job.window.menu_checked(MenuMark::icon_custom);
  std::string path = job.program_folder + "/" + (custom ? kCustomIconList : kStandardIconList);
  for (auto& b : s.button_img) b.clear();
  s.frame_style = 0;

  std::string bytes;
  FileResult r = read_file(path, bytes);
  if (!r.ok) {
    job.dialogs.show(error_box(
        msg::kIconTitle, msg::paragraphs({msg::fill(msg::kIconUnreadable, {path}), r.reason})));
    return;
  }
  Codec codec(job.codeset);
  auto lines = split_lines(bytes);
  // The references go into the pages as they stand: keep the list's bytes.
  for (std::size_t j = 1; j <= 8 && j <= lines.size(); ++j) s.button_img[j] = lines[j - 1];
  if (lines.size() < 9) {
    job.dialogs.show(error_box(msg::kIconTitle, msg::fill(msg::kIconShort, {path})));
    return;
  }
  int style = frame_style_field(utf8_encode(codec.decode(lines[8])));
  if (style < 0) {
    job.dialogs.show(error_box(msg::kIconTitle, msg::fill(msg::kIconBadStyle, {path})));
    return;
  }
  s.frame_style = style;
}

}  // namespace vellumet
