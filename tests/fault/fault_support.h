#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "confirmation.h"
#include "job/dialogs.h"
#include "job/job.h"
#include "job/memory_window.h"
#include "scripted_dialogs.h"
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
  unsigned time_limit = 60;     // seconds until the child is killed, so a hang fails
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

// A full program folder (see program_folder.h) in `tmp`, readable by everybody.
std::string make_program(const testing::TempDir& tmp);

// A fresh Job over memory window values, with the check boxes' reactions wired.
struct Session {
  explicit Session(Dialogs& d, const std::string& program);
  MemoryWindow window;
  Job job;
};

}  // namespace vellumet::fault
