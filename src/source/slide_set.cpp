#include "source/slide_set.h"

#include <string>

#include "base/ascii.h"
#include "job/button_check.h"
#include "source/file_names.h"
#include "source/leftovers.h"

namespace vellumet {

int find_first_file(const JobState& state, const Listing& listing, std::string* found) {
  for (std::string_view name : listing.names) {
    for (int k = 1; k <= 4; ++k) {
      if (equals_folded(name, state.first_file[static_cast<std::size_t>(k)])) {
        if (found) *found = name;
        return k;
      }
    }
  }
  return 0;
}

int count_slides(const Listing& listing, std::string_view ext) {
  int count = 0;
  for (std::string_view name : listing.names) {
    if (count < 32767 && is_slide_image(name, ext)) ++count;
  }
  return count;
}

std::optional<SlideSet> preview_pic(Job& job, const std::string& folder) {
  // Kept from call to call: its buffers serve the next folder too.
  thread_local Listing files;
  list_folder(folder, files);
  return preview_pic(job, folder, files);
}

std::optional<SlideSet> preview_pic(Job& job, const std::string& folder, const Listing& listing) {
  std::string entry;
  int k = find_first_file(job.state, listing, &entry);
  if (k == 0) {
    dir_clear(job);
    job.window.set_visible(Control::Image3, false);
    return std::nullopt;
  }
  job.state.img_type = static_cast<std::int16_t>(k);
  std::string sep = folder.ends_with('/') ? "" : "/";
  job.window.load_preview(folder + sep + entry);
  job.window.set_visible(Control::Image3, true);
  dir_set(job, folder, ascii_lower(entry), listing);
  return SlideSet{folder, entry, image_extension(k), k, job.state.slide_count};
}

void dir_set(Job& job, const std::string& folder, const std::string& name, const Listing& listing) {
  JobState& s = job.state;
  s.src_dir = folder + "/";
  job.window.set_text(TextField::Text1, s.src_dir);
  std::string ext = name.size() >= 3 ? name.substr(name.size() - 3) : name;
  // The listing read for detection serves every count below: one pass over the folder.
  int count = listing.read.ok ? count_slides(listing, ext) : 0;
  job.window.set_text(TextField::Text2, std::to_string(count));
  s.slide_count = static_cast<std::int16_t>(count);
  search_gomi(job, listing);
  command_button_check(job);
  bool ppz = !filter_extension(listing, kPlayerExtension).empty();
  job.window.set_check(CheckBox::Check1, ppz ? kChecked : kUnchecked);
}

void dir_clear(Job& job) {
  job.window.set_text(TextField::Text1, "");
  job.window.set_text(TextField::Text2, "0");
  job.state.slide_count = 0;
  search_gomi(job);
  command_button_check(job);
  job.window.set_check(CheckBox::Check1, kUnchecked);
}

}  // namespace vellumet
