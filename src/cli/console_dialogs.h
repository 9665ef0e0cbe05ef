#pragma once

#include <optional>
#include <string>

#include "cli/console.h"
#include "job/dialogs.h"

namespace vellumet::cli {

// The dialog seam on the terminal. Every box goes to standard error, title
// then text. The clean-up offer is answered by --clean / --no-clean; every
// other question Yes with --yes, else asked as y/N when the console is
// interactive, else answered No. The open-file dialog gives the --download file.
class ConsoleDialogs : public Dialogs {
 public:
  struct Answers {
    bool yes = false;
    bool clean = false;
    std::optional<std::string> download;
  };
  ConsoleDialogs(Console& console, Answers answers);

  Answer show(const MessageBox& box) override;
  std::optional<std::string> open_file(const std::string& title) override;

 private:
  Answer ask(const MessageBox& box);

  Console& console_;
  Answers answers_;
};

}  // namespace vellumet::cli
