#include "deck/failure.h"

#include <utility>

#include "base/messages.h"

namespace vellumet::deck {

namespace {

const char* pattern(Failure failure) {
  switch (failure) {
    case Failure::None:
      return "";
    case Failure::NotFound:
      return msg::kDeckNotFound;
    case Failure::NotDeck:
      return msg::kDeckNotDeck;
    case Failure::Corrupt:
      return msg::kDeckCorrupt;
    case Failure::Password:
      return msg::kDeckPassword;
    case Failure::NoPages:
      return msg::kDeckNoPages;
    case Failure::NoOffice:
      return msg::kDeckNoOffice;
    case Failure::OfficeFailed:
      return msg::kDeckOfficeFailed;
    case Failure::OfficeTimeout:
      return msg::kDeckOfficeTimeout;
    case Failure::Foreign:
      return msg::kDeckForeign;
    case Failure::NoEncoder:
      return msg::kDeckNoEncoder;
    case Failure::BadWidth:
      return msg::kDeckBadWidth;
    case Failure::Write:
      return msg::kPageFailed;
    case Failure::Cancelled:
      return msg::kDeckCancelled;
  }
  return "";
}

FileStep step_of(Failure failure) {
  switch (failure) {
    case Failure::NotDeck:
    case Failure::NoOffice:
    case Failure::Foreign:
    case Failure::NoEncoder:
    case Failure::BadWidth:
      return FileStep::Check;
    case Failure::Write:
      return FileStep::Write;
    default:
      return FileStep::Read;
  }
}

}  // namespace

FileResult failure_result(Failure failure, std::string file, int err, std::string reason) {
  if (err != 0)
    return FileResult::failure(step_of(failure), std::move(file), err, std::move(reason));
  return {false, step_of(failure), std::move(file), 0, std::move(reason)};
}

std::string failure_message(Failure failure, const FileResult& result, const Dialogs* dialogs) {
  if (failure == Failure::None) return {};
  const std::string file = dialogs ? dialogs->shown_name(result.file) : result.file;
  // The time limit stands in the reason of a timeout: it is the pattern's
  // second value, not a paragraph of its own.
  if (failure == Failure::OfficeTimeout) return msg::fill(pattern(failure), {file, result.reason});
  std::string text = msg::fill(pattern(failure), {file});
  if (result.reason.empty()) return text;
  return msg::paragraphs({text, result.reason});
}

}  // namespace vellumet::deck
