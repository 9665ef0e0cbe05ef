#include "commands/create_plan.h"

#include <cerrno>
#include <unordered_map>
#include <unordered_set>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/messages.h"
#include "commands/file_reports.h"
#include "generator/button_copier.h"
#include "source/file_names.h"
#include "source/listing.h"
#include "source/slide_set.h"

namespace vellumet {

namespace {

constexpr int kShow = 1;

FileResult write_index(Job& job) {
  return make_index_html(job, kShow);
}
FileResult write_buttons(Job& job) {
  make_button_files(job);  // never fails the command
  return {};
}
FileResult write_navbtn(Job& job) {
  return make_navbtn_html(job, kShow);
}
FileResult write_slide(Job& job) {
  return make_slide_html(job, kShow);
}

// The renames that give a numbered series' images their slide names.
std::vector<Rename> series_renames(const SlideSet& set) {
  std::vector<Rename> renames;
  for (std::size_t i = 0; i < set.images.size(); ++i) {
    std::string renamed = slide_image_name(static_cast<long>(i + 1), set.extension);
    if (renamed != set.images[i]) renames.push_back({set.images[i], std::move(renamed)});
  }
  return ordered_renames(std::move(renames));
}

// The first of `renames` whose new name is held by a file that is not one of
// `set`'s images: a listed name, letter case aside, or anything of that name.
const Rename* name_held(const std::vector<Rename>& renames, const SlideSet& set,
                        const Listing& listing, const std::string& dir) {
  std::unordered_set<std::string> images;
  for (const std::string& name : set.images) images.insert(ascii_lower(name));
  std::unordered_map<std::string, std::size_t> wanted;  // folded new name -> rename
  for (std::size_t i = 0; i < renames.size(); ++i) {
    std::string folded = ascii_lower(renames[i].to);
    if (!images.count(folded)) wanted.emplace(std::move(folded), i);
  }
  std::size_t first = renames.size();
  for (std::string_view name : listing.names) {
    // Every new name begins with "img".
    if (!starts_with_folded(name, "img")) continue;
    auto it = wanted.find(ascii_lower(name));
    if (it != wanted.end()) first = std::min(first, it->second);
  }
  for (std::size_t i = 0; i < first; ++i) {
    if (wanted.count(ascii_lower(renames[i].to)) && path_exists(dir + renames[i].to))
      return &renames[i];
  }
  return first < renames.size() ? &renames[first] : nullptr;
}

}  // namespace

RenamePlan plan_renames(const Job& job, const std::string& ext) {
  Listing listing = list_normal_files(job.state.src_dir);
  if (listing.read.ok) return plan_renames(job, ext, listing);
  RenamePlan plan;
  plan.failure_text = list_failed_text(job, listing.read);
  plan.failure = std::move(listing.read);
  return plan;
}

RenamePlan plan_renames(const Job& job, const std::string& ext, const Listing& listing) {
  RenamePlan plan;
  const std::string& dir = job.state.src_dir;
  FoundSlides found = find_slides(job, dir, listing);
  if (!found.refusal.empty()) {
    plan.failure = FileResult::failure(FileStep::Check, dir, 0, found.refusal);
    plan.failure_text = std::move(found.refusal);
    return plan;
  }
  if (found.set && found.set->kind == SetKind::Numbered) {
    plan.renames = series_renames(*found.set);
    if (const Rename* held = name_held(plan.renames, *found.set, listing, dir)) {
      const std::string from = job.dialogs.shown_name(held->from);
      const std::string to = job.dialogs.shown_name(held->to);
      plan.failure_text =
          msg::paragraphs({msg::fill(msg::kRenameExists, {from, to, to}), msg::kSeriesKept});
      plan.failure =
          FileResult::failure(FileStep::Check, dir + held->to, EEXIST, plan.failure_text);
      plan.renames.clear();
      return plan;
    }
    plan.series = plan.renames.size();
  } else {
    for (std::string_view name : listing.names) {
      if (!is_slide_image(name, ext)) continue;
      std::string renamed = normalised_slide_name(name, ext);
      if (renamed != name) plan.renames.push_back({std::string(name), std::move(renamed)});
    }
  }
  if (job.window.check(CheckBox::Check1) == kChecked) {
    auto ppz = filter_extension(listing, kPlayerExtension);
    if (!ppz.empty() && ppz.front() != kPlayerFile)
      plan.renames.push_back({std::string(ppz.front()), kPlayerFile});
  }
  return plan;
}

std::vector<Rename> ordered_renames(std::vector<Rename> renames) {
  std::unordered_map<std::string, std::size_t> by_old_name;
  for (std::size_t i = 0; i < renames.size(); ++i) by_old_name[ascii_lower(renames[i].from)] = i;
  enum Mark : char { Waiting, Chained, Placed };
  std::vector<Mark> marks(renames.size(), Waiting);
  std::vector<Rename> ordered;
  ordered.reserve(renames.size());
  std::vector<std::size_t> chain;
  for (std::size_t i = 0; i < renames.size(); ++i) {
    // Follow the names each rename needs to the end of the chain, then
    // rename from that end back to this one.
    chain.clear();
    for (std::size_t j = i; marks[j] == Waiting;) {
      marks[j] = Chained;
      chain.push_back(j);
      auto holder = by_old_name.find(ascii_lower(renames[j].to));
      if (holder == by_old_name.end() || holder->second == j) break;
      j = holder->second;
    }
    for (auto at = chain.rbegin(); at != chain.rend(); ++at) {
      marks[*at] = Placed;
      ordered.push_back(std::move(renames[*at]));
    }
  }
  return ordered;
}

std::vector<bool> taken_targets(const RenamePlan& plan, const std::string& dir) {
  std::unordered_set<std::string> moved_away, moved_in;
  std::vector<bool> taken;
  taken.reserve(plan.renames.size());
  for (const Rename& r : plan.renames) {
    const bool held =
        moved_in.count(r.to) || (is_normal_file(dir + r.to) && !moved_away.count(r.to));
    taken.push_back(held && !equals_folded(r.from, ascii_lower(r.to)));
    moved_in.erase(r.from);
    moved_away.insert(r.from);
    moved_away.erase(r.to);
    moved_in.insert(r.to);
  }
  return taken;
}

std::vector<OutputStep> output_steps(const Job& job) {
  std::vector<OutputStep> steps;
  steps.push_back({{job.window.text(TextField::Text3)}, write_index});
  if (job.window.menu_checked(MenuMark::icon_custom)) {
    OutputStep buttons{{}, write_buttons};
    const Listing listing = list_normal_files(job.program_folder + "/buttons/");
    for (std::string_view name : listing.names)
      buttons.files.push_back(kButtonFolder + ("/" + std::string(name)));
    steps.push_back(std::move(buttons));
  }
  steps.push_back({{navbtn_page_name(kShow)}, write_navbtn});
  if (job.window.check(CheckBox::Check1) == kChecked)
    steps.push_back({{slide_page_name(kShow)}, write_slide});
  return steps;
}

}  // namespace vellumet
