#include "source/file_names.h"

#include "base/number_text.h"

namespace vellumet {

std::string first_file_name(int k) {
  return std::string(k <= 2 ? "img" : "sld") + three_digits(1) + "." + image_extension(k);
}

int image_type(std::string_view ext) {
  return ext == kGif ? 1 : ext == kPng ? 5 : ext == kWebp ? 6 : 2;
}

std::string normalised_slide_name(std::string_view name, std::string_view ext) {
  std::string renamed = "img";
  renamed += name.substr(3, name.size() - 3 - ext.size());
  renamed += ext;
  return renamed;
}

std::string slide_image_name(long i, std::string_view ext) {
  std::string name = "img" + three_digits(i) + ".";
  name += ext;
  return name;
}

std::string navbtn_page_stem(int show_no) {
  return "navbtn" + std::to_string(show_no);
}

std::string slide_page_stem(int show_no) {
  return "sld00" + std::to_string(show_no);
}

std::string navbtn_page_name(int show_no) {
  return navbtn_page_stem(show_no) + ".htm";
}

std::string slide_page_name(int show_no) {
  return slide_page_stem(show_no) + ".htm";
}

bool is_show_file(std::string_view name) {
  static const std::string navbtn_page = navbtn_page_name(1), slide_page = slide_page_name(1);
  if (name == kPlayerFile || name == slide_page || name == navbtn_page) return true;
  return looks_like_slide_image(name) || ends_with_folded(name, kPresentationExtension) ||
         ends_with_folded(name, kPlayerExtension);
}

}  // namespace vellumet
