#pragma once

#include <string>

#include "base/file_result.h"
#include "job/dialogs.h"

namespace vellumet::deck {

// How making a show from a deck failed. The failure itself travels as a
// FileResult beside it: the deck or file it concerns, the errno value where
// the system gave one, and as reason the system's text or what the program
// adds (LibreOffice's last line, the time limit in seconds).
enum class Failure {
  None,
  NotFound,       // the deck is missing, or not a normal file
  NotDeck,        // its extension names no kind of deck that is read
  Corrupt,        // not a readable PDF, or cut short
  Password,       // the PDF needs a password
  NoPages,        // the PDF has no page, or the deck is an empty file
  NoOffice,       // an office file, and LibreOffice is not installed
  OfficeFailed,   // LibreOffice could not make a PDF of it
  OfficeTimeout,  // LibreOffice did not finish in time and was ended
  Foreign,        // the show folder's name is taken by something not made here
  NoEncoder,      // Qt cannot write the chosen image format
  BadWidth,       // the image width is out of range
  Write,          // a file could not be read or written; the reason says why
  Cancelled,      // the caller asked to stop
};

// The FileResult of `failure` on `file`: its step (Check for what is refused
// before any file is touched, Write for writing, Read for the rest), `err`
// and `reason` as FileResult::failure takes them.
FileResult failure_result(Failure failure, std::string file, int err = 0, std::string reason = {});

// The Japanese box text of `failure`: what went wrong, naming the file as
// `dialogs` shows names (as they are without it), then the reason as a
// paragraph of its own when there is one. "" for None.
std::string failure_message(Failure failure, const FileResult& result,
                            const Dialogs* dialogs = nullptr);

}  // namespace vellumet::deck
