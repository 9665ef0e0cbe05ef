#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/codec.h"

namespace vellumet::cli {

// A file name or path (its bytes, in `codec`'s code page) as a terminal can
// show it: as it is when every character is printable, else quoted as `ls`
// quotes it, $'...' with control characters (and those that turn the
// direction of text) as \n, \a ... or octal escapes, bytes that are no
// character as octal escapes, and \ and ' escaped.
std::string quoted_name(std::string_view name, const Codec& codec);

// Standard input, output and error of the command line. Texts are UTF-8 with
// the job's CR LF line ends; they are written with "\n" line ends in the
// locale's code set (bytes of file names inside them pass through as they are).
class Console {
 public:
  Console(std::FILE* in, std::FILE* out, std::FILE* err);

  // `name` as quoted_name shows it in the locale's code set.
  std::string quoted(std::string_view name) const { return quoted_name(name, codec_); }

  void out_line(std::string_view text);
  void err_line(std::string_view text);
  // Writes without a line end and flushes: a prompt.
  void err_prompt(std::string_view text);
  // The next line of standard input without its line end, as UTF-8; nullopt
  // at the end of the input.
  std::optional<std::string> read_line();

  // The errno value of the first write to standard output that failed; 0
  // while every one has gone out.
  int out_error() const { return out_error_; }

  // Questions can be asked: standard input and standard error are terminals.
  bool interactive() const;
  bool err_is_terminal() const;

 private:
  void write(std::FILE* to, std::string_view text, bool line_end);

  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
  Codec codec_;
  int out_error_ = 0;
};

}  // namespace vellumet::cli
