#pragma once

#include <string>

namespace vellumet::deck {

// How making a show from a deck failed.
enum class Failure {
  None,
  NotFound,       // the deck is missing, or not a normal file
  NotDeck,        // its extension names no kind of deck that is read
  Corrupt,        // not a readable PDF, or cut short
  Password,       // the PDF needs a password
  NoPages,        // the PDF has no page
  NoOffice,       // an office file, and LibreOffice is not installed
  OfficeFailed,   // LibreOffice could not make a PDF of it
  OfficeTimeout,  // LibreOffice did not finish in time and was ended
  Foreign,        // the show folder's name is taken by something not made here
  NoEncoder,      // Qt cannot write the chosen image format
  BadWidth,       // the image width is out of range
  Write,          // a file could not be read or written; the reason says why
  Cancelled,      // the caller asked to stop
};

// What became of one deck: a failure kind, the file or folder it concerns and
// the system's reason where there is one.
struct Result {
  Failure failure = Failure::None;
  std::string file;
  std::string reason;
  bool ok() const { return failure == Failure::None; }
};

inline Result failed(Failure failure, std::string file, std::string reason = {}) {
  return {failure, std::move(file), std::move(reason)};
}

// The Japanese box text of a failed result: what went wrong, then the reason
// as its own paragraph when there is one. "" for a success.
std::string failure_message(const Result& result);

}  // namespace vellumet::deck
