#include "job/dialogs.h"

#include <utility>

namespace vellumet {

MessageBox info_box(std::string title, std::string text) {
  return {std::move(title), std::move(text), BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
}

MessageBox question_box(std::string title, std::string text) {
  return {std::move(title), std::move(text), BoxIcon::Exclamation, BoxButtons::YesNo, Answer::No};
}

}  // namespace vellumet
