#pragma once

#include <string>

#include "base/file_result.h"
#include "job/job.h"

namespace vellumet {

// Template names by frame style; "" for a style outside 0..3.
std::string index_template_name(int frame_style);
std::string navbtn_template_name(int frame_style);

// The three writers. Each copies its template from app_dir/Template/ line by
// line into a page in src_dir, replacing the markers; the page is replaced only
// when it is complete. A failure names the full path of the template (step
// Read) or of the page (step Write).
FileResult make_index_html(Job& job, int show_no);
FileResult make_navbtn_html(Job& job, int show_no);
FileResult make_slide_html(Job& job, int show_no);

}  // namespace vellumet
