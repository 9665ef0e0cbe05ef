#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "scripted_dialogs.h"
#include "state/dialogs.h"
#include "state/job.h"
#include "state/memory_window.h"
#include "temp_dir.h"

namespace vellumet::fault {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

// What a child process reports back: every box it saw, plus named values.
struct ChildReport {
  std::vector<MessageBox> boxes;
  std::map<std::string, std::string> values;
  std::string failure;   // an exception or crash in the child; "" when it ran through
  bool dropped = false;  // whether it ran as the unprivileged user
};

struct ChildOptions {
  bool drop_privileges = true;  // become nobody:nogroup when started as root
  long file_size_limit = -1;    // RLIMIT_FSIZE in bytes, -1 for none
};

using ChildBody =
    std::function<void(testing::ScriptedDialogs&, std::map<std::string, std::string>&)>;

// Runs `body` in a forked child (as nobody when root, so permission bits
// count) with `dialogs` as scripted; the boxes and values come back through a
// pipe.
ChildReport run_in_child(const testing::ScriptedDialogs& dialogs, const ChildOptions& options,
                         const ChildBody& body);

// Hands a path (and, for folders, everything below) to nobody.
void give_to_nobody(const std::string& path);

// Every regular file below `root` (relative path -> bytes); folders are
// followed, symbolic links are not.
using Snapshot = std::map<std::string, std::string>;
Snapshot snapshot(const std::string& root);

// A program folder: Template/ with every template, both icon lists, buttons/.
// Readable by everybody.
std::string make_program(const testing::TempDir& tmp);

// A fresh Job over memory window values, with the check boxes' reactions wired.
struct Session {
  explicit Session(Dialogs& d, const std::string& program);
  MemoryWindow window;
  Job job;
};

// The confirmation text of Create-HTML for the given folder and page, with
// both options off unless asked.
std::string confirmation(const std::string& src_dir, const std::string& page, bool player,
                         bool download);

// printf-style with %s pieces only.
std::string fill(const char* format, const std::vector<std::string>& pieces);

}  // namespace vellumet::fault
