#include "scripted_dialogs.h"

namespace vellumet::testing {

Answer ScriptedDialogs::show(const MessageBox& box) {
  shown.push_back(box);
  if (!answers.empty()) {
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  if (default_answer) return box.buttons == BoxButtons::Ok ? Answer::Ok : *default_answer;
  if (box.buttons == BoxButtons::Ok) return Answer::Ok;
  throw std::logic_error("unexpected box: " + box.title + " / " + box.text);
}

std::optional<std::string> ScriptedDialogs::open_file(const std::string& title,
                                                      const FileFilter& filter) {
  file_dialog_titles.push_back(title);
  file_dialog_filters.push_back(filter);
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

}  // namespace vellumet::testing
