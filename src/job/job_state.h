#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/name_list.h"

namespace vellumet {

// Highest show number the per-show tables hold; only show 1 is used.
inline constexpr int kMaxShow = 10;

// The program-wide job state. Texts are UTF-8, except folder and file names,
// which are the bytes the file system gives.
struct JobState {
  std::string src_dir;  // export folder, ending in "/" once set; "" = none chosen
  std::string app_dir;  // the program folder, no final "/"; set by each Create-HTML run
  std::int16_t slide_count = 0;
  // 1..4 into first_file (1 and 3 GIF, 2 and 4 JPEG); a numbered series takes
  // the type of the names it is renamed to: 1 GIF, 2 JPEG, 5 PNG, 6 WebP.
  // 0 until a set is found, then treated as JPEG.
  std::int16_t img_type = 0;
  std::int16_t gomi_count = 0;
  int frame_style = 0;  // 0..3 from the icon list or the frame style dialog
  float frame_scale = 0.0f;

  std::string tab_char, cr_char, lf_char, quote_char;

  std::array<std::string, 5> first_file{};  // entries 1..4 used
  NameList gomi_files;                      // leftover names, in listing order
  // Entries 1..8 used: the icon list's lines as bytes in the text code page,
  // so a reference reaches the pages exactly as the list holds it.
  std::array<std::string, 11> button_img{};

  std::array<std::string, kMaxShow + 1> show_title{};
  std::array<double, kMaxShow + 1> last_slide{};
  std::array<std::string, kMaxShow + 1> down_file_name{};

  // A show made from a deck, as its folder's manifest gives it: its own
  // title ("" for none) and each slide's text, slide n at n - 1 (none for a
  // show without text). UTF-8 as the manifest holds it.
  std::string deck_title;
  std::vector<std::string> slide_texts;
};

}  // namespace vellumet
