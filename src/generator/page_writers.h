#pragma once

#include <string>

#include "base/text_file.h"
#include "job/job.h"

namespace vellumet {

// What a page writer reports: the page it wrote, or the file that failed
// (template or page) and why.
struct PageResult {
  bool ok = true;
  bool template_error = false;  // the template could not be read (else the page failed)
  std::string file;             // full path of the file concerned
  std::string reason;           // system error text when !ok
};

// Template names by frame style; "" for a style outside 0..3.
std::string index_template_name(int frame_style);
std::string navbtn_template_name(int frame_style);

// The three writers. Each copies its template from app_dir/Template/ line by
// line into a page in src_dir, replacing the markers; the page is replaced only
// when it is complete.
PageResult make_index_html(Job& job, int show_no);
PageResult make_navbtn_html(Job& job, int show_no);
PageResult make_slide_html(Job& job, int show_no);

}  // namespace vellumet
