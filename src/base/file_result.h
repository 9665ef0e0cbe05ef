#pragma once

#include <string>

namespace vellumet {

// The piece of file work that failed.
enum class FileStep {
  None,    // nothing failed
  Check,   // a value the work needs was refused before any file was touched
  List,    // reading a folder's entries
  Read,    // opening or reading a file
  Write,   // creating, writing or putting a file in place
  Rename,  // renaming a file
  Delete,  // deleting a file
};

// How a piece of file work ended: ok, or the step that failed, the file it
// failed on and why. `error` is the errno value when the system gave one
// (EEXIST: a rename's new name is taken); `reason` is the text the user is
// shown for it, the system's or the program's own.
struct FileResult {
  bool ok = true;
  FileStep step = FileStep::None;
  std::string file;
  int error = 0;
  std::string reason;

  static FileResult success() { return {}; }
  // A failure with the system's text for `err`; an empty `reason` stands for it.
  static FileResult failure(FileStep step, std::string file, int err, std::string reason = {});
};

}  // namespace vellumet
