#include "job/dialogs.h"

#include <utility>

namespace vellumet {

MessageBox info_box(std::string title, std::string text) {
  return {std::move(title), std::move(text), BoxIcon::Information,
          BoxButtons::Ok,   Answer::Ok,      BoxKind::Report};
}

MessageBox error_box(std::string title, std::string text) {
  MessageBox box = info_box(std::move(title), std::move(text));
  box.kind = BoxKind::Error;
  return box;
}

MessageBox question_box(std::string title, std::string text, BoxKind kind) {
  return {std::move(title),  std::move(text), BoxIcon::Exclamation,
          BoxButtons::YesNo, Answer::No,      kind};
}

}  // namespace vellumet
