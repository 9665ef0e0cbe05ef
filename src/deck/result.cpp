#include "deck/result.h"

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

}  // namespace

std::string failure_message(const Result& result) {
  if (result.ok()) return {};
  // The time limit stands in the reason of a timeout: it is the pattern's
  // second value, not a paragraph of its own.
  if (result.failure == Failure::OfficeTimeout)
    return msg::fill(pattern(result.failure), {result.file, result.reason});
  std::string text = msg::fill(pattern(result.failure), {result.file});
  if (result.reason.empty()) return text;
  return msg::paragraphs({text, result.reason});
}

}  // namespace vellumet::deck
