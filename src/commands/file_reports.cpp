#include "commands/file_reports.h"

#include "base/messages.h"

namespace vellumet {

std::string list_failed_text(const Job& job, const FileResult& listed) {
  return msg::paragraphs(
      {msg::fill(msg::kListFailed, {job.dialogs.shown_name(listed.file)}), listed.reason});
}

}  // namespace vellumet
