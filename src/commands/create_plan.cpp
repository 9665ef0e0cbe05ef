#include "commands/create_plan.h"

#include "generator/button_copier.h"
#include "source/file_names.h"
#include "source/listing.h"

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

}  // namespace

RenamePlan plan_renames(const Job& job, const std::string& ext) {
  RenamePlan plan;
  Listing listing = list_normal_files(job.state.src_dir);
  if (!listing.read.ok) {
    plan.listed = std::move(listing.read);
    return plan;
  }
  for (std::string_view name : listing.names) {
    if (!is_slide_image(name, ext)) continue;
    std::string renamed = normalised_slide_name(name, ext);
    if (renamed != name) plan.renames.push_back({std::string(name), std::move(renamed)});
  }
  if (job.window.check(CheckBox::Check1) == kChecked) {
    auto ppz = filter_extension(listing, kPlayerExtension);
    if (!ppz.empty() && ppz.front() != kPlayerFile)
      plan.renames.push_back({std::string(ppz.front()), kPlayerFile});
  }
  return plan;
}

std::vector<OutputStep> output_steps(const Job& job) {
  std::vector<OutputStep> steps;
  steps.push_back({{job.window.text(TextField::Text3)}, write_index});
  if (job.window.menu_checked(MenuMark::icon_custom)) {
    OutputStep buttons{{}, write_buttons};
    const Listing listing = list_normal_files(job.program_folder + "/buttons/");
    for (std::string_view name : listing.names)
      buttons.files.push_back("buttons/" + std::string(name));
    steps.push_back(std::move(buttons));
  }
  steps.push_back({{navbtn_page_name(kShow)}, write_navbtn});
  if (job.window.check(CheckBox::Check1) == kChecked)
    steps.push_back({{slide_page_name(kShow)}, write_slide});
  return steps;
}

}  // namespace vellumet
