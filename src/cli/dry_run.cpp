#include "cli/dry_run.h"

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/line_ends.h"
#include "base/messages.h"
#include "commands/create_plan.h"
#include "source/file_names.h"
#include "source/leftovers.h"

namespace vellumet::cli {

namespace {

template <class Names>
void print_list(Console& console, std::string_view head, const Names& items) {
  console.out_line(head);
  if (items.empty()) {
    console.out_line(std::string(1, kTab) + msg::kCliPlanNone);
    return;
  }
  for (std::string_view item : items) console.out_line(std::string(1, kTab) + std::string(item));
}

}  // namespace

FileResult print_plan(Job& job, Console& console, bool clean) {
  const std::string& dir = job.state.src_dir;
  const std::string ext = image_extension(job.state.img_type);
  RenamePlan plan = plan_renames(job, ext);
  if (!plan.listed.ok) {
    job.dialogs.show(
        error_box(msg::kCreateTitle,
                  msg::paragraphs({msg::fill(msg::kListFailed, {dir}), plan.listed.reason})));
    return plan.listed;
  }
  console.out_line(msg::fill(msg::kCliPlanHead, {dir}));
  console.out_line(msg::fill(msg::kCliPlanSlides, {job.window.text(TextField::Text2), ext}));

  std::vector<std::string> renames;
  for (const Rename& r : plan.renames) {
    // A name taken by another file (not just this one in other letter case).
    const bool taken = !equals_folded(r.from, ascii_lower(r.to)) && is_normal_file(dir + r.to);
    renames.push_back(taken ? msg::fill(msg::kCliPlanRenameTaken, {r.from, r.to, r.to})
                            : msg::fill(msg::kCliPlanRename, {r.from, r.to}));
  }
  print_list(console, msg::kCliPlanRenames, renames);

  std::vector<std::string> writes;
  for (const OutputStep& step : output_steps(job)) {
    for (const auto& file : step.files) {
      writes.push_back(is_normal_file(dir + file) ? msg::fill(msg::kCliPlanReplaced, {file})
                                                  : file);
    }
  }
  print_list(console, msg::kCliPlanWrites, writes);

  // Renaming and writing change no name the leftover rule looks at, so the
  // scan now lists what the command's scan after writing would.
  search_gomi(job);
  print_list(console,
             msg::fill(msg::kCliPlanLeftovers, {clean ? msg::kCliPlanClean : msg::kCliPlanKeep}),
             job.state.gomi_files);
  console.out_line("");
  return {};
}

}  // namespace vellumet::cli
