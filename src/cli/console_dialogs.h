#pragma once

#include <optional>
#include <string>

#include "cli/console.h"
#include "job/dialogs.h"

namespace vellumet::cli {

// The dialog seam on the terminal. Every box goes to standard error, title
// then text. The clean-up offer is answered by --clean / --no-clean; every
// other question Yes with --yes, else asked as y/N when the console is
// interactive, else answered No. The open-file dialog is never answered: the
// command line puts the --download file into Text5 itself, for each folder.
class ConsoleDialogs : public Dialogs {
 public:
  struct Answers {
    bool yes = false;
    bool clean = false;
  };
  ConsoleDialogs(Console& console, Answers answers);

  Answer show(const MessageBox& box) override;
  std::optional<std::string> open_file(const std::string& title, const FileFilter& filter) override;
  // Quoted as the terminal can show it.
  std::string shown_name(std::string_view name) const override;

 private:
  Answer ask(const MessageBox& box);

  Console& console_;
  Answers answers_;
};

}  // namespace vellumet::cli
