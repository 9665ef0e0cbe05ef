#include "commands/clean_up.h"

#include <unistd.h>

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
  if (job.dialogs.show(question_box(msg::kGomiTitle, question)) != Answer::Yes) return question;
  // The report: its head, an empty line, then a line per file left behind.
  std::vector<std::string> report = {msg::kDeleteFailed, ""};
  for (std::string_view name : job.state.gomi_files) {
    const std::string path = job.state.src_dir + std::string(name);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
      report.push_back(msg::fill(msg::kDeleteFailedFile, {name, error_text(errno)}));
  }
  if (report.size() > 2) job.dialogs.show(info_box(msg::kGomiTitle, msg::lines(report)));
  search_gomi(job);
  return question;
}

}  // namespace vellumet
