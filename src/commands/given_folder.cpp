#include "commands/given_folder.h"

#include "base/messages.h"
#include "source/paths.h"

namespace vellumet {

std::string given_folder(Job& job, const std::string& path) {
  FileResult read;
  std::string folder = readable_folder(path, read);
  if (folder.empty()) {
    job.dialogs.show(
        error_box(msg::kOpenFolderTitle,
                  msg::paragraphs({msg::fill(msg::kFolderUnreadable, {path}), read.reason})));
  }
  return folder;
}

}  // namespace vellumet
