#pragma once

#include "base/file_result.h"

namespace vellumet {

// How a command ended.
enum class Ending {
  Done,     // it went through to its end
  Stopped,  // a question about going on was answered No
  Failed,   // something could not be done; the user has been told why
};

// How a command ended and, when it failed, the step, the file and why.
struct CommandResult {
  Ending ending = Ending::Done;
  FileResult failure;
};

}  // namespace vellumet
