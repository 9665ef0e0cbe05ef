#include "generator/button_copier.h"

#include <sys/stat.h>
#include <unistd.h>

#include "base/file_ops.h"
#include "base/text_file.h"
#include "source/file_names.h"
#include "source/listing.h"

namespace vellumet {

void make_button_files(Job& job) {
  const std::string folder = job.state.src_dir + kButtonFolder;
  // A link in the show folder may lead anywhere: it is replaced by a folder of
  // the show's own, never written through.
  if (is_symlink(folder)) ::unlink(folder.c_str());
  ::mkdir(folder.c_str(), 0777);
  if (is_symlink(folder) || !is_directory(folder)) return;
  const std::string target = folder + "/";
  std::string source = job.program_folder + "/buttons/";
  Listing listing = list_normal_files(source);
  for (std::string_view name : listing.names) {
    std::string bytes;
    if (!read_file(source + std::string(name), bytes).ok) continue;
    // Each copy replaces its target only once complete.
    AtomicFile out(target + std::string(name));
    if (!out.open().ok || !out.write(bytes).ok) continue;
    (void)out.commit();
  }
}

}  // namespace vellumet
