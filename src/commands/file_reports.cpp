#include "commands/file_reports.h"

#include "base/messages.h"

namespace vellumet {

std::string list_failed_text(const Job&, const FileResult& listed) {
  return msg::paragraphs({msg::fill(msg::kListFailed, {listed.file}), listed.reason});
}

}  // namespace vellumet
