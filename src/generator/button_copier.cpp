#include "generator/button_copier.h"

#include <sys/stat.h>

#include "base/text_file.h"
#include "source/listing.h"

namespace vellumet {

void make_button_files(Job& job) {
  std::string target = job.state.src_dir + "buttons/";
  ::mkdir((job.state.src_dir + "buttons").c_str(), 0777);
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
