#include "commands/given_folder.h"

#include "base/file_ops.h"
#include "base/messages.h"
#include "source/paths.h"

namespace vellumet {

std::string given_folder(Job& job, const std::string& path) {
  int error = 0;
  std::string folder = readable_folder(path, error);
  if (folder.empty()) {
    job.dialogs.show(
        info_box(msg::kOpenFolderTitle,
                 msg::paragraphs({msg::fill(msg::kFolderUnreadable, {path}), error_text(error)})));
  }
  return folder;
}

}  // namespace vellumet
