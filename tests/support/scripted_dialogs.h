#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "job/dialogs.h"

namespace vellumet::testing {

// Answers boxes from a script and records every box shown. A box shown when the
// script is empty throws, so a test never passes on an unexpected box by luck;
// set `default_answer` to answer every box the same way instead.
class ScriptedDialogs : public Dialogs {
 public:
  Answer show(const MessageBox& box) override;
  std::optional<std::string> open_file(const std::string& title, const FileFilter& filter) override;

  std::deque<Answer> answers;
  std::optional<Answer> default_answer;
  std::deque<std::optional<std::string>> files;  // open_file results
  std::vector<MessageBox> shown;
  std::vector<std::string> file_dialog_titles;
  std::vector<FileFilter> file_dialog_filters;
};

}  // namespace vellumet::testing
