#include "cli/dry_run.h"

#include "base/file_ops.h"
#include "base/line_ends.h"
#include "base/messages.h"
#include "base/temporary_files.h"
#include "commands/clean_up.h"
#include "commands/create_html.h"
#include "commands/create_plan.h"
#include "commands/file_reports.h"
#include "deck/office.h"
#include "source/file_names.h"
#include "source/leftovers.h"

namespace vellumet::cli {

namespace {

void print_list(Console& console, std::string_view head, const std::vector<std::string>& items) {
  console.out_line(head);
  if (items.empty()) {
    console.out_line(std::string(1, kTab) + msg::kCliPlanNone);
    return;
  }
  for (std::string_view item : items) console.out_line(std::string(1, kTab) + std::string(item));
}

std::vector<std::string> quoted(const Console& console, const NameList& names) {
  std::vector<std::string> out;
  for (std::string_view name : names) out.push_back(console.quoted(name));
  return out;
}

}  // namespace

void print_refusal(Console& console, const std::string& name, const std::string& refusal) {
  console.out_line(msg::fill(msg::kCliPlanHead, {console.quoted(name)}));
  print_list(console, msg::kCliPlanRefused, std::vector<std::string>{refusal});
  console.out_line("");
}

FileResult print_plan(Job& job, Console& console, bool clean, const Listing* after) {
  const std::string& dir = job.state.src_dir;
  // The run would refuse the job before changing anything: so does the plan.
  if (FileResult refusal = check_job(job); !refusal.ok) {
    print_refusal(console, dir, refusal.reason);
    return refusal;
  }
  const std::string ext = image_extension(job.state.img_type);
  RenamePlan plan = after ? plan_renames(job, ext, *after) : plan_renames(job, ext);
  if (!plan.failure.ok) {
    job.dialogs.show(error_box(msg::kCreateTitle, plan.failure_text));
    return plan.failure;
  }
  console.out_line(msg::fill(msg::kCliPlanHead, {console.quoted(dir)}));
  console.out_line(msg::fill(msg::kCliPlanSlides, {job.window.text(TextField::Text2), ext}));

  std::vector<std::string> renames;
  const std::vector<bool> taken = taken_targets(plan, dir);
  for (std::size_t i = 0; i < plan.renames.size(); ++i) {
    const std::string from = console.quoted(plan.renames[i].from);
    const std::string to = console.quoted(plan.renames[i].to);
    renames.push_back(taken[i] ? msg::fill(msg::kCliPlanRenameTaken, {from, to, to})
                               : msg::fill(msg::kCliPlanRename, {from, to}));
  }
  print_list(console, msg::kCliPlanRenames, renames);

  std::vector<std::string> writes;
  for (const OutputStep& step : output_steps(job)) {
    for (const auto& file : step.files) {
      const std::string shown = console.quoted(file);
      writes.push_back(is_normal_file(dir + file) ? msg::fill(msg::kCliPlanReplaced, {shown})
                                                  : shown);
    }
  }
  print_list(console, msg::kCliPlanWrites, writes);

  // What runs ended by force left, which the run removes first.
  std::vector<std::string> dead, found;
  if (FileResult r = dead_temporaries(dir, found, false); !r.ok) {
    job.dialogs.show(error_box(msg::kCreateTitle, list_failed_text(job, r)));
    return r;
  }
  for (const auto& name : found) dead.push_back(console.quoted(name));
  if (is_real_folder(dir + kButtonFolder)) {
    (void)dead_temporaries(dir + kButtonFolder + "/", found, false);
    for (const auto& name : found) dead.push_back(console.quoted(kButtonFolder + ("/" + name)));
  }
  if (!dead.empty()) print_list(console, msg::kCliPlanDeadTemporaries, dead);

  // Renaming and writing change no name the leftover rule looks at, so the
  // scan now lists what the command's scan after writing would.
  if (after) {
    search_gomi(job, *after);
  } else if (FileResult listed = scan_gomi(job, msg::kCreateTitle); !listed.ok) {
    return listed;
  }
  print_list(console,
             msg::fill(msg::kCliPlanLeftovers, {clean ? msg::kCliPlanClean : msg::kCliPlanKeep}),
             quoted(console, job.state.gomi_files));
  console.out_line("");
  return {};
}

void print_deck_plan(Console& console, const std::string& deck, const deck::Outcome& plan,
                     const std::string& download) {
  const Manifest& m = plan.show.manifest;
  const bool office = deck::is_office_deck(deck);
  deck::ImageFormat format{};
  deck::parse_format(m.image, format);
  console.out_line(msg::fill(msg::kCliPlanHead, {console.quoted(deck)}));
  if (office) console.out_line(msg::kCliPlanDeckOffice);
  const std::string pages = office ? std::string(msg::kCliPlanDeckAllPages)
                                   : msg::fill(msg::kCliPlanDeckPages, {std::to_string(m.pages())});
  console.out_line(msg::fill(plan.show.updated ? msg::kCliPlanDeckUpdate : msg::kCliPlanDeckCreate,
                             {console.quoted(plan.show.folder), pages, deck::format_name(format),
                              std::to_string(m.width)}));
  console.out_line(msg::fill(msg::kCliPlanDeckDownload,
                             {download.empty() ? msg::kCliPlanNone : console.quoted(download)}));
  if (office) console.out_line(msg::kCliPlanDeckViewerLater);
  console.out_line("");
}

}  // namespace vellumet::cli
