#include "cli/console_dialogs.h"

#include "base/ascii.h"
#include "base/messages.h"

namespace vellumet::cli {

namespace {

const char* answer_text(Answer a) {
  return a == Answer::Yes ? msg::kCliYes : msg::kCliNo;
}

// A typed answer: y/yes/はい, n/no/いいえ, an empty line for the default.
std::optional<Answer> typed_answer(const std::string& line, Answer default_answer) {
  std::string a = ascii_lower(line);
  a.erase(0, a.find_first_not_of(' '));
  a.erase(a.find_last_not_of(' ') + 1);
  if (a.empty()) return default_answer;
  if (a == "y" || a == "yes" || a == msg::kCliYes) return Answer::Yes;
  if (a == "n" || a == "no" || a == msg::kCliNo) return Answer::No;
  return std::nullopt;
}

}  // namespace

ConsoleDialogs::ConsoleDialogs(Console& console, Answers answers)
    : console_(console), answers_(std::move(answers)) {}

Answer ConsoleDialogs::show(const MessageBox& box) {
  console_.err_line("");
  console_.err_line(msg::fill(msg::kCliBoxTitle, {box.title}));
  console_.err_line(box.text);
  if (box.buttons == BoxButtons::Ok) return Answer::Ok;
  return ask(box);
}

Answer ConsoleDialogs::ask(const MessageBox& box) {
  auto answered = [this](Answer a, const char* why) {
    console_.err_line(msg::fill(msg::kCliAnswered, {answer_text(a), why}));
    return a;
  };
  if (box.kind == BoxKind::CleanUpOffer) {
    return answered(answers_.clean ? Answer::Yes : Answer::No,
                    answers_.clean ? "--clean" : "--no-clean");
  }
  if (answers_.yes) return answered(Answer::Yes, "--yes");
  if (!console_.interactive()) return answered(Answer::No, msg::kCliNoTerminal);

  const char* choices =
      box.default_answer == Answer::Yes ? msg::kCliPromptYesDefault : msg::kCliPromptNoDefault;
  for (;;) {
    console_.err_prompt(msg::fill(msg::kCliPrompt, {choices}));
    std::optional<std::string> line = console_.read_line();
    if (!line) {
      console_.err_line("");
      return answered(Answer::No, msg::kCliInputEnded);  // as closing the box
    }
    if (auto a = typed_answer(*line, box.default_answer)) return *a;
  }
}

std::string ConsoleDialogs::shown_name(std::string_view name) const {
  return console_.quoted(name);
}

std::optional<std::string> ConsoleDialogs::open_file(const std::string&, const FileFilter&) {
  return std::nullopt;
}

}  // namespace vellumet::cli
