#include "commands/clean_up.h"

#include <cerrno>

#include "base/file_ops.h"
#include "base/messages.h"
#include "commands/file_reports.h"
#include "job/button_check.h"
#include "source/leftovers.h"

namespace vellumet {

FileResult scan_gomi(Job& job, const char* title) {
  FileResult listed = search_gomi(job);
  if (!listed.ok) {
    job.dialogs.show(error_box(title, list_failed_text(job, listed)));
  }
  return listed;
}

void gomi_click(Job& job) {
  if (scan_gomi(job, msg::kGomiTitle).ok && !job.state.gomi_files.empty()) delete_gomi(job, "");
  command_button_check(job);
}

FileResult delete_gomi(Job& job, std::string_view prefix) {
  const std::string question = std::string(prefix) + msg::kGomiQuestion;
  const MessageBox offer = question_box(msg::kGomiTitle, question, BoxKind::CleanUpOffer);
  if (job.dialogs.show(offer) != Answer::Yes) return {};
  // The report: its head, an empty line, then a line per file left behind.
  std::vector<std::string> report = {msg::kDeleteFailed, ""};
  FileResult first_failure;
  for (std::string_view name : job.state.gomi_files) {
    FileResult r = delete_file(job.state.src_dir + std::string(name));
    if (r.ok || r.error == ENOENT) continue;
    report.push_back(msg::fill(msg::kDeleteFailedFile, {job.dialogs.shown_name(name), r.reason}));
    if (first_failure.ok) first_failure = std::move(r);
  }
  if (report.size() > 2) job.dialogs.show(error_box(msg::kGomiTitle, msg::lines(report)));
  FileResult listed = scan_gomi(job, msg::kGomiTitle);
  return first_failure.ok ? listed : first_failure;
}

}  // namespace vellumet
