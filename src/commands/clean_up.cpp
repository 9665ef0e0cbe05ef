#include "commands/clean_up.h"

#include <cerrno>

#include "base/file_ops.h"
#include "base/messages.h"
#include "job/button_check.h"
#include "source/leftovers.h"

namespace vellumet {

void gomi_click(Job& job) {
  search_gomi(job);
  if (!job.state.gomi_files.empty()) delete_gomi(job, "");
  command_button_check(job);
}

std::string delete_gomi(Job& job, std::string_view prefix) {
  std::string question = std::string(prefix) + msg::kGomiQuestion;
  const MessageBox offer = question_box(msg::kGomiTitle, question, BoxKind::CleanUpOffer);
  if (job.dialogs.show(offer) != Answer::Yes) return question;
  // The report: its head, an empty line, then a line per file left behind.
  std::vector<std::string> report = {msg::kDeleteFailed, ""};
  for (std::string_view name : job.state.gomi_files) {
    const FileResult r = delete_file(job.state.src_dir + std::string(name));
    if (!r.ok && r.error != ENOENT)
      report.push_back(msg::fill(msg::kDeleteFailedFile, {name, r.reason}));
  }
  if (report.size() > 2) job.dialogs.show(error_box(msg::kGomiTitle, msg::lines(report)));
  search_gomi(job);
  return question;
}

}  // namespace vellumet
