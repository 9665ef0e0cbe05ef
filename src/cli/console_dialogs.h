#pragma once

#include <optional>
#include <string>

#include "cli/console.h"
#include "job/dialogs.h"

namespace vellumet::cli {

// How a folder's run of Create HTML ended.
enum class Outcome { Done, Stopped, Failed };

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

  // Starts recording a folder's run; outcome() tells how it ended.
  void begin_folder();
  Outcome outcome() const;

 private:
  Answer ask(const MessageBox& box);

  Console& console_;
  Answers answers_;
  bool done_ = false;
  bool refused_ = false;  // a question that stops the run was answered No
};

}  // namespace vellumet::cli
