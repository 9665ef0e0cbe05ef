#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumet {

enum class BoxIcon { Information, Exclamation };
enum class BoxButtons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// What a box is for, so that whoever shows or answers it can tell without
// reading its text.
enum class BoxKind {
  Report,        // news for the user: the work is done, a notice
  Error,         // something could not be done, and why
  Question,      // whether to go on; No ends the command
  CleanUpOffer,  // whether to delete the export's leftovers; No ends nothing
};

// One modal message box. Texts are UTF-8; file names inside them are the
// bytes of the name and are shown with replacement characters where invalid.
struct MessageBox {
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::Information;
  BoxButtons buttons = BoxButtons::Ok;
  Answer default_answer = Answer::Ok;
  BoxKind kind = BoxKind::Report;

  // The same box on the screen; the kind is compared on its own.
  bool operator==(const MessageBox& other) const {
    return title == other.title && text == other.text && icon == other.icon &&
           buttons == other.buttons && default_answer == other.default_answer;
  }
};

// A report or an error: information icon, a single OK button.
MessageBox info_box(std::string title, std::string text);
MessageBox error_box(std::string title, std::string text);
// A question about going on (or the clean-up offer): exclamation icon, Yes
// and No, No as default.
MessageBox question_box(std::string title, std::string text, BoxKind kind = BoxKind::Question);

// The files an open-file dialog offers: those whose names match one of
// `patterns` ("*.pdf", letters in any case), under the caption `name`. No
// patterns: every file.
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

// The one seam through which the logic talks to the user. The program shows
// real Qt boxes; tests script the answers and record every box.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the box modally and returns the button chosen.
  virtual Answer show(const MessageBox& box) = 0;
  // The open-file dialog with the given title, offering the files `filter`
  // names; std::nullopt when cancelled.
  virtual std::optional<std::string> open_file(const std::string& title,
                                               const FileFilter& filter) = 0;
  // A file name or path (its bytes) as it is to stand in a box's text: as it
  // is, unless the boxes go where some bytes would do harm.
  virtual std::string shown_name(std::string_view name) const { return std::string(name); }
};

}  // namespace vellumet
