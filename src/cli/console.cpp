#include "cli/console.h"

#include <unistd.h>

#include <cerrno>

#include "base/line_ends.h"

namespace vellumet::cli {

Console::Console(std::FILE* in, std::FILE* out, std::FILE* err)
    : in_(in), out_(out), err_(err), codec_("") {}

void Console::write(std::FILE* to, std::string_view text, bool line_end) {
  std::string lines;
  lines.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCr) {
      lines += kLf;
      if (i + 1 < text.size() && text[i + 1] == kLf) ++i;
    } else {
      lines += text[i];
    }
  }
  if (line_end) lines += kLf;
  const std::string bytes = codec_.encode(utf8_decode(lines));
  errno = 0;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), to) == bytes.size() && std::fflush(to) == 0;
  if (!written && to == out_ && out_error_ == 0) out_error_ = errno != 0 ? errno : EIO;
}

void Console::out_line(std::string_view text) {
  write(out_, text, true);
}

void Console::err_line(std::string_view text) {
  write(err_, text, true);
}

void Console::err_prompt(std::string_view text) {
  write(err_, text, false);
}

std::optional<std::string> Console::read_line() {
  std::string line;
  int c;
  while ((c = std::fgetc(in_)) != EOF && c != kLf) line += static_cast<char>(c);
  if (c == EOF && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == kCr) line.pop_back();
  return utf8_encode(codec_.decode(line));
}

bool Console::interactive() const {
  return ::isatty(::fileno(in_)) == 1 && err_is_terminal();
}

bool Console::err_is_terminal() const {
  return ::isatty(::fileno(err_)) == 1;
}

}  // namespace vellumet::cli
