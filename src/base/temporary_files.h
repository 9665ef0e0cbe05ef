#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "base/file_result.h"

namespace vellumet {

// Temporary files: where pages and copies are written before they are put in
// place. Each lies hidden in the folder of its final name, named
// kTemporaryPrefix and six letters or digits, and the process writing it
// holds a lock on it (flock) for as long as it is there. So another run can
// tell one that is being written from one that a run ended by force (kill -9,
// a power loss) left behind.

inline constexpr const char* kTemporaryPrefix = ".vellumet-";

// Creates a new temporary file in `folder` ("" for the working folder, else
// ending in "/"), locked, and puts its path into `path`. Returns its
// descriptor, or -1 with errno set.
int create_temporary(const std::string& folder, std::string& path);

// While a temporary file is registered, ending the program by SIGINT, SIGTERM
// or SIGHUP removes it. `path` must stay valid until it is unregistered.
void register_temporary(const char* path);
void unregister_temporary(const char* path);

// Installs the handlers of SIGINT, SIGTERM and SIGHUP: each removes every
// registered temporary file and ends the program with 128 + the signal's
// number.
void remove_temporaries_on_signals();

// Work that stops by itself when a flag is set (and leaves nothing behind)
// is stopped that way: while `flag` is given here, the first of those
// signals sets it instead of ending the program and is kept for
// cancelling_signal(); a second one ends the program as ever. nullptr ends
// this. The caller ends with 128 + the signal's number once the work has
// stopped.
void cancel_on_signals(std::atomic<bool>* flag);
// The signal that set the flag given to cancel_on_signals; 0 for none.
int cancelling_signal();

// The temporary files in `folder` (ending in "/") that no process holds:
// what runs ended by force left. With `remove` each is removed while this
// process holds its lock, so a file another run has just begun to write is
// never taken from it. Their names go into `names`. A failure (step List)
// when the folder cannot be read; a folder that does not exist holds none.
FileResult dead_temporaries(const std::string& folder, std::vector<std::string>& names,
                            bool remove);

}  // namespace vellumet
