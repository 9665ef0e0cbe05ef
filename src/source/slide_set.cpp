#include "source/slide_set.h"

#include <string>

#include "base/ascii.h"
#include "base/messages.h"
#include "job/button_check.h"
#include "source/file_names.h"
#include "source/leftovers.h"
#include "source/numbered_series.h"

namespace vellumet {

namespace {

constexpr int kMostCounted = 32767;

std::optional<SlideSet> export_set(const JobState& state, const std::string& folder,
                                   const Listing& listing) {
  std::string entry;
  const int k = find_first_file(state, listing, &entry);
  if (k == 0) return std::nullopt;
  const std::string ext = image_extension(k);
  // The listing read for detection serves the count too: one pass over the folder.
  const int count = listing.read.ok ? count_slides(listing, ext) : 0;
  return SlideSet{folder, entry, ext, k, count, SetKind::Export, {}};
}

SlideSet numbered_set(const std::string& folder, Series series) {
  const std::string ext = series.extensions.front();
  const int count = static_cast<int>(std::min<std::size_t>(series.images.size(), kMostCounted));
  return SlideSet{folder,
                  series.images.front(),
                  ext,
                  image_type(ext),
                  count,
                  SetKind::Numbered,
                  std::move(series.images)};
}

}  // namespace

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
    if (count < kMostCounted && is_slide_image(name, ext)) ++count;
  }
  return count;
}

FoundSlides find_slides(const Job& job, const std::string& folder, const Listing& listing) {
  FoundSlides found;
  found.set = export_set(job.state, folder, listing);
  if (found.set) return found;
  std::vector<Series> series = find_series(listing);
  const std::vector<std::string> faults = series_faults(series, job.dialogs);
  if (!faults.empty()) {
    found.refusal = msg::paragraphs({msg::fill(msg::kSeriesHead, {job.dialogs.shown_name(folder)}),
                                     msg::indented(faults), msg::kSeriesTail});
  } else if (!series.empty()) {
    found.set = numbered_set(folder, std::move(series.front()));
  }
  return found;
}

std::optional<SlideSet> preview_pic(Job& job, const std::string& folder) {
  // Kept from call to call: its buffers serve the next folder too.
  thread_local Listing files;
  list_folder(folder, files);
  return preview_pic(job, folder, files);
}

std::optional<SlideSet> preview_pic(Job& job, const std::string& folder, const Listing& listing,
                                    bool* refused) {
  FoundSlides found = find_slides(job, folder, listing);
  if (refused) *refused = !found.refusal.empty();
  if (!found.set) {
    dir_clear(job);
    job.window.set_visible(Control::Image3, false);
    if (!found.refusal.empty())
      job.dialogs.show(error_box(msg::kOpenFolderTitle, std::move(found.refusal)));
    return std::nullopt;
  }
  const SlideSet& set = *found.set;
  job.state.img_type = static_cast<std::int16_t>(set.img_type);
  std::string sep = folder.ends_with('/') ? "" : "/";
  job.window.load_preview(folder + sep + set.first_image);
  job.window.set_visible(Control::Image3, true);
  dir_set(job, set, listing);
  return found.set;
}

void dir_set(Job& job, const SlideSet& set, const Listing& listing) {
  JobState& s = job.state;
  s.src_dir = set.folder + "/";
  job.window.set_text(TextField::Text1, s.src_dir);
  job.window.set_text(TextField::Text2, std::to_string(set.count));
  s.slide_count = static_cast<std::int16_t>(set.count);
  search_gomi(job, listing);
  command_button_check(job);
  bool ppz = !filter_extension(listing, kPlayerExtension).empty();
  job.window.set_check(CheckBox::Check1, ppz ? kChecked : kUnchecked);
}

void dir_clear(Job& job) {
  job.window.set_text(TextField::Text1, "");
  job.window.set_text(TextField::Text2, "0");
  job.state.slide_count = 0;
  (void)search_gomi(job);  // detection tells nothing, as the folder list does
  command_button_check(job);
  job.window.set_check(CheckBox::Check1, kUnchecked);
}

}  // namespace vellumet
