#include "base/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

// Where the data is found for a program in <tmp>/bin, with folders made
// under <tmp> first (a name ending in "/" is a folder, "a>b" a link a to b,
// else a file).
struct Case {
  const char* what;
  std::vector<std::string> made;
  std::string found;  // relative to <tmp>
};

TEST(DataFolder, BesideTheProgramElseTheInstalledFolder) {
  const std::vector<Case> cases = {
      {"build tree: data beside the program", {"bin/Template/"}, "bin"},
      {"installation: data in share/vellumet",
       {"bin/", "share/vellumet/Template/"},
       "share/vellumet"},
      {"both: the folder beside the program wins",
       {"bin/Template/", "share/vellumet/Template/"},
       "bin"},
      {"neither: the program's folder, where a missing template is reported", {"bin/"}, "bin"},
      {"an installed folder without templates is not taken",
       {"bin/", "share/vellumet/buttons/"},
       "bin"},
      {"a file named Template is not the templates", {"bin/", "bin/Template"}, "bin"},
      {"bin a link: the installed folder beside where it leads",
       {"usr/bin/", "usr/share/vellumet/Template/", "share/vellumet/Template/", "bin>usr/bin"},
       "usr/share/vellumet"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    for (const std::string& m : c.made) {
      if (const std::size_t arrow = m.find('>'); arrow != std::string::npos) {
        ASSERT_EQ(::symlink(m.substr(arrow + 1).c_str(), tmp.file(m.substr(0, arrow)).c_str()), 0);
      } else if (m.ends_with('/')) {
        for (std::size_t at = 0; (at = m.find('/', at)) != std::string::npos; ++at)
          ::mkdir((tmp.path() + "/" + m.substr(0, at)).c_str(), 0755);
      } else {
        testing::write_bytes(tmp.file(m), "");
      }
    }
    EXPECT_EQ(data_folder_for(tmp.file("bin")), tmp.file(c.found));
  }
}

}  // namespace
}  // namespace vellumet
